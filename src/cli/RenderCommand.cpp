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

struct RenderOptions {
  std::optional<std::string> document;
  std::string output;
  std::optional<PictureSize> size;  // by default a picture's own, else 640 x 480
  JpegOptions jpeg;
  bool mirrorH = false;
  bool mirrorV = false;
  int threads = 0;  // all cores
};

void Fail(const std::string& utf8) { std::fprintf(stderr, "vorlascope-cli render: %s\n", utf8.c_str()); }

// Usage errors are printed here; nothing means the arguments were refused.
std::optional<RenderOptions> ParseArgs(Args args) {
  RenderOptions options;
  bool hasOutput = false;
  const auto usage = [](const char* message) {
    std::fprintf(stderr, "vorlascope-cli render: %s\n", message);
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool takesValue = arg == "-o" || arg == "--size" || arg == "--quality" || arg == "--mirror" ||
                            arg == "--threads";
    if (takesValue && i + 1 >= args.size()) return usage("an option lacks its value");
    if (arg == "-o") {
      options.output = std::string(args[++i]);
      hasOutput = true;
    } else if (arg == "--size") {
      options.size = ParseSize(args[++i]);
      if (!options.size) return usage("--size wants WIDTHxHEIGHT, e.g. 800x600");
    } else if (arg == "--quality") {
      const auto q = ParseInt(args[++i]);
      if (!q || *q < 1 || *q > 100) return usage("--quality wants a whole number from 1 to 100");
      options.jpeg.quality = *q;
    } else if (arg == "--mirror") {
      const std::string_view how = args[++i];
      if (how != "h" && how != "v" && how != "hv" && how != "vh")
        return usage("--mirror wants h, v or hv");
      options.mirrorH = how.find('h') != std::string_view::npos;
      options.mirrorV = how.find('v') != std::string_view::npos;
    } else if (arg == "--threads") {
      const auto n = ParseInt(args[++i]);
      if (!n || *n < 1) return usage("--threads wants a whole number from 1 on");
      options.threads = *n;
    } else if (arg == "--gray") {
      options.jpeg.gray = true;
    } else if (arg == "--progressive") {
      options.jpeg.progressive = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "vorlascope-cli render: unknown option '%.*s'\n",
                   static_cast<int>(arg.size()), arg.data());
      return std::nullopt;
    } else if (options.document) {
      return usage("more than one document given");
    } else {
      options.document = std::string(arg);
    }
  }
  if (!hasOutput) return usage("-o OUT is required");
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
  const PictureSize size = options.size.value_or(loaded.pictureSize.value_or(PictureSize{640, 480}));
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
