// The documents the program starts from (start-up, a file holding only Func)
// and the palette a document gives the picture.

#include <gtest/gtest.h>

#include <ostream>

#include "core/plot/DocumentFile.h"
#include "core/plot/PlotDocument.h"

namespace vorla {

// A failure shows the document as its file would hold it.
void PrintTo(const PlotDocument& d, std::ostream* os) {
  IniFile file;
  WriteDocument(file, "d", d, 1.0f);
  *os << file.Text();
}

namespace {

TEST(PlotDocumentTest, StartUpAndFileDefaults) {
  const LoadedDocument onlyFunc = ReadDocument(IniFile::FromText("[Vorlascope]\nFunc=x\n"), kDocumentSection, "f.vlx");
  EXPECT_EQ(onlyFunc.aspect, 1.0f);
  struct Row { const char* name; PlotDocument actual; PlotDocument expected; };
  const Row rows[] = {
      {"start-up", PlotDocument::StartUp(),
       {.Func = "Sen(x+y)+r+w", .Ani = true, .Vel = 1, .Gra = true, .ColFun = 0x040000, .ColMin = 0x000000,
        .ColFon = 0x606060, .BucMin = false, .Zmin = "-Pi", .ColGra = "37B7B7FF66FFFFFF96FFD5D5D580FFFF",
        .Xmin = "-Pi*3", .Ymin = "-Pi*3", .Xmax = "Pi*3", .Ymax = "Pi*3", .ColMax = 0xFFFFFF, .BucMax = true,
        .Zmax = "Pi", .FilMax = 0, .FilMin = 0, .UsaFilMax = false, .UsaFilMin = false}},
      // The x defaults are mirrored: old files without them show the plane flipped.
      {"file holding only Func", onlyFunc.document,
       {.Func = "x", .Ani = false, .Vel = 1, .Gra = true, .ColFun = 0x0000FF, .ColMin = 0x000000,
        .ColFon = 0xC0C0C0, .BucMin = false, .Zmin = "-Pi", .ColGra = "06FF00008000FFFF", .Xmin = "Pi",
        .Ymin = "-Pi", .Xmax = "-Pi", .Ymax = "Pi", .ColMax = 0xFFFFFF, .BucMax = false, .Zmax = "Pi",
        .FilMax = 0, .FilMin = 0, .UsaFilMax = false, .UsaFilMin = false}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.actual, row.expected);
  }
}

// The window's palette after starting and loading the document: fixed
// colours first, then the gradient, which starts as the start-up one.
// Colours are 0xBBGGRR, as the palette string writes them.
TEST(PlotDocumentTest, PaletteOfADocument) {
  struct Entry { int index; TColor color; };
  struct Row { const char* name; const char* colGra; std::vector<Entry> entries; };
  const Row rows[] = {
      {"file defaults: blue node at 6, yellow at 128", "06FF00008000FFFF",
       {{0, 0xC0C0C0}, {1, 0x000000}, {2, 0xFFFFFF}, {3, 0x0000FF}, {6, 0xFF0000}, {128, 0x00FFFF}}},
      {"string of a bad length keeps the start-up gradient", "06FF00008000FFF",
       {{0, 0xC0C0C0}, {3, 0x0000FF}, {0x37, 0xB7B7FF}, {0x66, 0xFFFFFF}, {0x96, 0xFFD5D5}, {0xD5, 0x80FFFF}}},
      {"a node on a fixed entry wins over its colour", "0200FF008000FFFF",
       {{0, 0xC0C0C0}, {1, 0x000000}, {2, 0x00FF00}, {3, 0x0000FF}, {128, 0x00FFFF}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PlotDocument document = PlotDocument::FileDefaults();
    document.ColGra = row.colGra;
    const Palette palette = DocumentPalette(document);
    for (const Entry& entry : row.entries)
      EXPECT_EQ(ToColor(palette[static_cast<std::size_t>(entry.index)]), entry.color) << entry.index;
  }
}

}  // namespace
}  // namespace vorla
