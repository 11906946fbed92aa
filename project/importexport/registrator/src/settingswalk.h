// The walk every runner makes to read its settings: the command line, then
// the parameters file that the command line named; and the table through
// which each runner's callbacks map keys to its settings.
#ifndef EXTRACTPANEL_SETTINGSWALK_H
#define EXTRACTPANEL_SETTINGSWALK_H

#include "commandline.h"
#include "fixedtext.h"
#include "paramfile.h"
#include "textcompare.h"

enum TSettingsWalk {
  SETTINGS_DONE,  // both sources read to their end
  SETTINGS_STOPPED,  // a callback, a value read as missing or a failed buffer stopped a walk
  SETTINGS_REFUSED  // the command line was too long to be read at all
};

// The parameters file is read only when rParametersFile holds a path once
// the command line has been walked (its callback is what fills it). Inline:
// each runner makes the walk once, and a call of its own would only add to
// the shipped program.
inline TSettingsWalk WalkSettings(const char* pCommandLine, CommandLineCallback pOption,
                                  const TFixedText<1024>& rParametersFile, ParamFileCallback pParam)
{
  int nWalk = ParseCommandLine(pCommandLine, pOption);
  if (nWalk == COMMAND_LINE_REFUSED) return SETTINGS_REFUSED;
  if (nWalk == 0) return SETTINGS_STOPPED;
  if (!rParametersFile.IsEmpty() && ParseParametersFile(rParametersFile.Text(), pParam) == 0)
    return SETTINGS_STOPPED;
  return SETTINGS_DONE;
}

// Where a key may be given: the parameters file's keys count only in its
// section "parameters".
enum TSettingSources { COMMAND_LINE_ONLY, COMMAND_LINE_AND_FILE };

// One row of a runner's table: a key, where it may be given, and the text
// of the settings record TRecord that it fills (a 1024-character text or a
// 260-character path).
template <class TRecord>
struct TSettingKey
{
  constexpr TSettingKey(const char* pName, TSettingSources eFrom,
                        TFixedText<1024> TRecord::*pMember)
      : pKey(pName), eSources(eFrom), pText(pMember), pPath(0)
  {}
  constexpr TSettingKey(const char* pName, TSettingSources eFrom, TPathText TRecord::*pMember)
      : pKey(pName), eSources(eFrom), pText(0), pPath(pMember)
  {}

  const char* pKey;
  TSettingSources eSources;
  TFixedText<1024> TRecord::*pText;
  TPathText TRecord::*pPath;
};

// Copies the value into the setting that pKey names (in any case of A to Z),
// unless it came from the file and the row takes the command line only.
// Unknown keys are passed over. An over-long value is refused by Assign: the
// setting keeps what it held, as if the option had not been given.
template <class TRecord, size_t N>
void TakeSetting(const TSettingKey<TRecord> (&aKeys)[N], TRecord& rRecord, const char* pKey,
                 const char* pValue, bool bFromFile)
{
  for (const TSettingKey<TRecord>& rRow : aKeys) {
    if (!EqualsNoCase(pKey, rRow.pKey)) continue;
    if (bFromFile && rRow.eSources == COMMAND_LINE_ONLY) return;
    if (rRow.pPath != 0) (rRecord.*rRow.pPath).Assign(pValue);
    else (rRecord.*rRow.pText).Assign(pValue);
    return;
  }
}

// The same for a (section, key, value) of the parameters file.
template <class TRecord, size_t N>
void TakeFileSetting(const TSettingKey<TRecord> (&aKeys)[N], TRecord& rRecord, const char* pSection,
                     const char* pKey, const char* pValue)
{
  if (pSection != 0 && pKey != 0 && EqualsNoCase(pSection, "parameters"))
    TakeSetting(aKeys, rRecord, pKey, pValue, true);
}

#endif
