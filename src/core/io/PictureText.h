#pragma once
// The plot document a PNG, JPEG, or SVG or PDF figure carries (written by
// WritePng, WriteJpeg and the figure writer), read back with the picture's
// size and without decoding its pixels.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "core/io/FileError.h"

namespace vorla {

enum class PictureKind { kPng, kJpeg, kSvg, kPdf };

// By the file's first bytes, whatever its name says; nothing for any other
// file, and for one that cannot be opened.
std::optional<PictureKind> PictureKindOf(const std::filesystem::path& path);

// A PNG or JPEG whose header cannot be read; the message is Spanish.
class PictureReadError : public FileError {
 public:
  using FileError::FileError;
};

// The longest document text a picture is read with: far beyond any plot
// document, and small enough that a hostile picture cannot make reading its
// header cost much memory or time. A picture carrying more is refused.
inline constexpr std::size_t kMaxPictureTextBytes = 1024 * 1024;

struct PictureText {
  int width = 0;  // of a figure: its picture's, 0 when it carries no document
  int height = 0;
  std::optional<std::string> text;  // UTF-8, as written; nothing when the picture carries none
};

// Raises PictureReadError for a file that cannot be read, whose header is
// not a valid PNG or JPEG one, or that carries more than kMaxPictureTextBytes
// of text. A JPEG's comment markers are read only up to that total.
PictureText ReadPictureText(const std::filesystem::path& path);

}  // namespace vorla
