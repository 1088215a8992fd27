#include "cli/FigureCommand.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "cli/CliDocument.h"
#include "cli/StoppableRun.h"
#include "core/io/PictureLimits.h"
#include "gui/figure/FigureFile.h"

namespace vorla::cli {
namespace {

constexpr int kUsageError = 2;
constexpr int kFigureError = 1;

void Fail(const std::string& utf8) { std::fprintf(stderr, "vorlascope-cli figure: %s\n", utf8.c_str()); }

// Usage errors are printed here; nothing means the arguments were refused.
std::optional<PictureArgs> ParseArgs(Args args) {
  const auto options = ParsePictureArgs("figure", args, {}, [](std::string_view arg, std::string_view) {
    return std::optional<std::string>("opción desconocida «" + std::string(arg) + "»");
  });
  if (options && !FigureFormatFromPath(options->output)) {
    Fail("el nombre de salida debe terminar en .svg o .pdf: " + options->output);
    return std::nullopt;
  }
  return options;
}

int Figure(const PictureArgs& options) {
  const CliDocument loaded = LoadCliDocument(options.document);
  const PictureSize size = SizeToDraw(loaded, options.size);
  // The picture is embedded as PNG.
  CheckPictureSize(size.width, size.height, ImageFormat::kPng);
  std::optional<FigureContent> figure;
  const StoppableResult run = RunStoppable([&](const JobContext& job) {
    figure = CalculateFigure(loaded.document, size.width, size.height, loaded.savedAspect, std::nullopt, job.progress,
                             job.stop);
    return figure.has_value();
  });
  if (const std::optional<int> status = StoppedStatus(run)) {
    Fail(kStoppedMessage);
    return *status;
  }
  WriteFigure(*figure, options.output, *FigureFormatFromPath(options.output));
  return 0;
}

}  // namespace

int RunFigure(Args args) {
  const auto options = ParseArgs(args);
  if (!options) return kUsageError;
  try {
    return Figure(*options);
  } catch (const std::exception& e) {
    Fail(FailureText(e));
    return kFigureError;
  }
}

}  // namespace vorla::cli
