// The export dialog: the aspect rule, captions, the JPEG settings, the file
// written and read back with its own decoder, the clipboard, and failures.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

#include "DialogTestSupport.h"
#include "ImageFiles.h"
#include "TempDir.h"
#include "core/plot/RenderDocument.h"
#include "gui/export/frmExportar.h"

namespace vorla::gui_test {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBmp;
using testing_support::ReadJpeg;
using testing_support::ReadPng;

PlotDocument Ramp() {
  PlotDocument d = PlotDocument::StartUp();
  d.Func = std::string("x+y");
  return d;
}

// Entry i is (i, 255 - i, 3i): no two alike, and unlike the document's own gradient.
Palette TestPalette() {
  Palette palette;
  for (int i = 0; i < 256; ++i)
    palette[static_cast<std::size_t>(i)] =
        Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(3 * i)};
  return palette;
}

class ExportDialogTest : public ::testing::Test {
 protected:
  ExportDialogTest()
      : dialog_(ExportHost{[] { return QSize(454, 415); }, [this] { return document_; }, [] { return TestPalette(); },
                           [] { return QString(); }, [this](const QString& text) { statuses_ << text; }}) {}

  // Runs the export: the save dialog (unless copying) gets path and type,
  // then act works the export dialog, which is closed if act leaves it open.
  bool Run(Mirrors mirrors, bool toClipboard, const fs::path& path, ExportFileType type,
           const std::function<void(TfmExportar*)>& act) {
    auto onExport = [act](TfmExportar* dialog) {
      act(dialog);
      if (dialog->isVisible()) dialog->reject();
    };
    if (toClipboard) {
      const QPointer<QTimer> fileWatch = WhenModalIs<QFileDialog>([this](QFileDialog*) { askedForFile_ = true; });
      WhenModalIs<TfmExportar>(onExport);
      const bool produced = dialog_.Execute(mirrors, toClipboard);
      delete fileWatch.data();
      return produced;
    } else {
      WhenModalIs<QFileDialog>([path, type, onExport](QFileDialog* save) {
        save->selectNameFilter(save->nameFilters().at(static_cast<int>(type) - 1));
        save->setDirectory(QString::fromStdString(path.parent_path().string()));
        // Typed as a user would: the dialog's folder listing may still be loading.
        NamedChild<QLineEdit>(save, "fileNameEdit")->setText(QString::fromStdString(path.filename().string()));
        QMetaObject::invokeMethod(save, "accept");
        WhenModalIs<TfmExportar>(onExport);
      });
    }
    return dialog_.Execute(mirrors, toClipboard);
  }

  static void Accept(TfmExportar* dialog) { QTest::mouseClick(NamedChild<QPushButton>(dialog, "Button2"), Qt::LeftButton); }

  static void TypeInto(QSpinBox* field, const char* text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::fromLatin1(text));
  }

  testing_support::TempDir dir_;
  PlotDocument document_ = Ramp();
  QStringList statuses_;
  bool askedForFile_ = false;
  TfmExportar dialog_;
};

TEST_F(ExportDialogTest, SizeFieldsKeepTheAspect) {
  struct Row { const char* name; Mirrors mirrors; bool keep; const char* field; const char* typed; int opensW, opensH, w, h; };
  const Row rows[] = {
      {"width 908 gives height 830", {}, true, "spnAncho", "908", 454, 415, 908, 830},
      {"height 830 gives width 908", {}, true, "spnAlto", "830", 454, 415, 908, 830},
      {"without the aspect the other field stays", {}, false, "spnAncho", "100", 454, 415, 100, 415},
      {"mirrored to the right opens doubled", {true, false}, true, "spnAncho", "454", 908, 415, 454, 208},
      {"the typed field is kept as typed", {true, false}, true, "spnAncho", "45", 908, 415, 45, 21},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Run(r.mirrors, true, {}, ExportFileType::kBitmap, [&r](TfmExportar* d) {
      auto* width = NamedChild<QSpinBox>(d, "spnAncho");
      auto* height = NamedChild<QSpinBox>(d, "spnAlto");
      EXPECT_EQ(width->value(), r.opensW);
      EXPECT_EQ(height->value(), r.opensH);
      NamedChild<QCheckBox>(d, "chkAspecto")->setChecked(r.keep);
      TypeInto(NamedChild<QSpinBox>(d, r.field), r.typed);
      EXPECT_EQ(width->value(), r.w);
      EXPECT_EQ(height->value(), r.h);
      NamedChild<QCheckBox>(d, "chkAspecto")->setChecked(true);
    });
  }
}

TEST_F(ExportDialogTest, CaptionsFollowTheFileTypeAndMirrors) {
  struct Row { const char* name; ExportFileType type; bool copy; Mirrors mirrors; const char* title, *sizeTitle; bool jpegGroup; };
  const Row rows[] = {
      {"JPEG colour", ExportFileType::kJpegColor, false, {}, "Exportar JPEG 24 bits", "Tamaño:", true},
      {"JPEG grey", ExportFileType::kJpegGray, false, {}, "Exportar JPEG Escala de grises", "Tamaño:", true},
      {"bitmap", ExportFileType::kBitmap, false, {false, true}, "Exportar Bitmap", "Tamaño: (Incluye reflejos)", false},
      {"PNG", ExportFileType::kPng, false, {}, "Exportar PNG", "Tamaño:", false},
      {"copy never shows the JPEG settings", ExportFileType::kJpegColor, true, {true, true}, "Copiar",
       "Tamaño: (Incluye reflejos)", false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Run(r.mirrors, r.copy, dir_ / "a", r.type, [&r](TfmExportar* d) {
      EXPECT_EQ(d->windowTitle().toStdString(), r.title);
      EXPECT_EQ(NamedChild<QGroupBox>(d, "GroupBox2")->title().toStdString(), r.sizeTitle);
      EXPECT_EQ(NamedChild<QGroupBox>(d, "GroupBox1")->isVisible(), r.jpegGroup);
    });
  }
}

TEST_F(ExportDialogTest, SettingsCarryOverBetweenUses) {
  Run({}, false, dir_ / "a", ExportFileType::kJpegGray, [](TfmExportar* d) {
    NamedChild<QSlider>(d, "TrackBar1")->setValue(37);
    NamedChild<QCheckBox>(d, "CheckBox1")->setChecked(true);
    NamedChild<QCheckBox>(d, "chkAspecto")->setChecked(false);
  });
  Run({}, true, {}, ExportFileType::kJpegGray, [](TfmExportar* d) {
    EXPECT_EQ(NamedChild<QLabel>(d, "Label1")->text(), QStringLiteral("Compresión: 37%"));
    EXPECT_TRUE(NamedChild<QCheckBox>(d, "CheckBox1")->isChecked());
    EXPECT_FALSE(NamedChild<QCheckBox>(d, "chkAspecto")->isChecked());
  });
  EXPECT_EQ(dialog_.FileType(), ExportFileType::kJpegGray);
}

TEST_F(ExportDialogTest, JpegQualityComesFromTheCompression) {
  struct Row { const char* name; int compression; int firstQuant, lastQuant; };
  const Row rows[] = {
      {"compression 1 is quality 100", 1, 1, 1},
      {"compression 100 is quality 1", 100, 255, 255},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const fs::path chosen = dir_ / ("q" + std::to_string(r.compression) + ".png");
    EXPECT_TRUE(Run({}, false, chosen, ExportFileType::kJpegColor, [&r](TfmExportar* d) {
      NamedChild<QSlider>(d, "TrackBar1")->setValue(r.compression);
      EXPECT_EQ(NamedChild<QLabel>(d, "Label1")->text(), QStringLiteral("Compresión: %1%").arg(r.compression));
      Accept(d);
    }));
    EXPECT_FALSE(fs::exists(chosen)) << "a .png name is saved as .jpg";
    testing_support::JpegImage image;
    ASSERT_TRUE(ReadJpeg(fs::path(chosen).replace_extension(".jpg"), image));
    EXPECT_EQ(image.width, 454);
    EXPECT_EQ(image.height, 415);
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.lumaQuant[0], r.firstQuant);
    EXPECT_EQ(image.lumaQuant[63], r.lastQuant);
  }
  EXPECT_EQ(statuses_.last(), QStringLiteral("Listo"));
  EXPECT_EQ(statuses_.count(QStringLiteral("Guardando archivo")), 2);
}

TEST_F(ExportDialogTest, FilesReadBackWithTheirOwnDecoders) {
  const Bitmap expected = RenderDocument(Ramp(), 227, 208).picture;
  const auto accept227 = [](TfmExportar* d) {
    TypeInto(NamedChild<QSpinBox>(d, "spnAncho"), "227");
    Accept(d);
  };

  ASSERT_TRUE(Run({}, false, dir_ / "b.jpg", ExportFileType::kBitmap, accept227));
  const auto bmp = ReadBmp(dir_ / "b.bmp");
  ASSERT_EQ(bmp.width, 227);
  ASSERT_EQ(bmp.height, 208);
  EXPECT_EQ(bmp.bitsPerPixel, 8);
  ASSERT_EQ(bmp.palette.size(), 256u);
  EXPECT_EQ(bmp.palette[200], (std::array<std::uint8_t, 3>{200, 55, 88})) << "the host's palette, not the document's";
  for (int y : {0, 100, 207})
    EXPECT_EQ(bmp.rows[static_cast<std::size_t>(y)], std::vector<std::uint8_t>(expected.Row(y), expected.Row(y) + 227))
        << "calculated at 227 x 208, row " << y;

  ASSERT_TRUE(Run({}, false, dir_ / "p", ExportFileType::kPng, accept227));
  const auto png = ReadPng(dir_ / "p.png");
  EXPECT_EQ(png.colorType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(png.width, 227);
  ASSERT_EQ(png.palette.size(), 256u);
  EXPECT_EQ(png.palette[9].blue, 27);
  EXPECT_EQ(png.rows[100], bmp.rows[100]);

  ASSERT_TRUE(Run({}, false, dir_ / "g", ExportFileType::kJpegGray, accept227));
  testing_support::JpegImage grey;
  ASSERT_TRUE(ReadJpeg(dir_ / "g.jpg", grey));
  EXPECT_EQ(grey.components, 1);
  EXPECT_EQ(grey.width, 227);
  EXPECT_EQ(grey.height, 208);
}

TEST_F(ExportDialogTest, MirroredExportAddsTheReflection) {
  ASSERT_TRUE(Run({true, false}, false, dir_ / "m", ExportFileType::kBitmap, Accept));
  const auto bmp = ReadBmp(dir_ / "m.bmp");
  ASSERT_EQ(bmp.width, 907);
  ASSERT_EQ(bmp.height, 415);
  const auto& row = bmp.rows[50];
  for (int x : {0, 200, 453}) EXPECT_EQ(row[static_cast<std::size_t>(x)], row[static_cast<std::size_t>(906 - x)]);
}

TEST_F(ExportDialogTest, CopyPutsThePictureOnTheClipboard) {
  QGuiApplication::clipboard()->clear();
  EXPECT_TRUE(Run({}, true, {}, ExportFileType::kBitmap, [](TfmExportar* d) {
    TypeInto(NamedChild<QSpinBox>(d, "spnAncho"), "200");
    Accept(d);
  }));
  QTest::qWait(30);
  EXPECT_FALSE(askedForFile_);
  const QImage image = QGuiApplication::clipboard()->image();
  EXPECT_EQ(image.size(), QSize(200, 183));
  EXPECT_TRUE(statuses_.isEmpty()) << "the status line is only for files";
}

TEST_F(ExportDialogTest, FailuresAreExplained) {
  fs::create_directory(dir_ / "pic.bmp");
  QString message;
  EXPECT_FALSE(Run({}, false, dir_ / "pic.png", ExportFileType::kBitmap, [&message](TfmExportar* d) {
    WhenModalIs<QMessageBox>([&message](QMessageBox* box) {
      message = box->text();
      box->accept();
    });
    Accept(d);
  }));
  EXPECT_TRUE(message.contains(QStringLiteral("pic.bmp"))) << message.toStdString();
  EXPECT_TRUE(message.contains(QStringLiteral("carpeta"))) << message.toStdString();
  EXPECT_NE(statuses_.last(), QStringLiteral("Guardando archivo"));
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir_.path())) left.push_back(entry.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"pic.bmp"}) << "no partial file";

  struct Row { const char* name; Mirrors mirrors; const char* width; };
  const Row zeros[] = {{"width 0", {}, "0"}, {"width 1 halved by the mirror", {true, false}, "1"}};
  for (const Row& r : zeros) {
    SCOPED_TRACE(r.name);
    message.clear();
    EXPECT_FALSE(Run(r.mirrors, false, dir_ / "zero", ExportFileType::kPng, [&message, &r](TfmExportar* d) {
      NamedChild<QCheckBox>(d, "chkAspecto")->setChecked(false);
      TypeInto(NamedChild<QSpinBox>(d, "spnAncho"), r.width);
      WhenModalIs<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->accept();
      });
      Accept(d);
      EXPECT_TRUE(d->isVisible()) << "the dialog stays open to correct the size";
      NamedChild<QCheckBox>(d, "chkAspecto")->setChecked(true);
    }));
    EXPECT_TRUE(message.contains(QStringLiteral("0 pixels"))) << message.toStdString();
    EXPECT_FALSE(fs::exists(dir_ / "zero.png"));
  }
}

TEST_F(ExportDialogTest, EscCancelsTheCalculation) {
  // Long enough for the progress box to come up.
  document_.Func = std::string("Sen(x*Cos(y))^2+Cos(y*Sen(x))^3+r*w+Sen(r+w)");
  bool progressShown = false;
  EXPECT_FALSE(Run({}, false, dir_ / "big", ExportFileType::kPng, [&progressShown](TfmExportar* d) {
    WhenModalIs<QProgressDialog>([&progressShown](QProgressDialog* progress) {
      progressShown = true;
      QTest::keyClick(progress, Qt::Key_Escape);
    });
    NamedChild<QSpinBox>(d, "spnAncho")->setValue(2000);
    Accept(d);
  }));
  EXPECT_TRUE(progressShown);
  EXPECT_FALSE(fs::exists(dir_ / "big.png"));
  EXPECT_TRUE(statuses_.isEmpty()) << "nothing to save";
}

}  // namespace
}  // namespace vorla::gui_test
