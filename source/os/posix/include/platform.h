// POSIX: the Win32 names the program calls, with the behaviour it relies on.
// Each area has its own header and its own implementation in source/os/posix.
#ifndef EXTRACTPANEL_PLATFORM_H
#define EXTRACTPANEL_PLATFORM_H

#include "platform_types.h"
#include "platform_kernel.h"
#include "platform_profile.h"
#include "platform_registry.h"
#include "platform_paths.h"
#include "platform_shell.h"
#include "platform_user.h"

#define PATH_SEPARATOR_CHAR '/'
#define PATH_SEPARATOR_TEXT "/"
// Between the folders of PATH.
#define PATH_LIST_SEPARATOR_CHAR ':'

#endif
