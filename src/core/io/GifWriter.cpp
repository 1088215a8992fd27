#include "core/io/GifWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <gif_lib.h>

#include "core/io/ImageRows.h"
#include "core/io/SafeFileOutput.h"
#include "core/io/SystemErrorText.h"

namespace vorla {
namespace {

constexpr int kMaxSide = 65535;

struct Sink {
  std::FILE* file;
  int systemError = 0;  // errno of a failed write, else 0
};

int WriteBytes(GifFileType* gif, const GifByteType* data, int length) {
  auto* sink = static_cast<Sink*>(gif->UserData);
  const auto written = std::fwrite(data, 1, static_cast<std::size_t>(length), sink->file);
  if (written != static_cast<std::size_t>(length)) sink->systemError = errno;
  return static_cast<int>(written);
}

}  // namespace

void WriteGif(const Bitmap& bitmap, const std::filesystem::path& path) {
  if (bitmap.BitsPerPixel() != 8 && !bitmap.Empty())
    throw ImageWriteFailure(path, "el formato GIF s\xF3lo admite im\xE1genes de 256 colores");
  GifAnimationWriter gif(path, bitmap.Width(), bitmap.Height(), bitmap.palette, 0);
  gif.AddFrame(bitmap);
  gif.Commit();
}

struct GifAnimationWriter::Encoder {
  Sink sink;
  GifFileType* gif = nullptr;
  int error = 0;  // giflib's code of the last failure

  // Closing frees the library's state, also after a failure; it is done once.
  bool Close() {
    GifFileType* gif = std::exchange(this->gif, nullptr);
    return gif == nullptr || EGifCloseFile(gif, &error) == GIF_OK;
  }
  ~Encoder() { Close(); }
};

GifAnimationWriter::GifAnimationWriter(const std::filesystem::path& path, int width, int height,
                                       const Palette& palette, int delayHundredths)
    : path_(path), width_(width), height_(height), delay_(delayHundredths) {
  if (width <= 0 || height <= 0) throw ImageWriteFailure(path, "la imagen est\xE1 vac\xED" "a");
  if (width > kMaxSide || height > kMaxSide)
    throw ImageWriteFailure(path, "el formato GIF admite hasta 65535 p\xEDxeles de ancho y de alto");
  out_ = std::make_unique<SafeFileOutput>(path, ImageFileFailure);
  encoder_ = std::make_unique<Encoder>();
  encoder_->sink.file = out_->File();
  encoder_->gif = EGifOpen(&encoder_->sink, WriteBytes, &encoder_->error);
  if (!encoder_->gif) Fail();

  GifColorType colors[256];
  for (std::size_t i = 0; i < palette.size(); ++i) colors[i] = {palette[i].red, palette[i].green, palette[i].blue};
  ColorMapObject* map = GifMakeMapObject(256, colors);
  if (!map) out_->Fail(SystemErrorText(ENOMEM));
  EGifSetGifVersion(encoder_->gif, true);
  const bool written = EGifPutScreenDesc(encoder_->gif, width, height, 8, 0, map) == GIF_OK;
  GifFreeMapObject(map);
  if (!written) Fail();

  // The application extension that browsers read as "loop for ever".
  static const GifByteType kNetscape[] = "NETSCAPE2.0";
  static const GifByteType kLoopForEver[] = {1, 0, 0};
  if (EGifPutExtensionLeader(encoder_->gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
      EGifPutExtensionBlock(encoder_->gif, 11, kNetscape) != GIF_OK ||
      EGifPutExtensionBlock(encoder_->gif, 3, kLoopForEver) != GIF_OK ||
      EGifPutExtensionTrailer(encoder_->gif) != GIF_OK)
    Fail();
}

GifAnimationWriter::~GifAnimationWriter() = default;

void GifAnimationWriter::AddFrame(const Bitmap& frame) {
  if (frame.Width() != width_ || frame.Height() != height_ || frame.BitsPerPixel() != 8)
    throw ImageWriteFailure(path_, "los cuadros de la animaci\xF3n no son todos del mismo tama\xF1o");
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = delay_;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(encoder_->gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) != GIF_OK ||
      EGifPutImageDesc(encoder_->gif, 0, 0, width_, height_, false, nullptr) != GIF_OK)
    Fail();
  std::vector<GifPixelType> row(static_cast<std::size_t>(width_));
  for (int y = 0; y < height_; ++y) {
    // giflib takes the row as modifiable, though it only reads it.
    std::copy_n(frame.Row(y), width_, row.begin());
    if (EGifPutLine(encoder_->gif, row.data(), width_) != GIF_OK) Fail();
  }
}

void GifAnimationWriter::Commit() {
  if (!encoder_->Close()) Fail();
  out_->Commit();
}

void GifAnimationWriter::Fail() {
  const int systemError = encoder_ ? encoder_->sink.systemError : 0;
  const int error = !encoder_ ? 0 : encoder_->gif ? encoder_->gif->Error : encoder_->error;
  if (encoder_) encoder_->Close();
  if (systemError != 0) out_->Fail(SystemErrorText(systemError));
  if (error == E_GIF_ERR_NOT_ENOUGH_MEM) out_->Fail(SystemErrorText(ENOMEM));
  out_->Fail("la biblioteca GIF no pudo escribir la animaci\xF3n (error " + std::to_string(error) + ")");
}

}  // namespace vorla
