"""Points a linked PE image's load-configuration directory at its
_load_config_used structure and brings the header checksum up to date.

    python3 peloadconfig.py IMAGE MAP

GNU ld 2.40 leaves data directory 10 empty whatever the program defines, so
this runs after every link of the program. The structure's address comes
from the link map (the shipped exe is stripped); the directory's size is
the structure's own Size field. Run again, it writes the same bytes.
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import peimage  # noqa: E402


def symbol_address(map_text):
    # i686 names carry one more leading underscore than x86_64 ones.
    found = re.search(r"^\s+0x([0-9a-f]+)\s+_?_load_config_used$", map_text, re.M)
    if not found:
        sys.exit("peloadconfig: no _load_config_used in the link map")
    return int(found.group(1), 16)


def main(image_path, map_path):
    with open(map_path) as f:
        address = symbol_address(f.read())
    try:
        pe = peimage.read(image_path)
        if pe.directory_count <= peimage.LOAD_CONFIG:
            sys.exit("peloadconfig: the image has no room for a load-configuration directory")
        if pe.checksum() != pe.u32(pe.checksum_at):
            sys.exit("peloadconfig: the linker's checksum does not match this one's reckoning")
        rva = address - pe.image_base
        size = pe.u32(pe.file_offset(rva))
    except peimage.PeError as error:
        sys.exit("peloadconfig: %s" % error)
    pe.set_directory(peimage.LOAD_CONFIG, rva, size)
    pe.image[pe.checksum_at:pe.checksum_at + 4] = pe.checksum().to_bytes(4, "little")
    with open(image_path, "wb") as f:
        f.write(pe.image)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
