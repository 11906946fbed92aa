// Preloaded into every Wine process when 32-bit Wine runs under qemu-i386
// (scripts/wine32.sh builds it for x86_64 and for i386). Two jobs:
// - an exec of a 32-bit x86 program (Wine's 32-bit loader, from wine64 or from
//   the emulated loader itself) goes to qemu-i386 instead, as the kernel may
//   refuse i386 programs; the loader runs there without its preloader
//   (WINELOADERNOEXEC=1), which qemu-user cannot carry;
// - in the emulated 32-bit loader, the constructor does the part of Wine's
//   preloader that matters: it reserves the low and the top Windows address
//   ranges before anything else lands there, and tells Wine about them.
// Does nothing unless EP_WINE32_QEMU names qemu-i386.
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

static int is_i386_program(const char* path)
{
  unsigned char h[20];
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  ssize_t n = read(fd, h, sizeof h);
  close(fd);
  // ELF, 32-bit class, machine 3 (i386), little-endian.
  return n == (ssize_t)sizeof h && memcmp(h, "\177ELF\1", 5) == 0 && h[18] == 3 && h[19] == 0;
}

static int real_execve(const char* path, char* const argv[], char* const envp[])
{
  return (int)syscall(SYS_execve, path, argv, envp);
}

int execve(const char* path, char* const argv[], char* const envp[])
{
  const char* qemu = getenv("EP_WINE32_QEMU");
  if (!qemu || !*qemu) return real_execve(path, argv, envp);
  size_t n = 0;
  while (argv[n]) n++;
  if (!is_i386_program(path)) return real_execve(path, argv, envp);
  // qemu-i386 -L / -E WINELOADERNOEXEC=1 -0 ARGV0 PATH ARGS...
  char* args[n + 10];
  size_t k = 0;
  args[k++] = (char*)qemu;
  args[k++] = "-L";
  args[k++] = "/";
  args[k++] = "-E";
  args[k++] = "WINELOADERNOEXEC=1";
  args[k++] = "-0";
  args[k++] = (char*)(n ? argv[0] : path);
  args[k++] = (char*)path;
  for (size_t i = 1; i < n; i++) args[k++] = argv[i];
  args[k] = 0;
  return real_execve(qemu, args, envp);
}

int execv(const char* path, char* const argv[])
{
  extern char** environ;
  return execve(path, argv, environ);
}

#ifdef __i386__
// The loader's own pointer to the reserved ranges, which Wine's virtual
// memory set-up reads; absent from every other program.
struct preload_range { void* addr; size_t size; };
extern struct preload_range* wine_main_preload_info __attribute__((weak));

static struct preload_range reserved[8];

// Maps PROT_NONE [from, to), the part of it not already mapped, and notes it.
static void reserve(unsigned long from, unsigned long to, size_t* count)
{
  if (to <= from || *count + 1 >= sizeof reserved / sizeof reserved[0]) return;
  void* p = mmap((void*)from, to - from, PROT_NONE,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_FIXED_NOREPLACE, -1, 0);
  if (p != (void*)from) return;
  reserved[*count].addr = p;
  reserved[*count].size = to - from;
  ++*count;
}

// Without the preloader, Wine 8 finds the guest's stack and libraries already
// spread over the Windows address space and probes for free room for hours.
// The free range from 64 KiB up to the first mapping and the free range above
// 0x7f000000 (where Windows keeps its top-down allocations) are reserved
// before the loader's main runs; the pairs end with a zero pair.
__attribute__((constructor)) static void reserve_windows_ranges(void)
{
  if (!&wine_main_preload_info || !getenv("EP_WINE32_QEMU")) return;
  FILE* maps = fopen("/proc/self/maps", "re");
  if (!maps) return;
  unsigned long first = 0, start, end, top_free = 0x7f000000, top_end = 0;
  size_t count = 0;
  char line[512];
  while (fgets(line, sizeof line, maps)) {
    if (sscanf(line, "%lx-%lx", &start, &end) != 2) continue;
    if (!first && start > 0x10000) first = start;
    // The first gap at or above 0x7f000000.
    if (!top_end && end > top_free) {
      if (start > top_free) top_end = start;
      else top_free = end;
    }
  }
  fclose(maps);
  if (!top_end) top_end = 0xffff0000ul;
  if (first) reserve(0x10000, first, &count);
  reserve(top_free, top_end, &count);
  reserved[count].addr = 0;
  reserved[count].size = 0;
  wine_main_preload_info = reserved;
}
#endif
