#!/usr/bin/env python3
"""Each layout rule fails on a break planted in a copy of the sources."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SCRIPT = os.path.join(REPO, "scripts", "layoutrules.py")
APP = "project/importexport/registrator/src/"


class LayoutRulesCatchBreaks(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="layoutrules-")
        for top in ("project", "source", "resources"):
            shutil.copytree(os.path.join(REPO, top), os.path.join(self.root, top))

    def tearDown(self):
        shutil.rmtree(self.root)

    def plant(self, path, old, new):
        full = os.path.join(self.root, path)
        with open(full, encoding="utf-8") as f:
            text = f.read()
        self.assertIn(old, text, path)
        with open(full, "w", encoding="utf-8") as f:
            f.write(text.replace(old, new, 1))

    def assertBroken(self, expected):
        run = subprocess.run([sys.executable, SCRIPT, self.root], capture_output=True, text=True)
        self.assertEqual(1, run.returncode, run.stdout)
        self.assertIn(expected, run.stdout)

    def test_the_untouched_copy_passes(self):
        run = subprocess.run([sys.executable, SCRIPT, self.root], capture_output=True, text=True)
        self.assertEqual(0, run.returncode, run.stdout)

    def test_a_mode_two_file_including_mode_one_settings(self):
        self.plant(APP + "shortcuts.cpp", '#include "bookkey.h"',
                   '#include "bookkey.h"\n#include "preextractionsettings.h"')
        self.assertBroken(APP + "shortcuts.cpp: a file of one mode includes preextractionsettings.h")

    def test_a_step_that_is_no_writer_changing_its_settings(self):
        self.plant(APP + "filetypeinstalldir.cpp", "  if (rSettings.BookId.IsEmpty()) return 1;",
                   "  if (rSettings.BookId.IsEmpty()) return 1;\n  g_PostSettings.BookId.Clear();")
        self.assertBroken(APP + "filetypeinstalldir.cpp: changes g_PostSettings")

    def test_a_win32_condition_in_a_portable_file(self):
        self.plant(APP + "openbook.cpp", "namespace {", "#ifdef _WIN32\n#endif\nnamespace {")
        self.assertBroken(APP + "openbook.cpp: #if on _WIN32")

    def test_an_include_cycle(self):
        self.plant("source/os/base/text.h", "#include <stddef.h>", '#include <stddef.h>\n#include "memory.h"')
        self.plant("source/os/base/memory.h", "#define", '#include "text.h"\n#define')
        self.assertBroken("include cycle:")

    def test_a_stand_in_including_the_program(self):
        self.plant("source/os/posix/kernel.cpp", '#include "platform.h"', '#include "platform.h"\n#include "tpath.h"')
        self.assertBroken("source/os/posix/kernel.cpp: a stand-in includes source/os/filesystem/tpath.h")


if __name__ == "__main__":
    unittest.main()
