// vorlascope: the desktop program. The first command-line parameter, if any,
// is a document opened when the window first shows; --help and --version
// answer without a window.

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstring>

#include "cli/Usage.h"
#include "gui/common/Accessibility.h"
#include "gui/common/AppLocale.h"
#include "gui/plot/fmVorla.h"

namespace {

// Written by the build from src/app/vorlascope.txt.
constexpr vorla::cli::Usage kUsage =
#include "app/AppUsage.inc"
    ;

// Answers --help and --version, which need no display; false for any other
// command line.
bool AnsweredWithoutWindow(int argc, char** argv) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(vorla::cli::UsageText("vorlascope", kUsage).c_str(), stdout);
    return true;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("Vorlascope %s\n", VORLA_VERSION);
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (AnsweredWithoutWindow(argc, argv)) return 0;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorlascope"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vorlascope.svg")));
  // Ties the windows to the installed desktop entry (its icon and name).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vorlascope.Vorlascope"));
  vorla::UseDotDecimalSeparator();
  vorla::InstallAccessibility();
  // The standard buttons and dialogs speak Spanish like the rest of the program.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  const QStringList arguments = QApplication::arguments();
  vorla::TFVorla window(nullptr, {}, arguments.size() > 1 ? arguments.at(1) : QString());
  window.show();
  return app.exec();
}
