#include "core/io/PictureSink.h"

namespace vorla {

void WriteThroughSink(PictureSink& sink, const Bitmap& bitmap) {
  sink.WriteRows(bitmap);
  sink.Finish();
}

}  // namespace vorla
