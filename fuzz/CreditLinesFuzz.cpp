// The scrolling credits: any stored line parses or raises EInvalidInteger.

#include "FuzzSupport.h"
#include "gui/view/CreditLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    vorla::ParseCreditLine(vorla::fuzz::Text(data, size), 0x000080, vorla::CreditAlignment::kCenter);
  } catch (const vorla::EInvalidInteger&) {
  }
  return 0;
}
