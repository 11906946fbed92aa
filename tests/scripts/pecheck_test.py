#!/usr/bin/env python3
"""The shipped exe's gate passes the exe as built and fails on copies of it
with one thing each broken.

    pecheck_test.py EXE
"""
import os
import subprocess
import sys
import tempfile
import unittest

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(REPO, "cmake"))
import peimage  # noqa: E402

GATE = os.path.join(REPO, "cmake", "pecheck.py")
EXE = None


class PeCheckCatchesBreaks(unittest.TestCase):
    def gate(self, image):
        with tempfile.NamedTemporaryFile(suffix=".exe", delete=False) as f:
            f.write(image)
        try:
            return subprocess.run([sys.executable, GATE, f.name], capture_output=True, text=True)
        finally:
            os.unlink(f.name)

    def broken(self, change, expected):
        pe = peimage.read(EXE)
        change(pe)
        run = self.gate(pe.image)
        self.assertEqual(1, run.returncode, run.stdout)
        self.assertIn("pecheck: " + expected, run.stdout)

    def test_the_exe_as_built_passes(self):
        run = self.gate(peimage.read(EXE).image)
        self.assertEqual(0, run.returncode, run.stdout)

    def test_each_break_fails(self):
        def load_config(pe):
            return pe.file_offset(pe.directory(peimage.LOAD_CONFIG)[0])

        def flag_at(pe):
            return load_config(pe) + (0x36 if pe.magic == peimage.PE32 else 0x4E)

        def set_u16(pe, at, value):
            pe.image[at:at + 2] = value.to_bytes(2, "little")

        cases = [
            (lambda pe: pe.image.extend(b"\0" * 40000), "over budget"),
            (lambda pe: set_u16(pe, pe.checksum_at + 6, pe.dll_characteristics & ~0x40), "lacks DYNAMIC_BASE"),
            (lambda pe: set_u16(pe, pe.checksum_at + 6, pe.dll_characteristics & ~0x100), "lacks NX_COMPAT"),
            (lambda pe: pe.set_directory(peimage.RELOCATIONS, 0, 0), "no base relocation table"),
            (lambda pe: pe.set_directory(peimage.LOAD_CONFIG, 0, 0), "no load configuration directory"),
            (lambda pe: set_u16(pe, flag_at(pe), 0), "DependentLoadFlags lacks"),
            (lambda pe: pe.set_directory(peimage.LOAD_CONFIG, pe.directory(peimage.LOAD_CONFIG)[0], 72),
             "the directory's size is not the structure's Size"),
            (lambda pe: pe.set_directory(peimage.TLS, 0x1000, 24), "a TLS directory"),
        ]
        for change, expected in cases:
            with self.subTest(expected):
                self.broken(change, expected)


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else None
    if not EXE:
        sys.exit(__doc__)
    unittest.main()
