// The export dialog: the aspect rule, captions and carried settings, the
// JPEG quality, files read back with their own decoders, the clipboard,
// cancelling, and failures explained.

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

#include <gif_lib.h>

#include "DialogTestSupport.h"
#include "ImageFiles.h"
#include "TempDir.h"
#include "core/io/PictureText.h"
#include "core/plot/DocumentFile.h"
#include "gui/export/frmExportar.h"

namespace vorla::gui_test {
namespace {

namespace fs = std::filesystem;

class ExportDialogTest : public ::testing::Test {
 protected:
  // The palette's entry i is (i, 255 - i, 3i), unlike the document's own gradient.
  ExportDialogTest()
      : dialog_(ExportHost{[] { return QSize(454, 415); }, [this] { return document_; },
                           [] {
                             Palette palette;
                             for (int i = 0; i < 256; ++i)
                               palette[static_cast<std::size_t>(i)] = Rgb{static_cast<std::uint8_t>(i),
                                                                          static_cast<std::uint8_t>(255 - i),
                                                                          static_cast<std::uint8_t>(3 * i)};
                             return palette;
                           },
                           [] { return QString(); }, [this](const QString& text) { statuses_ << text; }}) {
    document_.Func = std::string("x+y");
  }

  // The save dialog (unless copying) gets path and type as a user types
  // them, then act works the export dialog, which is closed if left open.
  bool Run(Mirrors mirrors, bool toClipboard, const fs::path& path, ExportFileType type,
           const std::function<void(TfmExportar*)>& act) {
    auto onExport = [act](TfmExportar* dialog) {
      act(dialog);
      if (dialog->isVisible()) dialog->reject();
    };
    const QPointer<QTimer> fileWatch = WhenModalIs<QFileDialog>([=, this](QFileDialog* save) {
      askedForFile_ = true;
      save->selectNameFilter(save->nameFilters().at(static_cast<int>(type) - 1));
      TypeFileName(save, path);
      QMetaObject::invokeMethod(save, "accept");
      WhenModalIs<TfmExportar>(onExport);
    });
    if (toClipboard) WhenModalIs<TfmExportar>(onExport);
    const bool produced = dialog_.Execute(mirrors, toClipboard);
    delete fileWatch.data();
    return produced;
  }

  // The dialog is reused: a file that an earlier export wrote may still be
  // selected in its list, and a selection outranks the typed name unless the
  // name field has the focus, which it lacks offscreen. selectFile clears it.
  static void TypeFileName(QFileDialog* save, const fs::path& path) {
    save->selectFile(QString::fromStdString(path.string()));
    NamedChild<QLineEdit>(save, "fileNameEdit")->setText(QString::fromStdString(path.filename().string()));
  }

  static void Accept(TfmExportar* d) { QTest::mouseClick(NamedChild<QPushButton>(d, "Button2"), Qt::LeftButton); }
  static void TypeInto(TfmExportar* d, const char* field, const char* text) {
    auto* spin = NamedChild<QSpinBox>(d, field);
    spin->selectAll();
    QTest::keyClicks(spin, QString::fromLatin1(text));
  }
  static std::function<void(TfmExportar*)> AnswerMessage(QString& text) {
    return [&text](TfmExportar*) {
      WhenModalIs<QMessageBox>([&text](QMessageBox* box) {
        text = box->text();
        box->accept();
      });
    };
  }

  testing_support::TempDir dir_;
  PlotDocument document_ = PlotDocument::StartUp();
  QStringList statuses_;
  bool askedForFile_ = false;
  TfmExportar dialog_;
};

TEST_F(ExportDialogTest, SizeFieldsKeepTheAspect) {
  struct Row { const char* name; Mirrors mirrors; bool keep; const char *field, *typed; int opensW, opensH, w, h; };
  const Row rows[] = {
      {"width 908 gives height 830", {}, true, "spnAncho", "908", 454, 415, 908, 830},
      {"height 830 gives width 908", {}, true, "spnAlto", "830", 454, 415, 908, 830},
      {"without the aspect the other field stays", {}, false, "spnAncho", "100", 454, 415, 100, 415},
      {"mirrored opens doubled; the typed field is kept", {true, false}, true, "spnAncho", "45", 908, 415, 45, 21},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Run(r.mirrors, true, {}, ExportFileType::kBitmap, [&r](TfmExportar* d) {
      auto* width = NamedChild<QSpinBox>(d, "spnAncho");
      auto* height = NamedChild<QSpinBox>(d, "spnAlto");
      EXPECT_EQ(width->value(), r.opensW);
      EXPECT_EQ(height->value(), r.opensH);
      NamedChild<QCheckBox>(d, "chkAspecto")->setChecked(r.keep);
      TypeInto(d, r.field, r.typed);
      EXPECT_EQ(width->value(), r.w);
      EXPECT_EQ(height->value(), r.h);
      NamedChild<QCheckBox>(d, "chkAspecto")->setChecked(true);
    });
  }
}

TEST_F(ExportDialogTest, CaptionsFollowTheFileTypeAndMirrorsAndCopyGoesToTheClipboard) {
  struct Row { const char* name; ExportFileType type; bool copy; Mirrors mirrors; const char *title, *size; bool jpeg; };
  const Row rows[] = {
      {"JPEG colour", ExportFileType::kJpegColor, false, {}, "Exportar JPEG 24 bits", "Tamaño:", true},
      {"JPEG grey", ExportFileType::kJpegGray, false, {}, "Exportar JPEG Escala de grises", "Tamaño:", true},
      {"bitmap", ExportFileType::kBitmap, false, {false, true}, "Exportar Bitmap", "Tamaño: (Incluye reflejos)", false},
      {"PNG", ExportFileType::kPng, false, {}, "Exportar PNG", "Tamaño:", false},
      {"copy never shows the JPEG settings", ExportFileType::kJpegColor, true, {}, "Copiar", "Tamaño:", false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Run(r.mirrors, r.copy, dir_ / "a", r.type, [&r](TfmExportar* d) {
      EXPECT_EQ(d->windowTitle().toStdString(), r.title);
      EXPECT_EQ(NamedChild<QGroupBox>(d, "GroupBox2")->title().toStdString(), r.size);
      EXPECT_EQ(NamedChild<QGroupBox>(d, "GroupBox1")->isVisible(), r.jpeg);
      NamedChild<QSlider>(d, "TrackBar1")->setValue(37);
    });
    if (!r.copy) {
      EXPECT_EQ(dialog_.FileType(), r.type) << "the chosen type";
    }
  }
  askedForFile_ = false;
  statuses_.clear();
  QGuiApplication::clipboard()->clear();
  EXPECT_TRUE(Run({}, true, {}, ExportFileType::kPng, [](TfmExportar* d) {
    EXPECT_EQ(NamedChild<QLabel>(d, "Label1")->text(), QStringLiteral("Compresión: 37%")) << "carried over";
    TypeInto(d, "spnAncho", "200");
    Accept(d);
  }));
  EXPECT_FALSE(askedForFile_) << "copying never asks for a file";
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(200, 183));
  EXPECT_TRUE(statuses_.isEmpty()) << "the status line is for files";
}

TEST_F(ExportDialogTest, JpegQualityComesFromTheCompression) {
  struct Row { const char* name; int compression; int quant; };
  const Row rows[] = {{"compression 1 is quality 100", 1, 1}, {"compression 100 is quality 1", 100, 255}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const fs::path chosen = dir_ / (std::to_string(r.compression) + ".png");
    EXPECT_TRUE(Run({}, false, chosen, ExportFileType::kJpegColor, [&r](TfmExportar* d) {
      NamedChild<QSlider>(d, "TrackBar1")->setValue(r.compression);
      Accept(d);
    }));
    EXPECT_FALSE(fs::exists(chosen)) << "a .png name is saved as .jpg";
    testing_support::JpegImage image;
    ASSERT_TRUE(testing_support::ReadJpeg(fs::path(chosen).replace_extension(".jpg"), image));
    EXPECT_EQ(image.width, 454);
    EXPECT_EQ(image.height, 415);
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.lumaQuant[0], r.quant);
    EXPECT_EQ(image.lumaQuant[63], r.quant);
  }
  EXPECT_EQ(statuses_, (QStringList{"Guardando archivo", "Listo", "Guardando archivo", "Listo"}));
}

TEST_F(ExportDialogTest, FilesReadBackWithTheirOwnDecoders) {
  ASSERT_TRUE(Run({true, false}, false, dir_ / "b.jpg", ExportFileType::kBitmap, Accept));
  const auto bmp = testing_support::ReadBmp(dir_ / "b.bmp");
  ASSERT_EQ(bmp.width, 907) << "454 x 415 calculated, then mirrored";
  ASSERT_EQ(bmp.height, 415);
  EXPECT_EQ(bmp.bitsPerPixel, 8);
  ASSERT_EQ(bmp.palette.size(), 256u);
  EXPECT_EQ(bmp.palette[200], (std::array<std::uint8_t, 3>{200, 55, 88})) << "the host's palette";
  const auto& row = bmp.rows[50];
  for (int x : {0, 200, 452}) EXPECT_EQ(row[static_cast<std::size_t>(x)], row[static_cast<std::size_t>(906 - x)]);
  EXPECT_NE(row[0], row[453]);

  ASSERT_TRUE(Run({}, false, dir_ / "p", ExportFileType::kPng, [](TfmExportar* d) {
    TypeInto(d, "spnAncho", "227");
    Accept(d);
  }));
  const auto png = testing_support::ReadPng(dir_ / "p.png");
  EXPECT_EQ(png.colorType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(png.width, 227);
  EXPECT_EQ(png.height, 208);
  ASSERT_EQ(png.palette.size(), 256u);
  EXPECT_EQ(png.palette[9].blue, 27);
  const LoadedDocument carried = LoadDocument(dir_ / "p.png");
  EXPECT_EQ(carried.document.Func, "x+y") << "the picture carries its document";
  EXPECT_EQ(carried.aspect, 208.0f / 227.0f);

  ASSERT_TRUE(Run({}, false, dir_ / "g", ExportFileType::kJpegGray, Accept));
  testing_support::JpegImage grey;
  ASSERT_TRUE(testing_support::ReadJpeg(dir_ / "g.jpg", grey));
  EXPECT_EQ(grey.components, 1);
}

// "GIF animado": the palette cycle at the document's speed; a still one is refused.
TEST_F(ExportDialogTest, AnimatedGifTurnsThePaletteOnce) {
  document_.Vel = 2;
  ASSERT_TRUE(Run({}, false, dir_ / "ciclo.png", ExportFileType::kAnimatedGif, [](TfmExportar* d) {
    TypeInto(d, "spnAncho", "20");
    Accept(d);
  }));
  int error = 0;
  GifFileType* gif = DGifOpenFileName((dir_ / "ciclo.gif").c_str(), &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  EXPECT_EQ(gif->ImageCount, 126) << "252 indices, 2 a tick";
  EXPECT_EQ(gif->SWidth, 20);
  DGifCloseFile(gif, &error);

  document_.Vel = 0;
  QString message;
  EXPECT_FALSE(Run({}, false, dir_ / "quieto.gif", ExportFileType::kAnimatedGif, [&message](TfmExportar* d) {
    AnswerMessage(message)(d);
    Accept(d);
  }));
  EXPECT_TRUE(message.contains(QStringLiteral("velocidad 0"))) << qPrintable(message);
  EXPECT_FALSE(fs::exists(dir_ / "quieto.gif"));
}

// Beyond 32 megapixels the picture goes to its file in bands, never whole.
TEST_F(ExportDialogTest, PostersAreWrittenInBands) {
  ASSERT_TRUE(Run({}, false, dir_ / "poster", ExportFileType::kBitmap, [](TfmExportar* d) {
    auto* width = NamedChild<QSpinBox>(d, "spnAncho");
    width->setValue(40000);
    EXPECT_EQ(width->value(), 32000);
    TypeInto(d, "spnAncho", "6600");
    Accept(d);
  }));
  const auto bmp = testing_support::ReadBmp(dir_ / "poster.bmp");
  EXPECT_EQ(bmp.width, 6600);
  EXPECT_EQ(bmp.height, 6033);
  ASSERT_EQ(bmp.palette.size(), 256u);
  EXPECT_EQ(bmp.palette[200], (std::array<std::uint8_t, 3>{200, 55, 88})) << "the host's palette";
  EXPECT_EQ(statuses_, (QStringList{"Guardando archivo", "Listo"}));
}

// Esc in the progress box stops the job on the calculation service, a
// poster's bands too, and leaves no file or temporary.
TEST_F(ExportDialogTest, EscCancelsTheCalculation) {
  // Random numbers keep the calculation on one thread, pixel by pixel, for
  // far longer than the test.
  std::string draws = "Ale";
  for (int i = 0; i < 200; ++i) draws += ",Ale";
  document_.Func = "Max(" + draws + ")";
  struct Row { const char* name; int width; ExportFileType type; const char* file; };
  const Row rows[] = {{"a whole picture", 2000, ExportFileType::kPng, "big"},
                      {"a poster in bands", 6600, ExportFileType::kBitmap, "poster"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    bool progressShown = false;
    EXPECT_FALSE(Run({}, false, dir_ / row.file, row.type, [&progressShown, &row](TfmExportar* d) {
      WhenModalIs<QProgressDialog>([&progressShown](QProgressDialog* progress) {
        progressShown = true;
        QTest::keyClick(progress, Qt::Key_Escape);
      });
      NamedChild<QSpinBox>(d, "spnAncho")->setValue(row.width);
      Accept(d);
    }));
    EXPECT_TRUE(progressShown);
    for (const auto& entry : fs::directory_iterator(dir_.path()))
      EXPECT_EQ(entry.path().filename().string().find(row.file), std::string::npos) << entry.path();
  }
}

TEST_F(ExportDialogTest, FailuresAreExplained) {
  fs::create_directory(dir_ / "pic.bmp");
  QString message;
  EXPECT_FALSE(Run({}, false, dir_ / "pic.png", ExportFileType::kBitmap, [&message](TfmExportar* d) {
    AnswerMessage(message)(d);
    Accept(d);
  }));
  EXPECT_TRUE(message.contains(QStringLiteral("pic.bmp")) && message.contains(QStringLiteral("carpeta")))
      << message.toStdString();
  EXPECT_NE(statuses_.last(), QStringLiteral("Guardando archivo"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1) << "no partial file";

  struct Row { const char* name; Mirrors mirrors; const char* width; };
  const Row zeros[] = {{"width 0", {}, "0"}, {"width 1 halved by the mirror", {true, false}, "1"}};
  for (const Row& r : zeros) {
    SCOPED_TRACE(r.name);
    message.clear();
    EXPECT_FALSE(Run(r.mirrors, false, dir_ / "zero", ExportFileType::kPng, [&message, &r](TfmExportar* d) {
      NamedChild<QCheckBox>(d, "chkAspecto")->setChecked(false);
      TypeInto(d, "spnAncho", r.width);
      AnswerMessage(message)(d);
      Accept(d);
      EXPECT_TRUE(d->isVisible()) << "the dialog stays open to correct the size";
      NamedChild<QCheckBox>(d, "chkAspecto")->setChecked(true);
    }));
    EXPECT_TRUE(message.contains(QStringLiteral("0 pixels"))) << message.toStdString();
    EXPECT_FALSE(fs::exists(dir_ / "zero.png"));
  }
}

// The figure types: the size fields give the picture's size, the name takes
// the type's extension, and an SVG carries the document drawn at that size.
TEST_F(ExportDialogTest, FigureTypesFrameAPictureOfTheRequestedSize) {
  struct Row { const char* name; const char* filter; const char* title; const char* file; const char* starts; };
  const Row rows[] = {
      {"SVG", "Figura SVG (*.svg)", "Exportar Figura SVG", "f.svg", "<?xml"},
      {"PDF", "Figura PDF (*.pdf)", "Exportar Figura PDF", "f.pdf", "%PDF"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    WhenModalIs<QFileDialog>([&r, this](QFileDialog* save) {
      save->selectNameFilter(QString::fromUtf8(r.filter));
      TypeFileName(save, dir_ / "f.png");
      QMetaObject::invokeMethod(save, "accept");
      WhenModalIs<TfmExportar>([&r](TfmExportar* d) {
        EXPECT_EQ(d->windowTitle().toStdString(), r.title);
        EXPECT_FALSE(NamedChild<QGroupBox>(d, "GroupBox1")->isVisible());
        TypeInto(d, "spnAncho", "200");
        Accept(d);
      });
    });
    EXPECT_TRUE(dialog_.Execute({}, false));
    EXPECT_FALSE(fs::exists(dir_ / "f.png"));
    EXPECT_TRUE(testing_support::ReadBytes(dir_ / r.file).starts_with(r.starts));
  }
  const PictureText svg = ReadPictureText(dir_ / "f.svg");
  EXPECT_EQ(svg.width, 200);
  EXPECT_EQ(svg.height, 183);
  EXPECT_EQ(LoadDocument(dir_ / "f.svg").document.Func, "x+y");
  EXPECT_EQ(statuses_, (QStringList{"Guardando archivo", "Listo", "Guardando archivo", "Listo"}));
}

}  // namespace
}  // namespace vorla::gui_test
