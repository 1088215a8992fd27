// GIMP palettes and gradients: the first byte chooses ".gpl" or ".ggr", the
// rest is the file, taken as a gradient over a range or refused.

#include "FuzzSupport.h"
#include "core/gradient/GimpGradientFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char* extension = data[0] % 2 == 0 ? ".gpl" : ".ggr";
  try {
    vorla::ReadGimpFileAsPalString(vorla::fuzz::ScratchFile(extension, data + 1, size - 1), 6, 255);
  } catch (const vorla::GimpFileError&) {
  }
  return 0;
}
