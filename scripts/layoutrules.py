#!/usr/bin/env python3
"""The layout's rules, checked on the sources as text:

- no file of one mode includes the other mode's settings, and only their
  named writers change the settings of a mode;
- no `#if` on _WIN32 in a file without a per-OS suffix;
- no include cycle among the program's files;
- the stand-ins include nothing but the stand-ins and the base.

Usage: layoutrules.py [ROOT]. Prints each break and exits 1 when there is one.
"""
import os
import re
import sys

PROGRAM_DIRS = ("project", "source")
POSIX_DIR = "source/os/posix"
# The base library and what it publishes (the string table's texts).
BASE_DIRS = ("source/os/base", "resources")

APP = "project/importexport/registrator/src/"
MODE_FILES = {
    "preextractionsettings.h": [APP + "registrator_before", APP + "extractiondialog"],
    "postextractionsettings.h": [APP + "registrator_after", APP + "shortcuts",
                                 APP + "filetypeinstalldir", APP + "openbook"],
}
# Who may change each set: its owner's driver, its definition, the dialog
# that takes the reader's choices and the step that reads them back.
WRITERS = {
    "g_RunValues": [APP + "runcontrol.cpp", APP + "runvalues.cpp"],
    "g_PreSettings": [APP + "registrator_before.cpp", APP + "extractiondialog.cpp",
                      APP + "preextractionsettings.cpp"],
    "g_PostSettings": [APP + "registrator_after.cpp", APP + "shortcuts.cpp",
                       APP + "postextractionsettings.cpp"],
}
# A member changed, a method that changes a text, or the whole set handed on.
WRITE_FORMS = (r"\.\w+\s*(?:[-+*/|&]?=(?!=)|\+\+|--)",
               r"\.\w+\.(?:Assign|Append|Clear|Resize|Reserve|Buffer|SyncLength)\s*\(",
               r"\s*[,)]", r"\s*;")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
WIN32_CONDITION = re.compile(r"^\s*#\s*(?:if|ifdef|ifndef|elif)\b.*\b_WIN32\b", re.M)
PER_OS = re.compile(r"_(?:win32|posix)\.(?:cpp|h)$")


def source_files(root):
    for top in PROGRAM_DIRS + ("resources",):
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if name.endswith((".cpp", ".h")):
                    path = os.path.join(folder, name)
                    yield os.path.relpath(path, root).replace(os.sep, "/")


def read(root, path):
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
        return f.read()


def without_comments(text):
    return re.sub(r"//[^\n]*|/\*.*?\*/", "", text, flags=re.S)


def check_modes(files, texts):
    breaks = []
    for header, own in MODE_FILES.items():
        other = next(h for h in MODE_FILES if h != header)
        for path in files:
            if any(path.startswith(prefix) for prefix in own) and other in INCLUDE.findall(texts[path]):
                breaks.append(f"{path}: a file of one mode includes {other}")
    for name, writers in WRITERS.items():
        forms = re.compile(r"(?<![\w&])&?\s*\b" + name + "(?:" + "|".join(WRITE_FORMS) + ")")
        for path in files:
            if path in writers:
                continue
            text = without_comments(texts[path])
            for match in forms.finditer(text):
                line = text[text.rfind("\n", 0, match.start()) + 1:match.end()]
                # A declaration, or a reference bound for reading only.
                if re.match(r"\s*(?:extern|const)\b", line):
                    continue
                breaks.append(f"{path}: changes {name} ('{match.group(0).strip()}'), "
                              f"which only {', '.join(writers)} may")
    return breaks


def check_os_conditions(files, texts):
    return [f"{path}: #if on _WIN32 in a file without a per-OS suffix"
            for path in files if not PER_OS.search(path) and WIN32_CONDITION.search(texts[path])]


def os_of(path):
    for os_name in ("win32", "posix"):
        if path.startswith(f"source/os/{os_name}/") or path.endswith((f"_{os_name}.cpp", f"_{os_name}.h")):
            return os_name
    return None


def include_graph(files, texts):
    """Each file's includes, resolved by name among the program's files; a
    file of one OS never reaches the other OS's files of the same name."""
    by_name = {}
    for path in files:
        by_name.setdefault(path.rsplit("/", 1)[-1], []).append(path)
    graph = {}
    for path in files:
        targets = []
        for name in INCLUDE.findall(texts[path]):
            found = by_name.get(name.rsplit("/", 1)[-1], [])
            targets += [t for t in found if os_of(path) is None or os_of(t) in (None, os_of(path))]
        graph[path] = targets
    return graph


def check_cycles(graph):
    breaks, state = [], {}

    def visit(path, trail):
        state[path] = "open"
        for target in graph[path]:
            if state.get(target) == "open":
                cycle = trail[trail.index(target):] + [target]
                breaks.append("include cycle: " + " -> ".join(cycle))
            elif target not in state:
                visit(target, trail + [target])
        state[path] = "done"

    for path in sorted(graph):
        if path not in state:
            visit(path, [path])
    return breaks


def check_stand_ins(graph):
    allowed = (POSIX_DIR + "/",) + tuple(d + "/" for d in BASE_DIRS)
    return [f"{path}: a stand-in includes {target}"
            for path, targets in sorted(graph.items()) if path.startswith(POSIX_DIR + "/")
            for target in targets if not target.startswith(allowed)]


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    files = list(source_files(root))
    texts = {path: read(root, path) for path in files}
    program = [p for p in files if p.startswith(tuple(d + "/" for d in PROGRAM_DIRS))]
    graph = include_graph(files, texts)
    breaks = (check_modes(program, texts) + check_os_conditions(program, texts) +
              check_cycles(graph) + check_stand_ins(graph))
    for line in breaks:
        print(line)
    print(f"layout rules: {len(files)} files, {len(breaks)} broken")
    return 1 if breaks else 0


if __name__ == "__main__":
    sys.exit(main())
