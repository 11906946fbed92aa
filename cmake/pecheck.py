"""The shipped exe's gate: prints its size, loader protections, load
configuration and imports, and fails when any of them is off.

    python3 pecheck.py IMAGE

It fails above 32 KiB (the aim is 28 KiB), without ASLR and its relocations,
NX or terminal-server awareness (and high-entropy ASLR on 64-bit), without a
load configuration whose DependentLoadFlags is System32 only (0x800; on x86
a 64-byte one, as Windows XP expects), with a TLS directory (the C run-time
brings one), or when it imports msvcrt or anything but Windows system DLLs.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import peimage  # noqa: E402

BUDGET, AIM = 32768, 28672
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "shlwapi.dll", "ole32.dll", "oleaut32.dll", "comctl32.dll", "comdlg32.dll"}
PROTECTIONS = [(0x40, "DYNAMIC_BASE"), (0x100, "NX_COMPAT"), (0x8000, "TERMINAL_SERVICE_AWARE")]
HIGH_ENTROPY_VA = (0x20, "HIGH_ENTROPY_VA")
RELOCS_STRIPPED = 0x0001
SEARCH_SYSTEM32 = 0x800


def check_size(image, faults):
    size = len(image)
    print("%d bytes (budget %d, aim %d)" % (size, BUDGET, AIM))
    if size > BUDGET:
        faults.append("over budget by %d bytes" % (size - BUDGET))
    elif size > AIM:
        print("over the aim by %d bytes" % (size - AIM))


def check_protections(pe, faults):
    wanted = PROTECTIONS + ([HIGH_ENTROPY_VA] if pe.magic == peimage.PE32_PLUS else [])
    present = [name for bit, name in wanted if pe.dll_characteristics & bit]
    print("DllCharacteristics: %04x %s" % (pe.dll_characteristics, " ".join(present)))
    faults += ["lacks " + name for bit, name in wanted if not pe.dll_characteristics & bit]
    # ASLR needs the relocations: a base relocation table, not stripped.
    if pe.characteristics & RELOCS_STRIPPED:
        faults.append("relocations stripped")
    if pe.directory(peimage.RELOCATIONS)[1] == 0:
        faults.append("no base relocation table")


def check_load_config(pe, faults):
    rva, size = pe.directory(peimage.LOAD_CONFIG)
    print("load configuration: directory at %08x, %d bytes" % (rva, size))
    if rva == 0 or size == 0:
        faults.append("no load configuration directory")
        return
    at = pe.file_offset(rva)
    flag_at = 0x36 if pe.magic == peimage.PE32 else 0x4E
    struct_size, dependent = pe.u32(at), pe.u16(at + flag_at)
    print("  Size %d, DependentLoadFlags 0x%04x" % (struct_size, dependent))
    # Loaders read a field only when the Size reaches past it, and take the
    # structure only when the directory states the same size.
    if struct_size != size:
        faults.append("the directory's size is not the structure's Size")
    if struct_size < flag_at + 2:
        faults.append("Size ends before DependentLoadFlags")
    if not dependent & SEARCH_SYSTEM32:
        faults.append("DependentLoadFlags lacks LOAD_LIBRARY_SEARCH_SYSTEM32")
    if pe.magic == peimage.PE32 and struct_size != 64:
        faults.append("not 64 bytes on x86")


def check_imports(pe, faults):
    if pe.directory(peimage.TLS)[1] != 0:
        faults.append("a TLS directory")
    imports = pe.imports()
    print("imports: " + " ".join(imports))
    for dll in imports:
        if dll.lower() == "msvcrt.dll":
            faults.append("imports the C run-time, " + dll)
        elif dll.lower() not in SYSTEM_DLLS:
            faults.append("imports %s, not a Windows system DLL" % dll)


def main(path):
    try:
        pe = peimage.read(path)
        print(path + ":", end=" ")
        faults = []
        check_size(pe.image, faults)
        check_protections(pe, faults)
        check_load_config(pe, faults)
        check_imports(pe, faults)
    except (OSError, peimage.PeError) as error:
        sys.exit("pecheck: %s: %s" % (path, error))
    for fault in faults:
        print("pecheck: " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
