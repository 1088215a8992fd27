#include "cli/AnimateCommand.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "cli/CliDocument.h"
#include "cli/StoppableRun.h"
#include "core/io/PictureFormats.h"
#include "core/plot/PaletteCycle.h"
#include "core/plot/RenderDocument.h"

namespace vorla::cli {
namespace {

constexpr int kUsageError = 2;
constexpr int kAnimateError = 1;

struct AnimateOptions : PictureArgs {
  std::optional<int> speed;  // by default the document's
};

void Fail(const std::string& utf8) { std::fprintf(stderr, "vorlascope-cli animate: %s\n", utf8.c_str()); }

// Only the GIF type holds the frames of an animation.
constexpr ImageFormat kAnimationFormat = ImageFormat::kGif;

// The animate command's own option; the refusal's text, or nothing when taken.
std::optional<std::string> ReadAnimateOption(AnimateOptions& options, std::string_view arg, std::string_view value) {
  if (arg != "--speed") return "opción desconocida «" + std::string(arg) + "»";
  options.speed = ParseInt(value);
  if (!options.speed || *options.speed < kMinSpeed || *options.speed > kMaxSpeed)
    return "--speed pide un número entero de -100 a 100";
  return std::nullopt;
}

// Usage errors are printed here; nothing means the arguments were refused.
std::optional<AnimateOptions> ParseArgs(Args args) {
  AnimateOptions options;
  const auto common = ParsePictureArgs("animate", args, {"--speed"}, [&options](std::string_view arg, std::string_view value) {
    return ReadAnimateOption(options, arg, value);
  });
  if (!common) return std::nullopt;
  static_cast<PictureArgs&>(options) = *common;
  if (ImageFormatFromPath(options.output) != kAnimationFormat) {
    Fail("el nombre de salida debe terminar en " + std::string(FormatInfo(kAnimationFormat).extension) + ": " +
         options.output);
    return std::nullopt;
  }
  return options;
}

int Animate(const AnimateOptions& options) {
  const CliDocument loaded = LoadCliDocument(options.document);
  const int speed = options.speed.value_or(loaded.document.Vel);
  CycleTicks(speed);  // refuses a speed of 0 before the picture is calculated
  const PictureSize size = SizeToDraw(loaded, options.size);
  const StoppableResult run = RunStoppable([&](const JobContext& job) {
    const std::optional<RenderedPicture> rendered =
        RenderDocument(loaded.document, size.width, size.height, loaded.savedAspect, job.progress, 0, job.stop);
    return rendered && WriteCycleGif(rendered->picture, speed, options.output, job.stop);
  });
  if (const std::optional<int> status = StoppedStatus(run)) {
    Fail(kStoppedMessage);
    return *status;
  }
  return 0;
}

}  // namespace

int RunAnimate(Args args) {
  const auto options = ParseArgs(args);
  if (!options) return kUsageError;
  try {
    return Animate(*options);
  } catch (const std::exception& e) {
    Fail(FailureText(e));
    return kAnimateError;
  }
}

}  // namespace vorla::cli
