"""The one reader of PE images' headers for the build and the scripts.

    python3 peimage.py machine IMAGE    prints 014c for x86, 8664 for x86-64

As a module: PeImage(bytes) gives the headers' fields, the data directories,
the sections, the imported DLLs and the header checksum.
"""
import struct
import sys

EXPORTS, IMPORTS, RELOCATIONS, TLS, LOAD_CONFIG = 0, 1, 5, 9, 10
PE32, PE32_PLUS = 0x10B, 0x20B


class PeError(Exception):
    pass


class PeImage:
    def __init__(self, image):
        self.image = image
        if len(image) < 0x40 or image[:2] != b"MZ":
            raise PeError("not an MZ image")
        pe_at = self.u32(0x3C)
        if image[pe_at:pe_at + 4] != b"PE\0\0":
            raise PeError("not a PE image")
        self.machine, self.section_count = struct.unpack_from("<HH", image, pe_at + 4)
        self.characteristics, = struct.unpack_from("<H", image, pe_at + 22)
        optional_size, = struct.unpack_from("<H", image, pe_at + 20)
        at = pe_at + 24
        self.magic = self.u16(at)
        if self.magic == PE32:
            self.image_base = self.u32(at + 28)
            directories_at = at + 96
        elif self.magic == PE32_PLUS:
            self.image_base, = struct.unpack_from("<Q", image, at + 24)
            directories_at = at + 112
        else:
            raise PeError("unknown optional header")
        self.checksum_at = at + 64
        self.dll_characteristics = self.u16(at + 70)
        self.directory_count = self.u32(directories_at - 4)
        self.directories_at = directories_at
        self.sections_at = at + optional_size

    def u16(self, at):
        return struct.unpack_from("<H", self.image, at)[0]

    def u32(self, at):
        return struct.unpack_from("<I", self.image, at)[0]

    def directory(self, index):
        """(rva, size) of a data directory; (0, 0) past the image's count."""
        if index >= self.directory_count:
            return 0, 0
        return struct.unpack_from("<II", self.image, self.directories_at + 8 * index)

    def set_directory(self, index, rva, size):
        struct.pack_into("<II", self.image, self.directories_at + 8 * index, rva, size)

    def sections(self):
        for i in range(self.section_count):
            at = self.sections_at + 40 * i
            name = self.image[at:at + 8].rstrip(b"\0").decode("ascii", "replace")
            size, address, raw_size, raw_at = struct.unpack_from("<4I", self.image, at + 8)
            yield name, address, size, raw_at, raw_size

    def file_offset(self, rva):
        for _, address, size, raw_at, raw_size in self.sections():
            if address <= rva < address + min(size, raw_size):
                return raw_at + rva - address
        raise PeError("address 0x%x is in no section with file contents" % rva)

    def text_at(self, rva):
        at = self.file_offset(rva)
        return self.image[at:self.image.index(b"\0", at)].decode("ascii", "replace")

    def imports(self):
        rva, size = self.directory(IMPORTS)
        names = []
        if rva == 0 or size == 0:
            return names
        at = self.file_offset(rva)
        while True:
            name_rva = self.u32(at + 12)
            if name_rva == 0:
                return names
            names.append(self.text_at(name_rva))
            at += 20

    def checksum(self):
        # The one's-complement sum of the file's 16-bit words, the checksum
        # field left out, plus the file's length.
        image = bytes(self.image) + b"\0" * (len(self.image) % 2)
        words = struct.unpack("<%dH" % (len(image) // 2), image)
        total = sum(words) - words[self.checksum_at // 2] - words[self.checksum_at // 2 + 1]
        while total >> 16:
            total = (total & 0xFFFF) + (total >> 16)
        return total + len(self.image)


def read(path):
    with open(path, "rb") as f:
        return PeImage(bytearray(f.read()))


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] != "machine":
        sys.exit(__doc__)
    try:
        print("%04x" % read(sys.argv[2]).machine)
    except (OSError, PeError, struct.error) as error:
        sys.exit("peimage: %s: %s" % (sys.argv[2], error))
