#include "runtime.h"

extern "C" {
// The compiler may call these for structure copies and clears.
void* memset(void* target, int value, usize count) {
    unsigned char* p = static_cast<unsigned char*>(target);
    while (count--) *p++ = static_cast<unsigned char>(value);
    return target;
}
void* memcpy(void* target, const void* source, usize count) {
    unsigned char* p = static_cast<unsigned char*>(target);
    const unsigned char* q = static_cast<const unsigned char*>(source);
    while (count--) *p++ = *q++;
    return target;
}
int memcmp(const void* a, const void* b, usize count) {
    const unsigned char* p = static_cast<const unsigned char*>(a);
    const unsigned char* q = static_cast<const unsigned char*>(b);
    for (; count; --count, ++p, ++q)
        if (*p != *q) return *p < *q ? -1 : 1;
    return 0;
}
// Referenced by every object file that uses floating point under the MSVC targets.
int _fltused = 0;
void __cdecl _purecall() {
    print("FAIL pure virtual call\n");
    ExitProcess(3);
}
}

bool operator==(const GUID& a, const GUID& b) { return memcmp(&a, &b, sizeof(GUID)) == 0; }

namespace {
int g_passed;
int g_failed;
const char* g_step = "start-up";

void vformat(char* out, const char* format, __builtin_va_list args) { wvsprintfA(out, format, args); }
} // namespace

void print(const char* text) {
    DWORD written;
    WriteFile(GetStdHandle(kStdOutput), text, static_cast<DWORD>(text_length(text)), &written, nullptr);
}

void printf_out(const char* format, ...) {
    char line[1100];
    __builtin_va_list args;
    __builtin_va_start(args, format);
    vformat(line, format, args);
    __builtin_va_end(args);
    print(line);
}

bool check(const char* name, bool ok, const char* detail_format, ...) {
    char detail[1100] = "";
    if (detail_format) {
        __builtin_va_list args;
        __builtin_va_start(args, detail_format);
        vformat(detail, detail_format, args);
        __builtin_va_end(args);
    }
    ++(ok ? g_passed : g_failed);
    if (ok) printf_out("PASS %s\n", name);
    else printf_out("FAIL %s%s%s\n", name, detail[0] ? ": " : "", detail);
    return ok;
}

void section(const char* title) { printf_out("== %s\n", title); }

void note(const char* format, ...) {
    char line[1100];
    __builtin_va_list args;
    __builtin_va_start(args, format);
    vformat(line, format, args);
    __builtin_va_end(args);
    printf_out("   note: %s\n", line);
}

void step(const char* what) { g_step = what; }

int report_summary() {
    printf_out("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed;
}

namespace {
// An exception that leaves the component is a broken contract: name the call, report what ran,
// and end the process instead of waiting for a crash dialog.
long WINAPI on_unhandled(EXCEPTION_POINTERS* info) {
    check(g_step, false, "exception 0x%08X at %p left the component", static_cast<u32>(info->record->code),
          info->record->address);
    report_summary();
    ExitProcess(2);
}
} // namespace

void install_crash_report() { SetUnhandledExceptionFilter(&on_unhandled); }

usize text_length(const char* text) {
    usize n = 0;
    while (text[n]) ++n;
    return n;
}

bool text_equal(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

bool text_starts_with(const char* text, const char* prefix) {
    while (*prefix)
        if (*text++ != *prefix++) return false;
    return true;
}

void text_copy(char* out, usize capacity, const char* text, usize length) {
    usize n = 0;
    while (n + 1 < capacity && n < length && text[n]) out[n] = text[n], ++n;
    out[n] = 0;
}

const char* guid_text(const GUID& g) {
    static char buffers[4][40];
    static int next;
    char* out = buffers[next++ % 4];
    wsprintfA(out, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", g.data1, g.data2, g.data3, g.data4[0],
              g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return out;
}
