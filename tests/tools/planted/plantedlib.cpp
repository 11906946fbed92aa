// A DLL of no use, built beside the test programs, where only a search of
// the program's own folder finds it: it stands for one planted in a
// Downloads folder.
extern "C" __declspec(dllexport) int PlantedMark() { return 1; }
