#pragma once
// The position of a virtual function in its class's table, read from a pointer to member.
// g++ (on mingw as elsewhere) encodes a virtual member pointer as 1 + the byte offset of its
// slot; a non-virtual one as the function's address, which gives -1 here.
#include <cstdint>
#include <cstring>

template <typename MemberPointer> long VtableSlot(MemberPointer member) {
    static_assert(sizeof(MemberPointer) == 2 * sizeof(void*), "a member function pointer");
    struct {
        std::uintptr_t pointer;
        std::intptr_t adjustment;
    } raw;
    std::memcpy(&raw, &member, sizeof raw);
    if ((raw.pointer & 1) == 0) return -1;
    return static_cast<long>((raw.pointer - 1) / sizeof(void*));
}
