#!/usr/bin/env python3
"""Finds resource numbers written raw outside resources/resource.h.

Every number that resources/resource.h gives a resource id (a name beginning with ID), and
every number of the strip's icon range (IDI_STRIP_FIRST to IDI_STRIP_LAST), is looked for as
an integer literal in the product code, the resource scripts, the stand-in player, the tests and the
benchmarks; comments are skipped. Two kinds of line may carry such a number, each with its
reason where it stands:
- a line ending in "// not a resource id: <reason>" (a timer id or a buffer size that happens
  to share a resource's number);
- the tests that check the resource values themselves: a comment line
  "// resource values typed: <reason>" before a test exempts that test, up to the brace that
  closes its body.
"""
import os
import re
import sys

from layers import folders as layer_folders

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
HEADER = os.path.join("resources", "resource.h")
# host/ is left out: the stand-in player, like the real one, knows none of the component's resources;
# so is tests/conformance/, a host declared from the player's binary contract alone.
# Every layer (tools/layers.txt) and the code around them.
FOLDERS = tuple(layer_folders()) + ("tests", "bench", "tools")
LEFT_OUT = (os.path.join("tests", "conformance"),)
SUFFIXES = (".h", ".cpp", ".rc")
DEFINE = re.compile(r"^\s*#\s*define\s+(\w+)\s+(\d+)\s*$")
LITERAL = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
LINE_EXEMPTION = re.compile(r"//\s*not a resource id:\s*\S")
TEST_EXEMPTION = re.compile(r"^\s*//\s*resource values typed:\s*\S")


def resource_numbers():
    defines = {}
    with open(os.path.join(ROOT, HEADER), encoding="utf-8") as header:
        for line in header:
            match = DEFINE.match(line)
            if match:
                defines[match.group(1)] = int(match.group(2))
    numbers = {}
    for name, value in defines.items():
        if name.startswith("ID"):
            numbers.setdefault(value, []).append(name)
    for value in range(defines["IDI_STRIP_FIRST"], defines["IDI_STRIP_LAST"] + 1):
        numbers.setdefault(value, ["IDI_STRIP_FIRST + offset"])
    return numbers


def without_comments(text):
    """The text with comments blanked out (line structure kept); string literals stay."""
    out, i, n = [], 0, len(text)
    while i < n:
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out.append(" " * (end - i))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append("".join(c if c == "\n" else " " for c in text[i:end]))
            i = end
        elif text[i] in "\"'":
            quote, j = text[i], i + 1
            while j < n and text[j] != quote and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(text[i:j + 1])
            i = j + 1
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def exempt_lines(lines, code_lines):
    """Line numbers (0-based) inside exempted tests or carrying a line exemption."""
    exempt = set()
    for index, line in enumerate(lines):
        if LINE_EXEMPTION.search(line):
            exempt.add(index)
        if not TEST_EXEMPTION.match(line):
            continue
        depth, opened = 0, False
        for inside in range(index, len(lines)):
            exempt.add(inside)
            for char in code_lines[inside]:
                if char == "{":
                    depth, opened = depth + 1, True
                elif char == "}":
                    depth -= 1
            if opened and depth == 0:
                break
    return exempt


def source_files():
    for folder in FOLDERS:
        for directory, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(names):
                if name.endswith(SUFFIXES):
                    relative = os.path.relpath(os.path.join(directory, name), ROOT)
                    if relative != HEADER and not relative.startswith(LEFT_OUT):
                        yield relative


def main():
    numbers = resource_numbers()
    findings = 0
    for relative in source_files():
        with open(os.path.join(ROOT, relative), encoding="utf-8", errors="replace") as source:
            text = source.read()
        lines = text.split("\n")
        code_lines = without_comments(text).split("\n")
        exempt = exempt_lines(lines, code_lines)
        for index, code in enumerate(code_lines):
            if index in exempt:
                continue
            for match in LITERAL.finditer(code):
                value = int(match.group(1))
                if value in numbers:
                    findings += 1
                    names = " or ".join(numbers[value])
                    print(f"{relative}:{index + 1}: raw resource number {value}: write {names}")
    print(f"{findings} raw resource numbers outside {HEADER}")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
