#pragma once
// The help context numbers the windows ask for with F1; each one is a topic
// of the manual.

#include <array>

namespace vorla {

enum class HelpContext : int {
  Main = 1,
  Export = 15,
  Expression = 16,
  ColourAdjust = 19,
  AnimationSpeed = 20,
  Information = 21,
  UseGradient = 23,
  Loop = 25,
  Range = 27,
  GradientLibrary = 29,
  Mosaic = 34,
  Copy = 35,
};

inline constexpr std::array kHelpContexts = {
    HelpContext::Main,         HelpContext::Export,         HelpContext::Expression, HelpContext::ColourAdjust,
    HelpContext::AnimationSpeed, HelpContext::Information,  HelpContext::UseGradient, HelpContext::Loop,
    HelpContext::Range,        HelpContext::GradientLibrary, HelpContext::Mosaic,    HelpContext::Copy,
};

}  // namespace vorla
