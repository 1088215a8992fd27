// Pictures dropped on the main window: one carrying its document opens that
// document without taking the picture's name; one without is refused.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QSpinBox>
#include <QUrl>

#include "MainWindowFixture.h"
#include "core/io/ImageWriter.h"
#include "core/plot/DocumentFile.h"

namespace vorla::gui_test {
namespace {

class PictureDropTest : public FVorlaTest {
 protected:
  void Drop(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject*>(window_.get())->event(&drop);
  }
};

TEST_F(PictureDropTest, APictureOpensTheDocumentItCarries) {
  PlotDocument document = PlotDocument::StartUp();
  document.Func = "x*y-1";
  document.Ymin = "-2.5";  // the x range follows the window's shape
  document.Vel = -7;
  const QString path = dir_.filePath(QStringLiteral("dibujo.png"));
  WritePng(Bitmap(4, 3, 24), path.toStdString(), DocumentText(document, 1.0f));
  Drop(path);
  EXPECT_EQ(ComboText("ComboBox1"), QStringLiteral("x*y-1"));
  EXPECT_EQ(FieldText("txtYmin"), QStringLiteral("-2.5"));
  EXPECT_EQ(Child<QSpinBox>("SpinEdit1")->value(), -7);
  EXPECT_TRUE(window_->CurrentFileName().isEmpty()) << "saving asks for a .vlx name";

  const QString bare = dir_.filePath(QStringLiteral("foto.jpg"));
  WriteJpeg(Bitmap(4, 3, 24), bare.toStdString());
  QString message;
  AcceptMessage(message);
  Drop(bare);
  EXPECT_TRUE(message.contains(QStringLiteral("no lleva ningún documento de Vorlascope"))) << qPrintable(message);
  EXPECT_EQ(ComboText("ComboBox1"), QStringLiteral("x*y-1"));
}

}  // namespace
}  // namespace vorla::gui_test
