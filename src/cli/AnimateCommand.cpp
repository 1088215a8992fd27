#include "cli/AnimateCommand.h"

#include <cctype>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "cli/CliDocument.h"
#include "core/io/FileError.h"
#include "core/plot/PaletteCycle.h"
#include "core/plot/RenderDocument.h"

namespace vorla::cli {
namespace {

constexpr int kUsageError = 2;
constexpr int kAnimateError = 1;

struct AnimateOptions {
  std::optional<std::string> document;
  std::string output;
  std::optional<PictureSize> size;  // by default a picture's own, else 640 x 480
  std::optional<int> speed;         // by default the document's
};

void Fail(const std::string& utf8) { std::fprintf(stderr, "vorlascope-cli animate: %s\n", utf8.c_str()); }

bool EndsWithGif(const std::string& name) {
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return end == ".gif";
}

// Usage errors are printed here; nothing means the arguments were refused.
std::optional<AnimateOptions> ParseArgs(Args args) {
  AnimateOptions options;
  bool hasOutput = false;
  const auto usage = [](const std::string& message) {
    Fail(message);
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool takesValue = arg == "-o" || arg == "--size" || arg == "--speed";
    if (takesValue && i + 1 >= args.size()) return usage("an option lacks its value");
    if (arg == "-o") {
      options.output = std::string(args[++i]);
      hasOutput = true;
    } else if (arg == "--size") {
      options.size = ParseSize(args[++i]);
      if (!options.size) return usage("--size wants WIDTHxHEIGHT, e.g. 800x600");
    } else if (arg == "--speed") {
      options.speed = ParseInt(args[++i]);
      if (!options.speed || *options.speed < kMinSpeed || *options.speed > kMaxSpeed)
        return usage("--speed wants a whole number from -100 to 100");
    } else if (arg.size() > 1 && arg[0] == '-') {
      return usage("unknown option '" + std::string(arg) + "'");
    } else if (options.document) {
      return usage("more than one document given");
    } else {
      options.document = std::string(arg);
    }
  }
  if (!hasOutput) return usage("-o OUT.gif is required");
  if (!EndsWithGif(options.output)) return usage("the output name must end in .gif: " + options.output);
  return options;
}

int Animate(const AnimateOptions& options) {
  const CliDocument loaded = LoadCliDocument(options.document);
  const int speed = options.speed.value_or(loaded.document.Vel);
  CycleTicks(speed);  // refuses a speed of 0 before the picture is calculated
  const PictureSize size = options.size.value_or(loaded.pictureSize.value_or(PictureSize{640, 480}));
  const RenderedPicture rendered = RenderDocument(loaded.document, size.width, size.height, loaded.savedAspect);
  WriteCycleGif(rendered.picture, speed, options.output);
  return 0;
}

}  // namespace

int RunAnimate(Args args) {
  const auto options = ParseArgs(args);
  if (!options) return kUsageError;
  try {
    return Animate(*options);
  } catch (const std::exception& e) {
    // Document, picture and file errors all carry a message for the user.
    Fail(Utf8Message(e));
    return kAnimateError;
  }
}

}  // namespace vorla::cli
