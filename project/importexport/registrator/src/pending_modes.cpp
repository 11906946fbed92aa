// Stand-in mode runners until the real mode 1 and mode 2 runners land; the
// real runners replace this file. Both fail so that no run is mistaken for
// real work.
#include "registrator_after.h"
#include "registrator_before.h"

TPreExtractionRunner::TPreExtractionRunner() {}
int TPreExtractionRunner::Run(const char*) { return 0; }

TPostExtractionRunner::TPostExtractionRunner() {}
int TPostExtractionRunner::Run(const char*) { return 0; }
