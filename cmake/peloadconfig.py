"""Points a linked PE image's load-configuration directory at its
_load_config_used structure and brings the header checksum up to date.

    python3 peloadconfig.py IMAGE MAP

GNU ld 2.40 leaves data directory 10 empty whatever the program defines, so
this runs after every link of the program. The structure's address comes
from the link map (the shipped exe is stripped); the directory's size is
the structure's own Size field. Run again, it writes the same bytes.
"""
import re
import struct
import sys

LOAD_CONFIG = 10


def symbol_address(map_text):
    # i686 names carry one more leading underscore than x86_64 ones.
    found = re.search(r"^\s+0x([0-9a-f]+)\s+_?_load_config_used$", map_text, re.M)
    if not found:
        sys.exit("peloadconfig: no _load_config_used in the link map")
    return int(found.group(1), 16)


def pe_checksum(image, checksum_at):
    # The one's-complement sum of the file's 16-bit words, the checksum
    # field left out, plus the file's length.
    padded = image + b"\0" * (len(image) % 2)
    words = struct.unpack("<%dH" % (len(padded) // 2), padded)
    total = sum(words) - words[checksum_at // 2] - words[checksum_at // 2 + 1]
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(image)


def file_offset(image, sections_at, section_count, rva):
    for i in range(section_count):
        size, address, raw_size, raw_at = struct.unpack_from("<4I", image, sections_at + 40 * i + 8)
        if address <= rva < address + min(size, raw_size):
            return raw_at + rva - address
    sys.exit("peloadconfig: _load_config_used is in no section with file contents")


def main(image_path, map_path):
    with open(image_path, "rb") as f:
        image = bytearray(f.read())
    with open(map_path) as f:
        address = symbol_address(f.read())

    pe_at = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe_at:pe_at + 4] != b"PE\0\0":
        sys.exit("peloadconfig: not a PE image")
    section_count, = struct.unpack_from("<H", image, pe_at + 6)
    optional_size, = struct.unpack_from("<H", image, pe_at + 20)
    optional_at = pe_at + 24
    magic, = struct.unpack_from("<H", image, optional_at)
    if magic == 0x10B:
        image_base, = struct.unpack_from("<I", image, optional_at + 28)
        directories_at = optional_at + 96
    elif magic == 0x20B:
        image_base, = struct.unpack_from("<Q", image, optional_at + 24)
        directories_at = optional_at + 112
    else:
        sys.exit("peloadconfig: unknown optional header")
    checksum_at = optional_at + 64
    if struct.unpack_from("<I", image, directories_at - 4)[0] <= LOAD_CONFIG:
        sys.exit("peloadconfig: the image has no room for a load-configuration directory")

    if pe_checksum(image, checksum_at) != struct.unpack_from("<I", image, checksum_at)[0]:
        sys.exit("peloadconfig: the linker's checksum does not match this one's reckoning")
    rva = address - image_base
    at = file_offset(image, optional_at + optional_size, section_count, rva)
    size, = struct.unpack_from("<I", image, at)
    struct.pack_into("<II", image, directories_at + 8 * LOAD_CONFIG, rva, size)
    struct.pack_into("<I", image, checksum_at, pe_checksum(image, checksum_at))
    with open(image_path, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
