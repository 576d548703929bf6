#!/usr/bin/env python3
"""Makes the player's component package: a zip holding the x86 DLL at its root and the x64
DLL in x64/, and nothing else the player would try to load.

usage: package.py X86_DLL X64_DLL OUTPUT"""
import os
import sys
import zipfile


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    x86, x64, output = sys.argv[1:]
    for dll in (x86, x64):
        if not os.path.isfile(dll):
            sys.exit(f"package.py: {dll} is missing")
    name = os.path.basename(x86)
    partial = output + ".part"
    # Deflated at the strongest level: a third of the stored size for users to download.
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as package:
        package.write(x86, name)
        package.write(x64, "x64/" + os.path.basename(x64))
    os.replace(partial, output)
    print(f"Package: {output}")


if __name__ == "__main__":
    main()
