// Window placement in the settings file, help contexts, document-type
// registration and dropped file names.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "MainWindowFixture.h"
#include "core/io/IniFile.h"
#include "core/io/TextEncoding.h"
#include "core/plot/ProgramFolder.h"
#include "gui/common/FormUtils.h"
#include "gui/common/HelpTopics.h"
#include "gui/desktop/DropFiles.h"
#include "gui/plot/AboutText.h"
#include "gui/desktop/FileTypeRegistration.h"

namespace vorla {
namespace {

std::filesystem::path SettingsIn(const QTemporaryDir& dir) {
  return std::filesystem::path(dir.path().toStdString()) / "vorla.ini";
}

TEST(FormPlacementTest, SavedPlacementComesBackUnderTheFormsOwnSection) {
  QTemporaryDir dir;
  QWidget saved;
  saved.setObjectName(QStringLiteral("FTest"));
  saved.setGeometry(40, 50, 320, 210);
  SaveFormPlacement(saved, SettingsIn(dir));

  const IniFile ini = IniFile::Read(SettingsIn(dir));
  EXPECT_EQ(ini.ReadString("PosFTest", "First", "?"), "0");
  EXPECT_EQ(ini.ReadString("PosFTest", "Show", "?"), "0");
  EXPECT_EQ(ini.ReadString("PosFTest", "Width", "?"), "320");

  QWidget restored;
  restored.setObjectName(QStringLiteral("FTest"));
  restored.resize(100, 100);
  EXPECT_FALSE(RestoreFormPlacement(restored, SettingsIn(dir), FirstPlacement::kDesktopCenter));
  EXPECT_EQ(restored.size(), QSize(320, 210));

  QWidget other;
  other.setObjectName(QStringLiteral("FOther"));
  other.resize(300, 200);
  EXPECT_TRUE(RestoreFormPlacement(other, SettingsIn(dir), FirstPlacement::kDesktopCenter)) << "a first run says so";
  EXPECT_EQ(other.size(), QSize(300, 200)) << "and leaves the size alone";
}

TEST(FormPlacementTest, KeepOnScreenPullsAStrayWindowBack) {
  QWidget form;
  form.resize(200, 100);
  struct Row { const char* name; QPoint start; };
  const Row rows[] = {{"above and left", QPoint(-500, -400)}, {"below and right", QPoint(100000, 100000)}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    form.move(row.start);
    KeepOnScreen(form);
    EXPECT_GE(form.x(), 0);
    EXPECT_GE(form.y(), 0);
    EXPECT_LT(form.x(), 100000 - 200);
    EXPECT_LT(form.y(), 100000 - 100);
  }
}

// text: UTF-8
struct MessageButtonRow { const char* name; QMessageBox::StandardButton button; const char* text; };

// The buttons speak Spanish even where the toolkit's translations are missing,
// and the one pressed is what the caller gets back.
TEST(AppMessageBoxTest, SpanishButtonsUnderTheApplicationTitle) {
  const MessageButtonRow rows[] = {
      {"accept", QMessageBox::Ok, "Aceptar"},
      {"yes", QMessageBox::Yes, "Sí"},
      {"no", QMessageBox::No, "No"},
      {"cancel", QMessageBox::Cancel, "Cancelar"},
  };
  for (const MessageButtonRow& row : rows) {
    SCOPED_TRACE(row.name);
    QString caption;
    QString text;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      caption = box->windowTitle();
      text = box->button(row.button)->text();
      box->button(row.button)->click();
    });
    const QMessageBox::StandardButton pressed =
        AppMessageBox(nullptr, QStringLiteral("¿Seguro?"), QMessageBox::Question, QMessageBox::Ok | QMessageBox::Yes |
                                                                                       QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(pressed, row.button);
    EXPECT_EQ(caption, QStringLiteral("Vorlascope"));
    EXPECT_EQ(text, QString::fromUtf8(row.text));
  }
}

TEST(HelpTopicTest, ContextIsInheritedFromTheNearestParent) {
  QWidget window;
  QWidget panel(&window);
  QWidget field(&panel);
  EXPECT_EQ(HelpContextOf(&field), 1);
  SetHelpContext(panel, 27);
  EXPECT_EQ(HelpContextOf(&field), 27);
  SetHelpContext(field, 16);
  EXPECT_EQ(HelpContextOf(&field), 16);
}

TEST(AboutTextTest, IsWrittenBetweenTheMarginsWithTheDarkestEntry) {
  Bitmap picture;
  picture.Resize(100, 60, 8);
  picture.palette.fill(Rgb{200, 200, 200});
  picture.palette[7] = Rgb{10, 0, 0};
  DrawAboutText(picture, QStringLiteral("Vorlascope\tuna línea larga que se parte en varias líneas"));
  int inMargins = 0;
  int inside = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const int index = picture.Row(y)[x];
      if (index == 0) continue;
      EXPECT_EQ(index, 7);
      (x < 20 || x >= 80 ? inMargins : inside) += 1;
    }
  }
  EXPECT_GT(inside, 0);
  EXPECT_EQ(inMargins, 0);
}

QString ReadAll(const QString& path) { return QString::fromUtf8(gui_test::ReadFile(path)); }

TEST(RegisterFileTypeTest, WritesOnlyWhatIsMissingOrChanged) {
  QTemporaryDir dir;
  const auto registerAt = [&dir](const char* program) {
    return RegisterFileType(QStringLiteral("vlx"), QStringLiteral("VorlaArch"), QStringLiteral("Archivo de Vorlascope"),
                            QString::fromUtf8(program), dir.path());
  };
  EXPECT_TRUE(registerAt("/opt/my programs/vorlascope"));
  const QString mime = ReadAll(dir.path() + QStringLiteral("/mime/packages/VorlaArch.xml"));
  EXPECT_TRUE(mime.contains(QStringLiteral("<glob pattern=\"*.vlx\"/>")));
  EXPECT_TRUE(mime.contains(QStringLiteral("<comment>Archivo de Vorlascope</comment>")));
  const QString desktop = ReadAll(dir.path() + QStringLiteral("/applications/vorlascope-VorlaArch.desktop"));
  EXPECT_TRUE(desktop.contains(QStringLiteral("Exec=\"/opt/my programs/vorlascope\" %f")));
  EXPECT_TRUE(desktop.contains(QStringLiteral("MimeType=application/x-vorlaarch;")));

  EXPECT_FALSE(registerAt("/opt/my programs/vorlascope"))
      << "a second registration with the same data must write nothing";
  EXPECT_TRUE(registerAt("/usr/bin/vorlascope")) << "a moved program must be registered again";
}

TEST(DroppedFilesTest, NamesArriveWholeAndOnlyLocalFilesCount) {
  const QString longName = QStringLiteral("/tmp/") + QString(200, u'a') + QStringLiteral(" con espacios ñ.vlx");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(longName), QUrl(QStringLiteral("https://example.org/x.vlx")),
                QUrl::fromLocalFile(QStringLiteral("/tmp/b.vlx"))});
  EXPECT_EQ(ReadDroppedFiles(&data), (QStringList{longName, QStringLiteral("/tmp/b.vlx")}));

  QMimeData text;
  text.setText(QStringLiteral("/tmp/a.vlx"));
  EXPECT_TRUE(ReadDroppedFiles(&text).isEmpty());
  EXPECT_TRUE(ReadDroppedFiles(nullptr).isEmpty());
}

}  // namespace
}  // namespace vorla
