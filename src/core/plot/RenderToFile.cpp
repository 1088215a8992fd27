#include "core/plot/RenderToFile.h"

#include <algorithm>
#include <utility>

#include "core/io/PictureLimits.h"
#include "core/io/PictureSink.h"
#include "core/plot/BandCalculation.h"
#include "core/plot/RenderDocument.h"

namespace vorla {

int BandRows(std::int64_t width) {
  constexpr std::int64_t kBandBytes = 16LL * 1024 * 1024;
  return static_cast<int>(std::clamp<std::int64_t>(kBandBytes / std::max<std::int64_t>(BitmapStride(width, 8), 1),
                                                   1, kBandBytes));
}

bool RendersInBands(std::int64_t width, std::int64_t height, ImageFormat format, std::int64_t bandedPixels) {
  return width * height > bandedPixels && FormatInfo(format).openSink != nullptr;
}

std::optional<PictureStats> RenderDocumentToFile(PlotDocument document, int width, int height, std::optional<float> savedAspect,
                                  const PictureFile& file, const RowProgress& progress, int threads,
                                  int bandRows, std::stop_token stop) {
  if (width <= 0 || height <= 0) throw EmptyPictureError();
  DocumentPlot prepared = PrepareDocument(std::move(document), width, height, savedAspect);
  const int rows = bandRows > 0 ? bandRows : BandRows(width);
  const auto sink =
      OpenPictureSink(file.path, {width, height, 8, file.palette.value_or(prepared.palette)}, file.jpeg,
                      file.documentText);
  BandCalculation calculation(width, height, prepared.view, prepared.settings, *prepared.plot, threads);
  Bitmap band;
  for (int done = 0; done < height;) {
    const int count = std::min(rows, height - done);
    if (band.Height() != count) band.Resize(width, count, 8);
    const int firstRow = sink->BottomUp() ? height - done - count : done;
    RowProgress bandProgress;
    if (progress) bandProgress = [&](int rowsDone, int) { progress(done + rowsDone, height); };
    // The sink, unfinished, takes its partial file away.
    if (calculation.Calculate(band, firstRow, bandProgress, stop) == CalculationEnd::kStopped) return std::nullopt;
    sink->WriteRows(band);
    done += count;
  }
  PictureStats stats = calculation.Finish();
  sink->Finish();
  return stats;
}

}  // namespace vorla
