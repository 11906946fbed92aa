// The program's version: one source for the version resource and the code.
// Read by the resource compiler too, so: preprocessor definitions only.
#ifndef EXTRACTPANEL_VERSION_H
#define EXTRACTPANEL_VERSION_H

#define EP_VERSION_MAJOR 1
#define EP_VERSION_MINOR 0
#define EP_VERSION_PATCH 0
#define EP_VERSION_BUILD 0

#define EP_VERSION_STRINGIFY2(x) #x
#define EP_VERSION_STRINGIFY(x) EP_VERSION_STRINGIFY2(x)
#define EP_VERSION_TEXT                                                \
  EP_VERSION_STRINGIFY(EP_VERSION_MAJOR)                               \
  "." EP_VERSION_STRINGIFY(EP_VERSION_MINOR) "." EP_VERSION_STRINGIFY( \
      EP_VERSION_PATCH) "." EP_VERSION_STRINGIFY(EP_VERSION_BUILD)

#define EP_COMPANY_NAME "Ostrel"
#define EP_PRODUCT_NAME "Ostrelbook"
#define EP_FILE_DESCRIPTION "Ostrelbook extraction and registration helper"
#define EP_INTERNAL_NAME "extractpanel"
#define EP_ORIGINAL_FILENAME "extractpanel.exe"
#define EP_COPYRIGHT "Copyright (C) Ostrel"

#endif
