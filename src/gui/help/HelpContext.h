#pragma once
// The help context numbers the windows ask for with F1; each one is a topic
// of the manual.

#include <array>

namespace vorla {

enum class HelpContext : int {
  kMain = 1,
  kExport = 15,
  kExpression = 16,
  kColourAdjust = 19,
  kAnimationSpeed = 20,
  kInformation = 21,
  kUseGradient = 23,
  kLoop = 25,
  kRange = 27,
  kGradientLibrary = 29,
  kMosaic = 34,
  kCopy = 35,
};

inline constexpr std::array kHelpContexts = {
    HelpContext::kMain,         HelpContext::kExport,         HelpContext::kExpression, HelpContext::kColourAdjust,
    HelpContext::kAnimationSpeed, HelpContext::kInformation,  HelpContext::kUseGradient, HelpContext::kLoop,
    HelpContext::kRange,        HelpContext::kGradientLibrary, HelpContext::kMosaic,    HelpContext::kCopy,
};

}  // namespace vorla
