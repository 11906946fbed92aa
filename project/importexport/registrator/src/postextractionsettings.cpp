#include "postextractionsettings.h"

TPostExtractionSettings g_PostSettings;
