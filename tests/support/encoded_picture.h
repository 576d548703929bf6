#pragma once
// Picture files made on the spot through the Windows Imaging Component, for tests and benches
// that need real JPEG or PNG bytes of a known colour.
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

// Writes bytes to a file; false when it cannot.
bool WriteBytes(const std::wstring& path, const std::vector<char>& bytes);
