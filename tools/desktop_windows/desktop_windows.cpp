// Lists the visible top-level windows of a desktop, one a line in UTF-8:
// "<class>\t<left> <top> <right> <bottom>\t<title>".
// Usage: desktop_windows.exe DESKTOP_NAME OUTPUT_FILE. Exit code 0 when the file was written,
// 1 when there is no such desktop, 2 when the file could not be written.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

BOOL CALLBACK WriteTitle(HWND window, LPARAM file) {
    if (!IsWindowVisible(window)) return TRUE;
    wchar_t title[512] = {};
    wchar_t className[256] = {};
    RECT rect = {};
    GetWindowTextW(window, title, 512);
    GetClassNameW(window, className, 256);
    GetWindowRect(window, &rect);
    std::fprintf(reinterpret_cast<FILE*>(file), "%s\t%ld %ld %ld %ld\t%s\n", Utf8(className).c_str(), rect.left,
                 rect.top, rect.right, rect.bottom, Utf8(title).c_str());
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    HDESK desktop = OpenDesktopW(argv[1], 0, FALSE, GENERIC_ALL);
    if (!desktop) return 1;
    FILE* file = _wfopen(argv[2], L"wb"); // plain newlines for the shell tools that read it
    if (!file) {
        CloseDesktop(desktop);
        return 2;
    }
    // Wine enumerates the windows of the calling thread's own desktop: the thread, which has no
    // window yet, moves to the one asked for.
    if (SetThreadDesktop(desktop)) EnumWindows(&WriteTitle, reinterpret_cast<LPARAM>(file));
    else EnumDesktopWindows(desktop, &WriteTitle, reinterpret_cast<LPARAM>(file));
    CloseDesktop(desktop);
    return std::fclose(file) == 0 ? 0 : 2;
}
