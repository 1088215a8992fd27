#pragma once
// The largest pictures that can be made and written. A size is checked
// before its picture is calculated, so that one beyond a limit is refused at
// once with a message naming the limit, rather than after the work.

#include <cstdint>
#include <optional>

#include "core/io/Bitmap.h"
#include "core/io/PictureFormats.h"

namespace vorla {

inline constexpr std::int64_t kMaxRowBytes = 2147483647;  // a bitmap row is counted in 32 bits

// The largest picture drawn again at the size a picture carrying its
// document claims, as the export dialog and the manual admit. A header can
// claim any size its format allows, whatever the file holds: a larger one
// must be asked for by its size.
inline constexpr int kMaxOwnPictureSide = 32000;
// Raises PictureSizeError naming the size when a side passes that limit.
void CheckOwnPictureSize(std::int64_t width, std::int64_t height);

// Raises PictureSizeError naming the first limit that a width x height
// picture passes when it is written as `format`: the format's (JPEG and PNG
// sides, the BMP file's 4 GB), the bitmap's row, then the memory the system
// can give now. Sizes of 0 and below pass: the calculation refuses them.
void CheckPictureSize(std::int64_t width, std::int64_t height, ImageFormat format, int bitsPerPixel = 8);

// The same for a picture calculated in bands of bandRows rows and streamed
// to its file: only a band must fit in memory, and for a progressive JPEG
// the compressor's coefficients of the whole picture, which it holds until
// the last row.
void CheckBandedPictureSize(std::int64_t width, std::int64_t height, ImageFormat format, std::int64_t bandRows,
                            const JpegOptions& jpeg = {});

// Bytes in one bitmap row of `width` pixels, padded to a multiple of 4.
std::int64_t BitmapStride(std::int64_t width, int bitsPerPixel);

// What a bitmap raises for a row beyond kMaxRowBytes, and when memory is
// refused.
PictureSizeError RowTooLong(std::int64_t width, std::int64_t height);
PictureSizeError NoMemoryFor(std::int64_t width, std::int64_t height);

// Bytes of memory the system can give now without swapping, when known.
std::optional<std::uint64_t> AvailableMemory();

}  // namespace vorla
