#pragma once
// Shared by the picture writers: the depths they accept, their error text and
// the conversion of a row to red, green, blue bytes.

#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>

#include "core/io/Bitmap.h"
#include "core/io/ImageWriter.h"

namespace vorla {

ImageWriteError ImageWriteFailure(const std::filesystem::path& path, const std::string& reason);
// The same error for SafeFileOutput to raise.
std::exception_ptr ImageFileFailure(const std::filesystem::path& path, const std::string& reason);

// Raises ImageWriteError unless the picture has pixels and 8, 24 or 32 bits.
void RequireWritable(int width, int height, int bitsPerPixel, const std::filesystem::path& path);

// A row of `width` pixels of that depth (8 bits: indices into the palette)
// as triples of red, green, blue.
void RowToRgb(const std::uint8_t* row, int width, int bitsPerPixel, const Palette& palette, std::uint8_t* rgb);

}  // namespace vorla
