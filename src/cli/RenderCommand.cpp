#include "cli/RenderCommand.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>

#include "cli/CliDocument.h"
#include "cli/InterruptFlag.h"
#include "cli/ProgressBar.h"
#include "core/gradient/DrawRoutines.h"
#include "core/io/FileError.h"
#include "core/io/PictureFormats.h"
#include "core/io/PictureLimits.h"
#include "core/io/TextEncoding.h"
#include "core/plot/DocumentFile.h"
#include "core/plot/Readout.h"
#include "core/plot/RenderDocument.h"
#include "core/plot/RenderToFile.h"

namespace vorla::cli {
namespace {

constexpr int kUsageError = 2;
constexpr int kRenderError = 1;
constexpr int kInterrupted = 130;  // as a shell reports a command ended by SIGINT

struct RenderOptions : PictureArgs {
  JpegOptions jpeg;
  bool mirrorH = false;
  bool mirrorV = false;
  int threads = 0;  // all cores
};

void Fail(const std::string& utf8) { std::fprintf(stderr, "vorlascope-cli render: %s\n", utf8.c_str()); }

// The render command's own options; the refusal's text, or nothing when taken.
std::optional<std::string> ReadRenderOption(RenderOptions& options, std::string_view arg, std::string_view value) {
  if (arg == "--quality") {
    const auto q = ParseInt(value);
    if (!q || *q < 1 || *q > 100) return "--quality wants a whole number from 1 to 100";
    options.jpeg.quality = *q;
  } else if (arg == "--mirror") {
    if (value != "h" && value != "v" && value != "hv" && value != "vh") return "--mirror wants h, v or hv";
    options.mirrorH = value.find('h') != std::string_view::npos;
    options.mirrorV = value.find('v') != std::string_view::npos;
  } else if (arg == "--threads") {
    const auto n = ParseInt(value);
    if (!n || *n < 1) return "--threads wants a whole number from 1 on";
    options.threads = *n;
  } else if (arg == "--gray") {
    options.jpeg.gray = true;
  } else if (arg == "--progressive") {
    options.jpeg.progressive = true;
  } else {
    return "unknown option '" + std::string(arg) + "'";
  }
  return std::nullopt;
}

// Usage errors are printed here; nothing means the arguments were refused.
std::optional<RenderOptions> ParseArgs(Args args) {
  RenderOptions options;
  const auto common =
      ParsePictureArgs("render", args, {"--quality", "--mirror", "--threads"},
                       [&options](std::string_view arg, std::string_view value) {
                         return ReadRenderOption(options, arg, value);
                       });
  if (!common) return std::nullopt;
  static_cast<PictureArgs&>(options) = *common;
  return options;
}

// The picture calculated and written, whole or, when large, band by band;
// Ctrl+C abandons it (CalculationCancelled) and leaves no file.
PictureStats RenderFile(const RenderOptions& options, const CliDocument& loaded, PictureSize size,
                        ImageFormat format) {
  const InterruptFlag interrupt;
  ProgressBar bar;
  const RowProgress progress = [&](int done, int rows) {
    if (interrupt.Raised()) throw CalculationCancelled();
    bar.Show(done, rows);
  };
  // The document as loaded, with the aspect it is corrected from, draws the
  // same picture again at the same size.
  const std::string text = DocumentText(loaded.document, loaded.savedAspect.value_or(AspectOf(size)));
  const bool mirror = options.mirrorH || options.mirrorV;
  // Bands are not mirrored: a mirrored picture is made whole.
  if (!mirror && RendersInBands(size.width, size.height, format)) {
    CheckBandedPictureSize(size.width, size.height, format, BandRows(size.width), options.jpeg);
    return RenderDocumentToFile(loaded.document, size.width, size.height, loaded.savedAspect,
                                {options.output, options.jpeg, text, std::nullopt}, progress, options.threads);
  }
  // Mirroring repeats every column (row) but the axis.
  const auto mirrored = [](int side, bool mirror) { return mirror ? 2 * std::int64_t{side} - 1 : side; };
  CheckPictureSize(mirrored(size.width, options.mirrorH), mirrored(size.height, options.mirrorV), format);
  RenderedPicture rendered =
      RenderDocument(loaded.document, size.width, size.height, loaded.savedAspect, progress, options.threads);
  if (mirror) MirrorBitmap(rendered.picture, options.mirrorH, options.mirrorV);
  WriteImage(rendered.picture, options.output, options.jpeg, text);
  return rendered.stats;
}

int Render(const RenderOptions& options) {
  const std::optional<ImageFormat> format = ImageFormatFromPath(options.output);
  if (!format) {
    Fail("the output name must end in " + ExtensionList(" or ") + ": " + options.output);
    return kUsageError;
  }
  const CliDocument loaded = LoadCliDocument(options.document);
  const PictureSize size = SizeToDraw(loaded, options.size);
  const PictureStats stats = RenderFile(options, loaded, size, *format);

  // The information window's report; a calculation under a millisecond has
  // no statistics line.
  for (std::string line : InfoReportLines(stats.infoText, stats.errorCounts)) {
    std::erase(line, '\r');
    if (!line.empty()) std::fprintf(stderr, "%s\n", Cp1252ToUtf8(line).c_str());
  }
  return 0;
}

}  // namespace

int RunRender(Args args) {
  const auto options = ParseArgs(args);
  if (!options) return kUsageError;
  try {
    return Render(*options);
  } catch (const CalculationCancelled& e) {
    Fail(Cp1252ToUtf8(e.what()));
    return kInterrupted;
  } catch (const std::bad_alloc&) {
    Fail("No hay memoria suficiente para la imagen");
    return kRenderError;
  } catch (const std::exception& e) {
    // Document, picture and file errors all carry a message for the user.
    Fail(Utf8Message(e));
    return kRenderError;
  }
}

}  // namespace vorla::cli
