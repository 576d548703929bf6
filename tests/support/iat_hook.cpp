// Import-address-table patching for tests.
#include "tests/support/iat_hook.h"

#include <cstring>

namespace {

void WriteSlot(void** slot, void* value) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof(void*), protection, &protection);
}

std::vector<void**> FindSlots(HMODULE module, const char* dll, const char* function) {
    std::vector<void**> slots;
    BYTE* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    if (!base || dos->e_magic != IMAGE_DOS_SIGNATURE) return slots;
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return slots;
    HMODULE exporter = GetModuleHandleA(dll);
    FARPROC exported = exporter ? GetProcAddress(exporter, function) : nullptr;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        if (_stricmp(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
        auto* address = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        auto* names =
            d->OriginalFirstThunk ? reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk) : nullptr;
        for (size_t i = 0; address[i].u1.Function; ++i) {
            bool match = false;
            if (names && !IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) {
                auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
                match = std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0;
            } else if (exported) {
                match = reinterpret_cast<FARPROC>(address[i].u1.Function) == exported;
            }
            if (match) slots.push_back(reinterpret_cast<void**>(&address[i].u1.Function));
        }
    }
    return slots;
}

} // namespace

IatHook::IatHook(HMODULE module, const char* dll, const char* function, void* replacement)
    : m_slots(FindSlots(module, dll, function)) {
    for (void** slot : m_slots) {
        if (!m_original) m_original = *slot;
        WriteSlot(slot, replacement);
    }
}

IatHook::~IatHook() {
    for (void** slot : m_slots) WriteSlot(slot, m_original);
}
