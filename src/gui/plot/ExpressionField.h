#pragma once
// The seven expression fields of the main window: the function on the tool
// bar, the colour scale and the plane rectangle on the properties panel.

namespace vorla {

enum class ExpressionField { kFunc, kZmin, kZmax, kXmin, kYmin, kXmax, kYmax };

}  // namespace vorla
