// Identity GUIDs of the tray icons and the hash they are built from.
#include "tray/icon_identity.h"

namespace {

constexpr uint32_t kHashSeed = 0x0CD5E44A;
constexpr uint32_t kPolynomial = 0x00600340;
constexpr unsigned short kData3 = 0x4515;
constexpr unsigned char kData4[8] = {0xA5, 0x56, 0x99, 0x3D, 0x5C, 0xE9, 0x9D, 0xB2};
constexpr DWORD kPathBufferLength = 1025;

struct HashTable {
    uint32_t entry[256];
    // Only the top four bits of the index select multiples of the polynomial.
    HashTable() : entry() {
        for (uint32_t i = 0; i < 256; ++i) {
            entry[i] = ((i & 0x80) ? kPolynomial << 3 : 0) ^ ((i & 0x40) ? kPolynomial << 2 : 0) ^
                       ((i & 0x20) ? kPolynomial << 1 : 0) ^ ((i & 0x10) ? kPolynomial : 0);
        }
    }
};

const HashTable& Table() {
    static const HashTable table;
    return table;
}

uint32_t Feed(uint32_t hash, unsigned char byte) { return Table().entry[hash >> 24] ^ (hash << 8) ^ byte; }

bool IsWindows7OrLater() {
    OSVERSIONINFOEXW wanted = {};
    wanted.dwOSVersionInfoSize = sizeof(wanted);
    wanted.dwMajorVersion = 6;
    wanted.dwMinorVersion = 1;
    DWORDLONG condition = 0;
    condition = VerSetConditionMask(condition, VER_MAJORVERSION, VER_GREATER_EQUAL);
    condition = VerSetConditionMask(condition, VER_MINORVERSION, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION, condition) != FALSE;
}

// The host executable's path as the fixed-size buffer holds it; a longer path is cut there,
// the same way at every run.
std::wstring ExecutablePath() {
    wchar_t path[kPathBufferLength] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, kPathBufferLength);
    if (length >= kPathBufferLength) length = kPathBufferLength - 1;
    return std::wstring(path, length);
}

struct ProcessIdentities {
    GUID icon[2];
    ProcessIdentities() : icon() {
        if (!IsWindows7OrLater()) return;
        std::wstring path = ExecutablePath();
        for (int i = 0; i < 2; ++i) icon[i] = IconIdentity::ForPath(path, IconIdentity::kIconIdentityId[i]);
    }
};

// Built while the library loads.
const ProcessIdentities g_processIdentities;

} // namespace

uint32_t IconIdentity::Hash(const wchar_t* text, size_t length) {
    uint32_t hash = kHashSeed;
    for (size_t i = 0; i < length; ++i) {
        unsigned unit = static_cast<unsigned short>(text[i]);
        hash = Feed(hash, static_cast<unsigned char>(unit & 0xFF));
        hash = Feed(hash, static_cast<unsigned char>(unit >> 8));
    }
    return hash;
}

GUID IconIdentity::ForPath(const std::wstring& executablePath, unsigned short id) {
    std::wstring lowered = executablePath;
    for (wchar_t& c : lowered)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    GUID guid = {};
    guid.Data1 = Hash(lowered.data(), lowered.size());
    guid.Data2 = id;
    guid.Data3 = kData3;
    for (int i = 0; i < 8; ++i) guid.Data4[i] = kData4[i];
    return guid;
}

const GUID& IconIdentity::OfIcon(int icon) { return g_processIdentities.icon[icon == 1 ? 1 : 0]; }
