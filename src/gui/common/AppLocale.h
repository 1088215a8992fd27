#pragma once

namespace vorla {

// Numbers are shown and read with "." whatever the system locale; call once
// after the QApplication exists (its constructor adopts the user's locale).
void UseDotDecimalSeparator();

}  // namespace vorla
