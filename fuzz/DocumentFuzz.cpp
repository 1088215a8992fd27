// The document file: any ".vlx" text loads or is refused with a file error.

#include "FuzzSupport.h"
#include "core/plot/DocumentFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    vorla::LoadDocument(vorla::fuzz::ScratchFile(".vlx", data, size));
  } catch (const vorla::FileError&) {
  }
  return 0;
}
