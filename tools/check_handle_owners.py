#!/usr/bin/env python3
"""Finds Win32 handles freed by hand outside base/.

Every handle the component, its tests and its benchmarks create has an owner in base/
(UniqueHandle and its kinds, WindowDC, ScopedSelectObject, MemorySurface, CompatibleSurface);
only those owners call the functions that free or deselect a handle. A call of one of them
anywhere else in the layers of tools/layers.txt, in tests/ or in bench/ is printed as
file:line and fails the check. Comments are skipped.
Left out: tests/conformance/, a host declared from the player's binary contract alone, which
includes nothing of ours; host/, the stand-in player, which stands for the player's code.
"""
import os
import re
import sys

from layers import folders as layer_folders

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OWNERS = "base"
EXTRA_FOLDERS = ("tests", "bench")
LEFT_OUT = (os.path.join("tests", "conformance"),)
SUFFIXES = (".h", ".cpp")
FREEING = ("DestroyWindow", "DestroyMenu", "DeleteObject", "DeleteDC", "ReleaseDC", "DestroyIcon", "SelectObject",
           "RegCloseKey")
CALL = re.compile(r"(?<![\w:.>])(?:::)?(" + "|".join(FREEING) + r")\s*\(")
COMMENT = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)


def checked_files():
    folders = [f for f in layer_folders() if f != OWNERS] + list(EXTRA_FOLDERS)
    seen = set()
    for folder in folders:
        for directory, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(names):
                relative = os.path.relpath(os.path.join(directory, name), ROOT)
                if name.endswith(SUFFIXES) and not relative.startswith(LEFT_OUT) and relative not in seen:
                    seen.add(relative)
                    yield relative


def blank_comments(text):
    """The text with its comments turned into spaces, newlines kept."""
    return COMMENT.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)), text)


def main():
    findings = 0
    files = 0
    for relative in checked_files():
        files += 1
        with open(os.path.join(ROOT, relative), encoding="utf-8", errors="replace") as source:
            code = blank_comments(source.read())
        for number, line in enumerate(code.split("\n"), 1):
            for match in CALL.finditer(line):
                findings += 1
                print(f"{relative}:{number}: {match.group(1)} by hand: give the handle an owner from base/")
    print(f"{files} files outside base/: {findings} handles freed by hand")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
