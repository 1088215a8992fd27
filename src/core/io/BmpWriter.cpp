#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/io/ImageRows.h"
#include "core/io/ImageWriter.h"
#include "core/io/PictureSink.h"
#include "core/io/SafeFileOutput.h"
#include "core/io/SystemErrorText.h"

namespace vorla {
namespace {

class LittleEndian {
 public:
  void U16(std::uint32_t v) { Bytes(v, 2); }
  void U32(std::uint32_t v) { Bytes(v, 4); }
  std::vector<std::uint8_t>& Data() { return data_; }

 private:
  void Bytes(std::uint32_t v, int count) {
    for (int i = 0; i < count; ++i) data_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  std::vector<std::uint8_t> data_;
};

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 256 * 4;

// 32-bit pictures go out as 24-bit: their fourth byte carries nothing.
int FileBits(int bitsPerPixel) { return bitsPerPixel == 8 ? 8 : 24; }

std::uint64_t RowBytes(int width, int bitsPerPixel) {
  return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(FileBits(bitsPerPixel)) + 31) / 32 * 4;
}

}  // namespace

std::optional<std::uint32_t> BmpFileSize(int width, int height, int bitsPerPixel) {
  if (width < 0 || height < 0) return std::nullopt;
  const std::uint64_t size = kFileHeaderSize + kInfoHeaderSize + (bitsPerPixel == 8 ? kPaletteSize : 0) +
                             RowBytes(width, bitsPerPixel) * static_cast<std::uint64_t>(height);
  if (size > UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(size);
}

namespace {

// Rows go out bottom row first, as the file stores them.
class BmpSink final : public PictureSink {
 public:
  BmpSink(const std::filesystem::path& path, const SinkPicture& picture, std::uint32_t fileSize)
      : out_(path, ImageFileFailure),
        width_(picture.width),
        sourceBytes_(picture.bitsPerPixel / 8),
        fileBytes_(FileBits(picture.bitsPerPixel) / 8),
        row_(RowBytes(picture.width, picture.bitsPerPixel), 0) {
    const bool paletted = picture.bitsPerPixel == 8;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + (paletted ? kPaletteSize : 0);
    const std::uint32_t imageSize = fileSize - offset;
    LittleEndian header;
    header.U16('B' | ('M' << 8));
    header.U32(fileSize);
    header.U32(0);
    header.U32(offset);
    header.U32(kInfoHeaderSize);
    header.U32(static_cast<std::uint32_t>(picture.width));
    header.U32(static_cast<std::uint32_t>(picture.height));  // positive: rows stored bottom-up
    header.U16(1);
    header.U16(static_cast<std::uint32_t>(fileBytes_ * 8));
    header.U32(0);  // uncompressed
    header.U32(imageSize);
    header.U32(0);
    header.U32(0);
    header.U32(paletted ? 256 : 0);
    header.U32(0);
    if (paletted) {
      for (const Rgb& color : picture.palette)
        header.Data().insert(header.Data().end(), {color.blue, color.green, color.red, 0});
    }
    Put(header.Data());
  }

  bool BottomUp() const override { return true; }

  // Pixels are stored blue, green, red like the file's: rows go out as they
  // are, but for the fourth byte of 32-bit pixels.
  void WriteRows(const Bitmap& band) override {
    for (int y = band.Height() - 1; y >= 0; --y) {
      const std::uint8_t* source = band.Row(y);
      if (sourceBytes_ == fileBytes_) {
        std::copy_n(source, static_cast<std::size_t>(width_) * fileBytes_, row_.begin());
      } else {
        for (int x = 0; x < width_; ++x)
          std::copy_n(source + static_cast<std::size_t>(x) * sourceBytes_, fileBytes_,
                      row_.begin() + static_cast<std::ptrdiff_t>(x) * fileBytes_);
      }
      Put(row_);
    }
  }

  void Finish() override { out_.Commit(); }

 private:
  void Put(const std::vector<std::uint8_t>& bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), out_.File()) != bytes.size()) out_.Fail(SystemErrorText(errno));
  }

  SafeFileOutput out_;
  int width_;
  int sourceBytes_;
  int fileBytes_;
  std::vector<std::uint8_t> row_;
};

}  // namespace

std::unique_ptr<PictureSink> OpenBmpSink(const std::filesystem::path& path, const SinkPicture& picture) {
  RequireWritable(picture.width, picture.height, picture.bitsPerPixel, path);
  const auto fileSize = BmpFileSize(picture.width, picture.height, picture.bitsPerPixel);
  if (!fileSize) throw ImageWriteFailure(path, "la imagen es demasiado grande para un BMP");
  return std::make_unique<BmpSink>(path, picture, *fileSize);
}

void WriteBmp(const Bitmap& bitmap, const std::filesystem::path& path) {
  WriteThroughSink(*OpenBmpSink(path, {bitmap.Width(), bitmap.Height(), bitmap.BitsPerPixel(), bitmap.palette}),
                   bitmap);
}

}  // namespace vorla
