// A file holding only Func, and the palette a document gives the picture.

#include <gtest/gtest.h>

#include "core/plot/DocumentFile.h"
#include "core/plot/PlotDocument.h"

namespace vorla {

namespace {

// Files written before the x bounds were saved show the plane flipped.
TEST(PlotDocumentTest, FileWithoutBoundsMirrorsX) {
  const LoadedDocument onlyFunc = ReadDocument(IniFile::FromText("[Vorlascope]\nFunc=x\n"), kDocumentSection, "f.vlx");
  EXPECT_EQ(onlyFunc.document.Func, "x");
  EXPECT_EQ(onlyFunc.document.Xmin, "Pi");
  EXPECT_EQ(onlyFunc.document.Xmax, "-Pi");
  EXPECT_EQ(onlyFunc.aspect, 1.0f);
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
