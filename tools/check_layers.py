#!/usr/bin/env python3
"""Checks the product's includes against the layer order in tools/layers.txt.

Fails on an include that goes up the order, on an include of host/ or tests/ from a layer,
and on a cycle between folders. Prints each offending include as file:line.
Our includes are written "folder/file.h" from the repository's root: one written relative to
its own file ("../tray/x.h", "./x.h") or in angle brackets (<tray/x.h>) is a finding of its
own, and its target is still checked against the order.
"""
import os
import re
import sys

from layers import read_layers

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE_SUFFIXES = (".h", ".cpp", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s*(["<])([^">]+)[">]')
OUTSIDE_LAYERS = ("host", "tests")


def layer_of(relative, layers):
    """Index of the layer holding a repository-relative path, None when it lies in none."""
    best, best_length = None, -1
    for index, (_, folder, _) in enumerate(layers):
        if relative.startswith(folder + "/") and len(folder) > best_length:
            best, best_length = index, len(folder)
    return best


def product_files(layers):
    for _, folder, _ in layers:
        for directory, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(directory, name), ROOT)


def own_folders(layers):
    return {folder.split("/", 1)[0] for _, folder, _ in layers} | set(OUTSIDE_LAYERS)


def includes_of(relative, layers):
    """(line, repository-relative target, how it is misspelt or None) for each include of ours."""
    ours = own_folders(layers)
    here = os.path.dirname(relative)
    with open(os.path.join(ROOT, relative), encoding="utf-8", errors="replace") as source:
        for number, line in enumerate(source, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, written = match.groups()
            if written.startswith(("./", "../")) or "/./" in written or "/../" in written:
                target = os.path.normpath(os.path.join(here, written)).replace(os.sep, "/")
                if bracket == '"' and not written.startswith(("./", "../")):
                    target = os.path.normpath(written).replace(os.sep, "/")
                yield number, target, f"written relative to its file: write \"{target}\""
            elif written.split("/", 1)[0] in ours and "/" in written:
                yield number, written, (f"written in angle brackets: write \"{written}\"" if bracket == "<" else None)


def find_cycles(edges, names):
    """Every elementary cycle's folders, found by a depth-first walk from each folder."""
    cycles = set()

    def walk(start, node, path):
        for target in sorted(edges.get(node, ())):
            if target == start:
                cycles.add(tuple(path))
            elif target not in path and names.index(target) > names.index(start):
                walk(start, target, path + [target])

    for start in names:
        walk(start, start, [start])
    return sorted(cycles)


def main():
    layers = read_layers(os.path.join(ROOT, "tools", "layers.txt"))
    names = [name for name, _, _ in layers]
    problems = []
    edges = {}
    seen = set()
    for relative in product_files(layers):
        if relative in seen:
            continue
        seen.add(relative)
        own = layer_of(relative, layers)
        for number, included, misspelt in includes_of(relative, layers):
            where = f"{relative}:{number}: {included}"
            if misspelt:
                problems.append(f"{where}: {misspelt}")
            if included.split("/", 1)[0] in OUTSIDE_LAYERS:
                problems.append(f"{where}: layer {names[own]} includes {included.split('/', 1)[0]}/, which stands outside the layers")
                continue
            target = layer_of(included, layers)
            if target is None:
                continue
            if target != own:
                edges.setdefault(names[own], set()).add(names[target])
            if target > own:
                problems.append(f"{where}: goes up from layer {names[own]} to layer {names[target]}")
    for cycle in find_cycles(edges, names):
        problems.append("folder cycle: " + " -> ".join(cycle + (cycle[0],)))
    for problem in problems:
        print(problem)
    upward = sum(1 for p in problems if "goes up" in p)
    misspelt = sum(1 for p in problems if ": written " in p)
    cycles = sum(1 for p in problems if p.startswith("folder cycle"))
    print(f"layers {' < '.join(names)}: {len(seen)} files, {upward} upward includes, "
          f"{misspelt} includes written relative or in brackets, {cycles} folder cycles")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
