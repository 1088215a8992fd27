// Pictures carrying documents: any PNG or JPEG header gives its size and
// text, or is refused; a refused one raises a file error, nothing else.

#include <cstdlib>

#include "FuzzSupport.h"
#include "core/io/PictureText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const vorla::PictureText found = vorla::ReadPictureText(vorla::fuzz::ScratchFile(".png", data, size));
    if (found.text && found.text->size() > vorla::kMaxPictureTextBytes) std::abort();
  } catch (const vorla::FileError&) {
  }
  return 0;
}
