#!/usr/bin/env python3
"""Checks that the source folders depend on each other in one direction only.

Each folder may include (with #include "...") only from the folders listed for it below; the
portable layers include no Windows header and, of the framework, only its type names; and the
folders that do include each other form no circle. Files named *_win32.cpp are the platform
implementations the build picks for Windows (the files interface of storage/): they may use
Windows and the framework's handle ownership.

    python3 scripts/check_layers.py [--root DIR]
    python3 scripts/check_layers.py --planted DIR

The first form checks the tree at DIR (the repository by default) and prints every breach.
The second checks each tree under DIR: a tree with a file EXPECTED must fail with a message
holding that file's text, a tree without one must pass; so the check is shown to catch what it
is there to catch. Exit code 0 when all is as it should be, 1 otherwise.
"""

import argparse
import os
import re
import sys

# Where each layer lives, and the folders its files may include from, lowest first.
FOLDERS = {
    "text": "text",
    "framework": "platform/framework",
    "quarnctrl": "platform/quarnctrl",
    "dirscan": "platform/dirscan",
    "contract": "contract",
    "resources": "resources",
    "storage": "storage",
    "dialog": "dialog",
    "plugin": "plugin",
    "host": "host",
}
MAY_INCLUDE = {
    "text": set(),
    "framework": {"text"},
    "quarnctrl": {"framework", "text"},
    "dirscan": {"framework", "text"},
    "contract": {"framework"},
    "resources": set(),
    "storage": {"text", "framework"},
    "dialog": {"storage", "contract", "quarnctrl", "framework", "text", "resources"},
    "plugin": {"dialog", "storage", "contract", "quarnctrl", "dirscan", "framework", "text",
               "resources"},
    "host": {"contract", "framework", "text"},
}
# The portable layers: no Windows header, and of the framework only what is portable.
PORTABLE = {"text", "storage", "dialog"}
PORTABLE_FILES = {"contract/host_services.h"}
PORTABLE_FRAMEWORK = {"framework/fw_win_types.h"}
WIN32_IMPLEMENTATION_FRAMEWORK = {"framework/fw_handles.h"}
WINDOWS_HEADERS = {
    "windows.h", "windef.h", "winbase.h", "minwinbase.h", "winuser.h", "wingdi.h", "winnt.h",
    "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "objbase.h", "process.h", "io.h",
}
SOURCE_ENDINGS = (".h", ".cpp", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def layer_of_path(relative):
    """The layer a file of the tree belongs to, or None for tests, tools and the rest."""
    for layer, folder in FOLDERS.items():
        if relative == folder or relative.startswith(folder + "/"):
            return layer
    return None


def exists_or_made(path):
    """Whether the file is there, or is a header the build makes from its template (NAME.in)."""
    return os.path.exists(path) or os.path.exists(path + ".in")


def layer_of_include(name, including, root):
    """The layer a quoted include names: by its first folder, or the including file's own."""
    if "/" not in name:
        own = os.path.join(root, os.path.dirname(including), name)
        if exists_or_made(own):
            return layer_of_path(including)
        if exists_or_made(os.path.join(root, FOLDERS["resources"], name)):
            return "resources"
        return None
    first = name.split("/")[0]
    if first in FOLDERS:
        return first
    return None


def sources(root):
    for layer, folder in FOLDERS.items():
        top = os.path.join(root, folder)
        for directory, _, names in os.walk(top):
            for name in sorted(names):
                if name.endswith(SOURCE_ENDINGS):
                    path = os.path.join(directory, name)
                    yield layer, os.path.relpath(path, root).replace(os.sep, "/")


def find_circle(edges):
    """A circle of layers in edges (layer -> set of layers), or None."""
    state = {}
    path = []

    def visit(layer):
        state[layer] = "open"
        path.append(layer)
        for other in sorted(edges.get(layer, ())):
            if state.get(other) == "open":
                return path[path.index(other):] + [other]
            if other not in state:
                found = visit(other)
                if found:
                    return found
        path.pop()
        state[layer] = "done"
        return None

    for layer in sorted(edges):
        if layer not in state:
            found = visit(layer)
            if found:
                return found
    return None


def check(root):
    """Every breach in the tree at root, as lines of text."""
    breaches = []
    edges = {}
    for layer, relative in sources(root):
        portable = layer in PORTABLE or relative in PORTABLE_FILES
        win32_implementation = relative.endswith("_win32.cpp")
        with open(os.path.join(root, relative), encoding="utf-8", errors="replace") as source:
            lines = source.read().splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            where = f"{relative}:{number}"
            kind, name = match.groups()
            if kind == "<":
                if portable and not win32_implementation and name.lower() in WINDOWS_HEADERS:
                    breaches.append(f"{where}: the portable {layer}/ includes <{name}>")
                continue
            target = layer_of_include(name, relative, root)
            if target is None:
                breaches.append(f'{where}: "{name}" is in no folder the check knows')
                continue
            if target == layer:
                continue
            edges.setdefault(layer, set()).add(target)
            if target == "plugin":
                breaches.append(f'{where}: {layer}/ lies below plugin/ but includes "{name}"')
            elif target not in MAY_INCLUDE[layer]:
                breaches.append(f'{where}: {layer}/ may not include from {target}/ ("{name}")')
            elif portable and target == "framework":
                allowed = PORTABLE_FRAMEWORK | (
                    WIN32_IMPLEMENTATION_FRAMEWORK if win32_implementation else set())
                if name not in allowed:
                    breaches.append(
                        f'{where}: the portable {layer}/ includes the framework\'s "{name}"')
    circle = find_circle(edges)
    if circle:
        breaches.append("folders include each other in a circle: " + " -> ".join(circle))
    circle = find_circle(MAY_INCLUDE)
    if circle:
        breaches.append("the layer table itself has a circle: " + " -> ".join(circle))
    return breaches


def check_planted(folder):
    """Runs the check on each planted tree; returns whether each gave what it should."""
    good = True
    for name in sorted(os.listdir(folder)):
        tree = os.path.join(folder, name)
        if not os.path.isdir(tree):
            continue
        expected_file = os.path.join(tree, "EXPECTED")
        breaches = check(tree)
        if os.path.exists(expected_file):
            with open(expected_file, encoding="utf-8") as f:
                expected = f.read().strip()
            caught = any(expected in breach for breach in breaches)
            print(f"{name}: {'caught' if caught else 'NOT CAUGHT'}: {expected}")
            good = good and caught
        else:
            print(f"{name}: {'passes' if not breaches else 'FAILS'}")
            for breach in breaches:
                print(f"  {breach}")
            good = good and not breaches
    return good


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(__file__), ".."))
    parser.add_argument("--planted", help="a folder of trees with planted breaches")
    args = parser.parse_args()
    if args.planted:
        return 0 if check_planted(args.planted) else 1
    breaches = check(os.path.abspath(args.root))
    for breach in breaches:
        print(breach)
    if breaches:
        print(f"{len(breaches)} breach(es) of the layers")
        return 1
    print("the layers hold")
    return 0


if __name__ == "__main__":
    sys.exit(main())
