#pragma once
// Decodes a raw deflate stream, the compression of zip entries with method 8: stored, fixed
// and dynamic Huffman blocks. The toolchain has no zlib, and the package test needs only this.
#include <cstddef>
#include <vector>

// False for a damaged or truncated stream, or one that would grow past `limit` bytes; nothing
// is read outside `deflated`.
bool Inflate(const std::vector<char>& deflated, size_t limit, std::vector<char>& out);
