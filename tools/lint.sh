#!/usr/bin/env bash
# Static analysis of the product code: clang-tidy (the checks of .clang-tidy) over the x64
# build's compile database, one file per core, then cppcheck. Any finding fails.
# Usage: tools/lint.sh [BUILD_DIR]   (default: build, the x64 build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
database=$build/compile_commands.json
# The folders built into the component's library (tools/layers.txt): the ones checked here.
product=$("$root/tools/layers.py" --build core --regex)
# Findings in headers count in every layer's headers.
header_filter="/$("$root/tools/layers.py" --regex)/"
[ -f "$database" ] || { echo "lint: no $database; configure the x64 build first" >&2; exit 2; }
for tool in clang-tidy cppcheck; do
  command -v "$tool" >/dev/null || { echo "lint: $tool is missing (tools/deps.sh installs it)" >&2; exit 2; }
done

# clang-tidy parses the mingw g++ commands itself: it needs the target and g++'s own C++
# header folders, which are asked from the compiler rather than guessed.
compiler=x86_64-w64-mingw32-g++-posix
extra=(--extra-arg=--target=x86_64-w64-mingw32 "--header-filter=$header_filter")
while read -r folder; do
  extra+=("--extra-arg=-isystem$folder")
done < <(echo | "$compiler" -x c++ -E -v - 2>&1 | sed -n '/^#include <...> search starts here:/,/^End of search list./p' |
         grep '^ ' | grep '/c++' | sed 's/^ *//')

sources=$(python3 - "$database" "$root" "$product" <<'PY'
import json, re, sys
database, root, product = sys.argv[1:]
files = {entry["file"] for entry in json.load(open(database))}
print("\n".join(sorted(f for f in files if re.match(re.escape(root) + "/" + product + "/", f))))
PY
)
count=$(echo "$sources" | wc -l)
echo "lint: clang-tidy on $count product files"
# Each run prints only findings (--quiet); any output is a finding, and fails.
findings=$(echo "$sources" | xargs -P2 -n4 clang-tidy -p "$build" --quiet "${extra[@]}" 2>/dev/null || true)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "lint: clang-tidy found the above" >&2
  exit 1
fi

echo "lint: cppcheck on the same folders"
# Suppressed, each for its reason:
# - duplInheritedMember: every interface of the player's SDK declares its own class_guid,
#   hiding its parent's on purpose (the service lookup asks for the most derived one).
# - virtualCallInConstructor: pfc::string8's constructors call its own set_string, which is
#   the override meant; no derived class is under construction then.
cppcheck --quiet --error-exitcode=1 --std=c++17 --language=c++ --platform=win64 \
  --enable=warning,performance,portability --inline-suppr -j2 \
  --suppress=duplInheritedMember:"$root/sdk/*" --suppress=virtualCallInConstructor:"$root/sdk/pfc.h" \
  --template='{file}:{line}: {severity} [{id}] {message}' \
  -I "$root" -DUNICODE -D_UNICODE -D_WIN32 -D_WIN64 -D__x86_64__ \
  $("$root/tools/layers.py" --build core | sed "s|^|$root/|")
echo "lint: no findings"
