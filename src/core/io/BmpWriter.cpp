#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <vector>

#include "core/io/ImageRows.h"
#include "core/io/ImageWriter.h"
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

void WriteBmp(const Bitmap& bitmap, const std::filesystem::path& path) {
  RequireWritable(bitmap, path);
  const auto fileSize = BmpFileSize(bitmap.Width(), bitmap.Height(), bitmap.BitsPerPixel());
  if (!fileSize) throw ImageWriteFailure(path, "la imagen es demasiado grande para un BMP");
  const bool paletted = bitmap.BitsPerPixel() == 8;
  const int bits = FileBits(bitmap.BitsPerPixel());
  const auto stride = static_cast<std::uint32_t>(RowBytes(bitmap.Width(), bitmap.BitsPerPixel()));
  const std::uint32_t paletteSize = paletted ? kPaletteSize : 0;
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + paletteSize;
  const std::uint32_t imageSize = *fileSize - offset;

  LittleEndian header;
  header.U16('B' | ('M' << 8));
  header.U32(offset + imageSize);
  header.U32(0);
  header.U32(offset);
  header.U32(kInfoHeaderSize);
  header.U32(static_cast<std::uint32_t>(bitmap.Width()));
  header.U32(static_cast<std::uint32_t>(bitmap.Height()));  // positive: rows stored bottom-up
  header.U16(1);
  header.U16(static_cast<std::uint32_t>(bits));
  header.U32(0);  // uncompressed
  header.U32(imageSize);
  header.U32(0);
  header.U32(0);
  header.U32(paletted ? 256 : 0);
  header.U32(0);
  if (paletted) {
    for (const Rgb& color : bitmap.palette) {
      header.Data().insert(header.Data().end(), {color.blue, color.green, color.red, 0});
    }
  }

  SafeFileOutput out(path, ImageFileFailure);
  std::FILE* file = out.File();
  bool ok = std::fwrite(header.Data().data(), 1, header.Data().size(), file) == header.Data().size();
  std::vector<std::uint8_t> row(stride, 0);
  // Pixels are stored blue, green, red like the file's: rows go out as they
  // are, but for the fourth byte of 32-bit pixels.
  const int fileBytes = bits / 8;
  const int sourceBytes = bitmap.BitsPerPixel() / 8;
  for (int y = bitmap.Height() - 1; ok && y >= 0; --y) {
    const std::uint8_t* source = bitmap.Row(y);
    if (sourceBytes == fileBytes) {
      std::copy_n(source, static_cast<std::size_t>(bitmap.Width()) * fileBytes, row.begin());
    } else {
      for (int x = 0; x < bitmap.Width(); ++x)
        std::copy_n(source + static_cast<std::size_t>(x) * sourceBytes, fileBytes,
                    row.begin() + static_cast<std::ptrdiff_t>(x) * fileBytes);
    }
    ok = std::fwrite(row.data(), 1, row.size(), file) == row.size();
  }
  if (!ok) out.Fail(SystemErrorText(errno));
  out.Commit();
}

}  // namespace vorla
