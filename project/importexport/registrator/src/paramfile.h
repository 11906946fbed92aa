// The parameters-file reader: walks every key of every section of an INI
// file, in file order, and hands (section, key, value) to a callback.
#ifndef EXTRACTPANEL_PARAMFILE_H
#define EXTRACTPANEL_PARAMFILE_H

// Gets each (section, key, value); returns 0 to stop the walk.
typedef int (*ParamFileCallback)(const char* pSection, const char* pKey, const char* pValue);

// 1 when the whole file was walked (a null path, a missing file or one
// without sections too); 0 when the callback or a value that reads as
// missing stopped it.
int ParseParametersFile(const char* pPath, ParamFileCallback pCallback);

class TParamFileParser
{
public:
  TParamFileParser() {}
  ~TParamFileParser() {}

  int Parse(const char* pPath, ParamFileCallback pCallback);
  int VisitKey(const char* pPath, const char* pSection, const char* pKey,
               ParamFileCallback pCallback);
  const char* NextListEntry(const char* pPosition, char* pName);
};

#endif
