#pragma once
// The tests write and delete the component's registry keys and files under HKEY_CURRENT_USER
// (and the component itself deletes its imported settings key), which is harmless in the
// tests' own Wine prefix and destructive on a desktop someone uses. Test executables check
// where they run before anything else and refuse to run elsewhere.

// True only under Wine, with WINEPREFIX naming a prefix that holds the marker
// tools/wine-env.sh leaves in the prefix it keeps inside the build tree. Otherwise false,
// with the reason in `why`.
bool InsideTestPrefix(const char*& why);

// Prints why and returns false when the process runs outside the tests' prefix.
bool RefuseOutsideTestPrefix(const char* program);
