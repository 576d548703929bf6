// The few Windows declarations this host needs. It is built without the Windows headers (the
// MSVC targets of clang come without them) and without a C runtime: the functions are imported
// from kernel32 and user32 through mingw's import libraries.
#pragma once

typedef decltype(sizeof 0) usize; // 8 bytes on x64, 4 on x86
typedef unsigned int u32;
typedef unsigned long long u64;
typedef unsigned long DWORD;
typedef struct HWND__* HWND;
typedef struct HINSTANCE__* HINSTANCE;
typedef void* HANDLE;
typedef __INTPTR_TYPE__ LPARAM;
typedef __UINTPTR_TYPE__ WPARAM;
typedef __INTPTR_TYPE__ LRESULT;

#define WINAPI __stdcall

struct EXCEPTION_RECORD {
    DWORD code;
    DWORD flags;
    EXCEPTION_RECORD* next;
    void* address;
    DWORD parameter_count;
    __UINTPTR_TYPE__ parameters[15];
};
struct EXCEPTION_POINTERS {
    EXCEPTION_RECORD* record;
    void* context;
};
typedef long(WINAPI* TOP_LEVEL_FILTER)(EXCEPTION_POINTERS*);
typedef LRESULT(WINAPI* WNDPROC)(HWND, u32, WPARAM, LPARAM);

struct WNDCLASSA {
    u32 style;
    WNDPROC proc;
    int class_extra;
    int window_extra;
    HINSTANCE instance;
    void* icon;
    void* cursor;
    void* background;
    const char* menu_name;
    const char* class_name;
};
struct MSG {
    HWND window;
    u32 message;
    WPARAM wparam;
    LPARAM lparam;
    DWORD time;
    long x, y;
};

extern "C" {
__declspec(dllimport) HANDLE WINAPI GetStdHandle(DWORD which);
__declspec(dllimport) int WINAPI WriteFile(HANDLE, const void*, DWORD, DWORD*, void*);
__declspec(dllimport) __attribute__((noreturn)) void WINAPI ExitProcess(u32 code);
__declspec(dllimport) HINSTANCE WINAPI LoadLibraryExA(const char* path, HANDLE, DWORD flags);
__declspec(dllimport) void* WINAPI GetProcAddress(HINSTANCE, const char*);
__declspec(dllimport) int WINAPI FreeLibrary(HINSTANCE);
__declspec(dllimport) HINSTANCE WINAPI GetModuleHandleA(const char*);
__declspec(dllimport) DWORD WINAPI GetModuleFileNameA(HINSTANCE, char*, DWORD);
__declspec(dllimport) const char* WINAPI GetCommandLineA();
__declspec(dllimport) HANDLE WINAPI CreateEventA(void*, int manual, int initial, const char*);
__declspec(dllimport) TOP_LEVEL_FILTER WINAPI SetUnhandledExceptionFilter(TOP_LEVEL_FILTER);
__declspec(dllimport) DWORD WINAPI GetLastError();

__declspec(dllimport) unsigned short WINAPI RegisterClassA(const WNDCLASSA*);
__declspec(dllimport) HWND WINAPI
    CreateWindowExA(DWORD ex_style, const char* cls, const char* title, DWORD style, int x, int y, int w, int h,
                    HWND parent, void* menu, HINSTANCE, void* param);
__declspec(dllimport) int WINAPI DestroyWindow(HWND);
__declspec(dllimport) LRESULT WINAPI DefWindowProcA(HWND, u32, WPARAM, LPARAM);
__declspec(dllimport) HWND WINAPI GetParent(HWND);
__declspec(dllimport) int WINAPI IsWindow(HWND);
__declspec(dllimport) int WINAPI IsChild(HWND parent, HWND child);
__declspec(dllimport) int WINAPI PeekMessageA(MSG*, HWND, u32, u32, u32 remove);
__declspec(dllimport) int WINAPI TranslateMessage(const MSG*);
__declspec(dllimport) LRESULT WINAPI DispatchMessageA(const MSG*);
int __cdecl wsprintfA(char* out, const char* format, ...);
__declspec(dllimport) int WINAPI wvsprintfA(char* out, const char* format, __builtin_va_list args);
}

const DWORD kStdOutput = (DWORD)-11;
const DWORD kLoadWithAlteredSearchPath = 0x8;
const DWORD kWsOverlappedWindow = 0x00CF0000;
const u32 kPmRemove = 1;
