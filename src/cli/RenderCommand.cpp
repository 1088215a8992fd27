#include "cli/RenderCommand.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <thread>

#include "cli/CliDocument.h"
#include "cli/StoppableRun.h"
#include "core/gradient/DrawRoutines.h"
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

struct RenderOptions : PictureArgs {
  JpegOptions jpeg;
  bool mirrorH = false;
  bool mirrorV = false;
  int threads = 0;  // all cores
};

// More would only cost memory and start-up: four a hardware thread, at most 256.
int MaxThreads() {
  constexpr int kMost = 256;
  const unsigned hardware = std::thread::hardware_concurrency();
  return hardware == 0 ? kMost : static_cast<int>(std::min<unsigned>(4 * hardware, kMost));
}

void Fail(const std::string& utf8) { std::fprintf(stderr, "vorlascope-cli render: %s\n", utf8.c_str()); }

// The render command's own options; the refusal's text, or nothing when taken.
std::optional<std::string> ReadRenderOption(RenderOptions& options, std::string_view arg, std::string_view value) {
  if (arg == "--quality") {
    const auto q = ParseInt(value);
    if (!q || *q < 1 || *q > 100) return "--quality pide un número entero de 1 a 100";
    options.jpeg.quality = *q;
  } else if (arg == "--mirror") {
    if (value != "h" && value != "v" && value != "hv" && value != "vh") return "--mirror pide h, v o hv";
    options.mirrorH = value.find('h') != std::string_view::npos;
    options.mirrorV = value.find('v') != std::string_view::npos;
  } else if (arg == "--threads") {
    const auto n = ParseInt(value);
    if (!n || *n < 1) return "--threads pide un número entero desde 1";
    if (*n > MaxThreads())
      return "--threads: como máximo " + std::to_string(MaxThreads()) +
             " hilos (cuatro por cada hilo del procesador, hasta 256)";
    options.threads = *n;
  } else if (arg == "--gray") {
    options.jpeg.gray = true;
  } else if (arg == "--progressive") {
    options.jpeg.progressive = true;
  } else {
    return "opción desconocida «" + std::string(arg) + "»";
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
// stopped, it leaves no file. Sizes are refused before any work.
JobWork RenderFile(const RenderOptions& options, const CliDocument& loaded, PictureSize size, ImageFormat format,
                   PictureStats& stats) {
  // The document as loaded, with the aspect it is corrected from, draws the
  // same picture again at the same size.
  std::string text = DocumentText(loaded.document, loaded.savedAspect.value_or(AspectOf(size)));
  const bool mirror = options.mirrorH || options.mirrorV;
  // Bands are not mirrored: a mirrored picture is made whole.
  if (!mirror && RendersInBands(size.width, size.height, format)) {
    CheckBandedPictureSize(size.width, size.height, format, BandRows(size.width), options.jpeg);
    return [&options, &loaded, size, text, &stats](const JobContext& job) {
      const std::optional<PictureStats> written =
          RenderDocumentToFile(loaded.document, size.width, size.height, loaded.savedAspect,
                               {options.output, options.jpeg, text, std::nullopt}, job.progress, options.threads, 0,
                               job.stop);
      if (written) stats = *written;
      return written.has_value();
    };
  }
  // Mirroring repeats every column (row) but the axis.
  const auto mirrored = [](int side, bool mirror) { return mirror ? 2 * std::int64_t{side} - 1 : side; };
  CheckPictureSize(mirrored(size.width, options.mirrorH), mirrored(size.height, options.mirrorV), format);
  return [&options, &loaded, size, text, &stats, mirror](const JobContext& job) {
    std::optional<RenderedPicture> rendered = RenderDocument(loaded.document, size.width, size.height,
                                                             loaded.savedAspect, job.progress, options.threads, job.stop);
    if (!rendered) return false;
    if (mirror) MirrorBitmap(rendered->picture, options.mirrorH, options.mirrorV);
    stats = rendered->stats;
    return WriteImage(rendered->picture, options.output, options.jpeg, text, job.stop);
  };
}

int Render(const RenderOptions& options) {
  const std::optional<ImageFormat> format = ImageFormatFromPath(options.output);
  if (!format) {
    Fail("el nombre de salida debe terminar en " + ExtensionList(" o ") + ": " + options.output);
    return kUsageError;
  }
  const CliDocument loaded = LoadCliDocument(options.document);
  const PictureSize size = SizeToDraw(loaded, options.size);
  PictureStats stats;
  const StoppableResult run = RunStoppable(RenderFile(options, loaded, size, *format, stats));
  if (const std::optional<int> status = StoppedStatus(run)) {
    Fail(kStoppedMessage);
    return *status;
  }

  // The information window's report.
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
  } catch (const std::bad_alloc&) {
    Fail("No hay memoria suficiente para la imagen");
    return kRenderError;
  } catch (const std::exception& e) {
    Fail(FailureText(e));
    return kRenderError;
  }
}

}  // namespace vorla::cli
