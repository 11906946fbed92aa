// Text with the references of the process environment (%NAME%) worked out.
#ifndef EXTRACTPANEL_ENVIRONMENTTEXT_H
#define EXTRACTPANEL_ENVIRONMENTTEXT_H

#include "text.h"

// rOut := pSource expanded; a name that is not set stays as written. False,
// and rOut empty, when the system cannot expand it or no memory is left.
bool ExpandEnvironmentText(const char* pSource, TText& rOut);

#endif
