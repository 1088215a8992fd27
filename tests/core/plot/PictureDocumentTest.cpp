// Pictures that carry their document: written and read back through PNG,
// JPEG and SVG and PDF figures, drawn again the same, and pictures that
// carry none or are damaged.

#include <gtest/gtest.h>

#include "core/io/ImageWriter.h"
#include "core/io/PictureText.h"
#include "core/io/FigureDocumentText.h"
#include "core/plot/DocumentFile.h"
#include "core/plot/RenderDocument.h"
#include "TempDir.h"

namespace vorla {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

PlotDocument Accented() {
  PlotDocument d = PlotDocument::StartUp();
  d.Func = "Sen(x*y)/2 {a\xF1o \xB2}";  // core text; the picture holds UTF-8
  d.Xmin = "-2";
  d.Xmax = "3";
  return d;
}

TEST(PictureDocumentTest, PicturesGiveBackTheirDocumentAndDrawTheSame) {
  TempDir dir;
  const PlotDocument document = Accented();
  const RenderedPicture direct = *RenderDocument(document, 40, 30, 0.5f);
  WriteBmp(direct.picture, dir / "direct.bmp");
  struct Row { const char* name; const char* file; };
  for (const Row& r : {Row{"PNG", "p.png"}, Row{"JPEG named .png", "jpeg.png"}}) {
    SCOPED_TRACE(r.name);
    const auto path = dir / r.file;
    if (std::string(r.name).starts_with("JPEG"))
      WriteJpeg(direct.picture, path, {}, DocumentText(document, 0.5f));
    else
      WritePng(direct.picture, path, DocumentText(document, 0.5f));
    const PictureText text = ReadPictureText(path);
    EXPECT_EQ(text.width, 40);
    EXPECT_EQ(text.height, 30);
    ASSERT_TRUE(text.text);
    EXPECT_NE(text.text->find("Func=Sen(x*y)/2 {a\xC3\xB1o \xC2\xB2}\n"), std::string::npos) << *text.text;

    const LoadedDocument loaded = LoadDocument(path);
    EXPECT_EQ(loaded.document, document);
    EXPECT_EQ(loaded.aspect, 0.5f);
    WriteBmp(RenderDocument(loaded.document, 40, 30, loaded.aspect)->picture, dir / "again.bmp");
    EXPECT_EQ(ReadBytes(dir / "again.bmp"), ReadBytes(dir / "direct.bmp"));
  }
}

// A comment marker holds under 64 KiB: a longer document spans several.
TEST(PictureDocumentTest, LongDocumentSpansSeveralJpegMarkers) {
  TempDir dir;
  PlotDocument document = PlotDocument::StartUp();
  for (int i = 0; i < 20000; ++i) document.Func += "x+1+";
  document.Func += "y";
  const Bitmap picture(2, 2, 24);
  WriteJpeg(picture, dir / "long.jpg", {}, DocumentText(document, 1.0f));
  EXPECT_EQ(LoadDocument(dir / "long.jpg").document.Func, document.Func);
}

TEST(PictureDocumentTest, RefusesPicturesWithoutADocumentOrWithTooMuchText) {
  TempDir dir;
  const Bitmap picture(3, 2, 24);
  WritePng(picture, dir / "bare.png");
  WriteJpeg(picture, dir / "bare.jpg");
  WriteBytes(dir / "cut.png", ReadBytes(dir / "bare.png").substr(0, 20));
  WriteBytes(dir / "text.png", "[Vorlascope]\nFunc=x\n");
  WriteBytes(dir / "bare.svg", "<?xml version=\"1.0\"?>\n<svg width=\"3\" height=\"2\"></svg>\n");
  // Past the limit: a text that inflates past it, one too long even
  // compressed (no letter repeats its neighbours' pattern), and comments.
  const std::string repeated(kMaxPictureTextBytes + 1, 'x');
  std::string scrambled(kMaxPictureTextBytes + 1, ' ');
  unsigned seed = 1;
  for (char& c : scrambled) c = static_cast<char>('!' + (seed = seed * 1103515245u + 12345u) / 65536 % 90);
  WritePng(picture, dir / "inflated.png", repeated);
  WritePng(picture, dir / "scrambled.png", scrambled);
  WriteJpeg(picture, dir / "long.jpg", {}, repeated);
  struct Row { const char* name; const char* file; const char* says; };
  const Row rows[] = {
      {"PNG without text", "bare.png", "no lleva ning\xFAn documento de Vorlascope"},
      {"JPEG without comment", "bare.jpg", "no lleva ning\xFAn documento de Vorlascope"},
      {"PNG cut in its header", "cut.png", "el archivo PNG est\xE1 da\xF1" "ado"},
      {"SVG without metadata", "bare.svg", "no lleva ning\xFAn documento de Vorlascope"},
      {"PNG text inflating past 1 MB", "inflated.png", "el texto que lleva pasa de 1 MB"},
      {"PNG text chunk longer than 1 MB", "scrambled.png", "el texto que lleva pasa de 1 MB"},
      {"JPEG comments past 1 MB", "long.jpg", "el texto que lleva pasa de 1 MB"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    try {
      LoadDocument(dir / r.file);
      ADD_FAILURE() << "loaded";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(r.says), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(LoadDocument(dir / "text.png").document.Func, "x") << "a document named .png is still a document";
}

// A figure carries the document and its picture's size in elements of its
// metadata (an SVG's, a PDF's XMP packet), the text escaped for XML;
// another program's header before them is skipped.
TEST(PictureDocumentTest, FiguresGiveBackTheirDocumentAndPictureSize) {
  TempDir dir;
  PlotDocument document = PlotDocument::StartUp();
  document.Func = std::string("(x<y)&(y>0) {\"a\xF1o\" & 'b'}");
  const std::string text = DocumentText(document, 0.75f);
  const std::string elements = FigureDocumentElements({40, 30, text});
  EXPECT_EQ(elements.find("(x<y)"), std::string::npos) << "escaped";
  struct Row { const char* name; const char* file; std::string head; };
  const Row rows[] = {
      {"SVG after a byte-order mark and a blank", "f.svg", "\xEF\xBB\xBF <?xml version=\"1.0\"?>\n<svg><metadata>"},
      {"PDF", "f.pdf", "%PDF-1.4\n1 0 obj\n<< /Type /Metadata >>\nstream\n<x:xmpmeta>"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    WriteBytes(dir / r.file, r.head + elements + "</end>\n");
    const PictureText found = ReadPictureText(dir / r.file);
    EXPECT_EQ(found.width, 40);
    EXPECT_EQ(found.height, 30);
    EXPECT_EQ(found.text, text);
    const LoadedDocument loaded = LoadDocument(dir / r.file);
    EXPECT_EQ(loaded.document, document);
    EXPECT_EQ(loaded.aspect, 0.75f);
  }
}

}  // namespace
}  // namespace vorla
