// Windows only, linked into the program exe alone: its load configuration.
// The loader of Windows 10 1607 and later reads DependentLoadFlags from it
// when it loads the DLLs that the static imports need in turn, before any
// code of ours runs: System32 only, never the exe's own folder (a Downloads
// or temp folder may hold anything). Older systems ignore the field.
// The linker does not point the image's load-configuration directory at
// this structure by itself; cmake/peloadconfig.py does, after the link.
#include <stddef.h>

#include "platform.h"

// The Size stops before SEHandlerTable. On x86 a structure that reaches
// SEHandlerTable and SEHandlerCount states the image's safe exception
// handlers, and loaders have not all read a null table alike; without those
// fields our handlers are judged as in an image with no load configuration.
// On x86 that makes 64 bytes, the one size Windows XP accepts for this
// directory; x64 stops at the same field.
static constexpr IMAGE_LOAD_CONFIG_DIRECTORY LoadConfiguration()
{
  IMAGE_LOAD_CONFIG_DIRECTORY config = {};
  config.Size = offsetof(IMAGE_LOAD_CONFIG_DIRECTORY, SEHandlerTable);
  config.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;  // DependentLoadFlags, by its newer name
  return config;
}

extern "C" __attribute__((used)) const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used =
    LoadConfiguration();

// Where the loaders look, whatever the headers call the fields.
static_assert(offsetof(IMAGE_LOAD_CONFIG_DIRECTORY, Reserved1) ==
                  (sizeof(void*) == 4 ? 0x36 : 0x4E),
              "DependentLoadFlags");
static_assert(sizeof(void*) == 8 || offsetof(IMAGE_LOAD_CONFIG_DIRECTORY, SEHandlerTable) == 64,
              "the x86 size");
