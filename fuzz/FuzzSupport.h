#pragma once
// Shared by the fuzz targets: the input as text, and as a scratch file for
// the readers that take a path.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace vorla::fuzz {

inline std::string Text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// The bytes in a file of this process named with `extension` (the readers
// choose by it), rewritten for every input.
inline std::filesystem::path ScratchFile(std::string_view extension, const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("vorla-fuzz-" + std::to_string(::getpid()) + std::string(extension));
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file != nullptr) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  return path;
}

}  // namespace vorla::fuzz
