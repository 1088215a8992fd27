#pragma once
// GIMP palettes (".gpl") and gradients (".ggr") taken as gradients: their
// colours become nodes spread over the gradient range, in a palette string
// ready for the gradient table and the library.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/io/Bitmap.h"
#include "core/io/FileError.h"

namespace vorla {

// A file that cannot be read or taken as a gradient; the message is Spanish
// and names the file and, for a faulty line, its number.
class GimpFileError : public FileError {
 public:
  using FileError::FileError;
};

// A colour at a place along the gradient, 0 at its start and 1 at its end.
struct GradientStop {
  double position = 0;
  TColor color = 0;
  friend bool operator==(const GradientStop&, const GradientStop&) = default;
};

enum class GimpFileKind { kPalette, kGradient };

// By extension, letter case aside: ".gpl" or ".ggr".
std::optional<GimpFileKind> GimpFileKindOf(const std::filesystem::path& path);

// The palette's colours evenly spread, first to last. Raises GimpFileError.
std::vector<GradientStop> ReadGimpPalette(const std::filesystem::path& path);
// The ends of every segment where they fall; a segment's blend is taken as
// straight whatever its kind and midpoint. Raises GimpFileError.
std::vector<GradientStop> ReadGimpGradient(const std::filesystem::path& path);

// The stops as nodes over startCol..endCol (position 0 at startCol, 1 at
// endCol), each at least one entry after the one before; a stop of the same
// colour as the one before at the same entry adds nothing. Raises
// GimpFileError, naming `path`, when the nodes do not fit the range or a
// palette string (31 nodes at most).
std::string StopsPalString(const std::vector<GradientStop>& stops, std::uint8_t startCol, std::uint8_t endCol,
                           const std::filesystem::path& path);

// The file read as its kind and spread over the range. Raises GimpFileError.
std::string ReadGimpFileAsPalString(const std::filesystem::path& path, std::uint8_t startCol, std::uint8_t endCol);

}  // namespace vorla
