// What the host needs in place of a C runtime: console output, the check report and a few text
// helpers.
#pragma once
#include "abi.h"

extern "C" {
void* memset(void* target, int value, usize count);
void* memcpy(void* target, const void* source, usize count);
int memcmp(const void* a, const void* b, usize count);
}

void print(const char* text);
void printf_out(const char* format, ...);

// Reports one check as "PASS name" or "FAIL name: detail" and counts it.
bool check(const char* name, bool ok, const char* detail_format = nullptr, ...);
void section(const char* title);
void note(const char* format, ...);
// Names the call that is running, so that a crash inside the component names it.
void step(const char* what);
// Prints the closing "N passed, M failed" line and returns M.
int report_summary();
void install_crash_report();

usize text_length(const char* text);
bool text_equal(const char* a, const char* b);
bool text_starts_with(const char* text, const char* prefix);
void text_copy(char* out, usize capacity, const char* text, usize length = kUntilNul);
const char* guid_text(const GUID& guid); // rotating static buffers, fine within one check line
