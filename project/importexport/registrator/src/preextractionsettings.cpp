#include "preextractionsettings.h"

TPreExtractionSettings g_PreSettings;
