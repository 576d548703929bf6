#pragma once
// Picture files for tests and benches: made on the spot through the Windows Imaging Component
// (real JPEG or PNG bytes of a known colour), or read from the small files kept in the tree.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

// A width x height picture of one colour (0xRRGGBB) in the container (GUID_ContainerFormatJpeg,
// GUID_ContainerFormatPng, ...); empty when the system cannot encode it.
std::vector<char> SolidPicture(const GUID& container, int width, int height, uint32_t rgb);

// A picture with gradients, fine texture and edges everywhere, as a photograph has: what a
// decoder and a filter take longest over.
std::vector<char> BusyPicture(const GUID& container, int width, int height);

// A file of tests/data/pictures (see make.sh there); empty when it cannot be read.
std::vector<char> KeptPicture(const char* name);

// A JPEG's frame header made to announce another size (the bytes after it are left as they are).
void AnnounceJpegSize(std::vector<char>& jpeg, int width, int height);

// Whether each of the four bytes of two BGRA pixels (0xAARRGGBB as numbers) differ by at most
// `tolerance`.
bool NearColour(uint32_t pixel, uint32_t argb, int tolerance);

// Writes bytes to a file; false when it cannot.
bool WriteBytes(const std::wstring& path, const std::vector<char>& bytes);
