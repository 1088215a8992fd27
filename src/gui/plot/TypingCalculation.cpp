#include "gui/plot/TypingCalculation.h"

#include "core/io/IniFile.h"

namespace vorla {
namespace {

constexpr char kSection[] = "Opciones";
constexpr char kKey[] = "CalcularAlEscribir";

}  // namespace

TypingCalculation::TypingCalculation(std::filesystem::path settingsFile, QObject* parent)
    : QObject(parent), settingsFile_(std::move(settingsFile)) {
  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMs);
  connect(&pause_, &QTimer::timeout, this, &TypingCalculation::pauseEnded);
  try {
    on_ = IniFile::Read(settingsFile_).ReadString(kSection, kKey).value_or("0") == "1";
  } catch (const IniFileError&) {
    // An unreadable settings file leaves the option off, as on a first run.
  }
}

void TypingCalculation::SetOn(bool on) {
  on_ = on;
  if (!on) pause_.stop();
  try {
    IniFile ini = IniFile::Read(settingsFile_);
    ini.WriteString(kSection, kKey, on ? "1" : "0");
    ini.Write(settingsFile_);
  } catch (const IniFileError&) {
    // Not remembered; the option still works for this run.
  }
}

void TypingCalculation::TextChanged() {
  if (!on_) return;
  emit textChangedWhileOn();
  pause_.start();
}

}  // namespace vorla
