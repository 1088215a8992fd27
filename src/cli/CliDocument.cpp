#include "cli/CliDocument.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "core/io/PictureLimits.h"
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

PictureSize SizeToDraw(const CliDocument& loaded, const std::optional<PictureSize>& asked) {
  if (asked) return *asked;
  if (!loaded.pictureSize) return {640, 480};
  CheckOwnPictureSize(loaded.pictureSize->width, loaded.pictureSize->height);
  return *loaded.pictureSize;
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

std::optional<PictureArgs> ParsePictureArgs(std::string_view command, Args args,
                                            std::initializer_list<std::string_view> valued, const OptionReader& read) {
  PictureArgs options;
  bool hasOutput = false;
  const auto usage = [command](const std::string& message) {
    std::fprintf(stderr, "vorlascope-cli %.*s: %s\n", static_cast<int>(command.size()), command.data(),
                 message.c_str());
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool takesValue =
        arg == "-o" || arg == "--size" || std::find(valued.begin(), valued.end(), arg) != valued.end();
    if (takesValue && i + 1 >= args.size()) return usage("falta el valor de " + std::string(arg));
    const std::string_view value = takesValue ? args[++i] : std::string_view();
    if (arg == "-o") {
      options.output = std::string(value);
      hasOutput = true;
    } else if (arg == "--size") {
      options.size = ParseSize(value);
      if (!options.size) return usage("--size pide ANCHOxALTO, por ejemplo 800x600");
    } else if (arg.size() > 1 && arg[0] == '-') {
      if (const std::optional<std::string> refused = read(arg, value)) return usage(*refused);
    } else if (options.document) {
      return usage("se dio más de un documento");
    } else {
      options.document = std::string(arg);
    }
  }
  if (!hasOutput) return usage("falta -o SALIDA");
  return options;
}

float AspectOf(PictureSize size) {
  return size.width > 0 ? static_cast<float>(size.height) / static_cast<float>(size.width) : 1.0f;
}

}  // namespace vorla::cli
