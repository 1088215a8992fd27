// The manual's index: any text parses into entries that answer every lookup.

#include <cstdlib>

#include "FuzzSupport.h"
#include "gui/help/HelpIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const vorla::HelpIndex index = vorla::HelpIndex::Parse(QString::fromUtf8(reinterpret_cast<const char*>(data),
                                                                           static_cast<qsizetype>(size)));
  for (const auto& [keyword, entry] : index.Keywords()) {
    if (index.ForKeyword(keyword) == nullptr) std::abort();
    for (const int context : entry->contexts) index.ForContext(context);
  }
  return 0;
}
