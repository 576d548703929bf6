#!/usr/bin/env python3
"""Reads tools/layers.txt, the one list of the product's folders, for the checks and scripts.

As a program it prints folders, one a line, for the shell scripts:
    tools/layers.py [--build core|own] [--regex]
--build keeps the folders built that way; --regex prints them as one alternation
"(base|component|...)" instead.
"""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE = os.path.join(ROOT, "tools", "layers.txt")


def read_layers(path=TABLE):
    """[(name, folder, build)] lowest first."""
    layers = []
    with open(path, encoding="utf-8") as table:
        for line in table:
            fields = line.split("#", 1)[0].split()
            if fields:
                layers.append((fields[0], fields[1].rstrip("/"), fields[2] if len(fields) > 2 else "core"))
    return layers


def folders(build=None):
    return [folder for _, folder, kind in read_layers() if build is None or kind == build]


def main(arguments):
    build = None
    as_regex = False
    while arguments:
        argument = arguments.pop(0)
        if argument == "--build" and arguments:
            build = arguments.pop(0)
        elif argument == "--regex":
            as_regex = True
        else:
            print(__doc__, file=sys.stderr)
            return 2
    chosen = folders(build)
    print("(" + "|".join(chosen) + ")" if as_regex else "\n".join(chosen))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
