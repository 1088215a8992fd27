#include "cli/CliDocument.h"

#include <charconv>

#include "core/io/PictureText.h"
#include "core/plot/DocumentFile.h"

namespace vorla::cli {

CliDocument LoadCliDocument(const std::optional<std::string>& name) {
  CliDocument loaded;
  if (!name) return loaded;
  const LoadedDocument document = LoadDocument(*name);
  loaded.document = document.document;
  loaded.savedAspect = document.aspect;
  if (PictureKindOf(*name)) {
    const PictureText picture = ReadPictureText(*name);
    loaded.pictureSize = PictureSize{picture.width, picture.height};
  }
  return loaded;
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
    return std::nullopt;
  return value;
}

std::optional<PictureSize> ParseSize(std::string_view text) {
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const auto width = ParseInt(text.substr(0, x));
  const auto height = ParseInt(text.substr(x + 1));
  if (!width || !height || *width < 0 || *height < 0) return std::nullopt;
  return PictureSize{*width, *height};
}

float AspectOf(PictureSize size) {
  return size.width > 0 ? static_cast<float>(size.height) / static_cast<float>(size.width) : 1.0f;
}

}  // namespace vorla::cli
