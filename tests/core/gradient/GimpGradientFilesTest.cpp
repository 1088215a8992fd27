// GIMP palettes and gradients read as gradients over the entries 4..255, and
// files refused with a message that says why.

#include <gtest/gtest.h>

#include "core/gradient/GimpGradientFiles.h"
#include "core/gradient/GradTable.h"
#include "TempDir.h"

namespace vorla {
namespace {

using testing_support::TempDir;
using testing_support::WriteBytes;

// Black, red and white from 4 to 255: the middle falls on 4 + 125.5, rounded up.
constexpr char kBlackRedWhite[] = "04000000820000FFFFFFFFFF";

TEST(GimpGradientFilesTest, ColoursBecomeNodesSpreadOverTheRange) {
  struct Row { const char* name; const char* file; std::string text; const char* palString; };
  const Row rows[] = {
      {"palette with name, columns, comment and CR LF", "p.gpl",
       "GIMP Palette\r\nName: Tres\r\nColumns: 3\r\n#\r\n  0   0   0\tNegro\r\n255   0   0\tRojo\r\n255 255 255\r\n",
       kBlackRedWhite},
      {"palette of one colour fills the range", "uno.GPL", "GIMP Palette\n0 128 255 Azul\n", "04FF8000"},
      {"gradient of two joined segments", "g.ggr",
       "GIMP Gradient\nName: Fuego\n2\n"
       "0.000000 0.250000 0.500000 0 0 0 1 1 0 0 1 0 0\n"
       "0.500000 0.750000 1.000000 1 0 0 1 1 1 1 1 0 0 0 0\n",
       kBlackRedWhite},
      {"gradient with a sharp step keeps both sides", "step.ggr",
       "GIMP Gradient\n2\n0 0.25 0.5 0 0 0 1 0 0 0 1 0 0\n0.5 0.75 1 1 1 1 1 1 1 1 1 0 0\n",
       "040000008200000083FFFFFFFFFFFFFF"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TempDir dir;
    WriteBytes(dir / r.file, r.text);
    const std::string palString = ReadGimpFileAsPalString(dir / r.file, 4, 255);
    EXPECT_EQ(palString, r.palString);
    TGradTable table;
    table.SetStartCol(4);
    EXPECT_NO_THROW(table.SetPalString(palString)) << "a string the table reads";
  }
}

TEST(GimpGradientFilesTest, BrokenFilesAreRefusedWithTheReason) {
  std::string many = "GIMP Palette\n";
  for (int i = 0; i < 32; ++i) many += std::to_string(i * 8) + " 0 0\n";
  struct Row { const char* name; const char* file; std::string text; const char* says; };
  const Row rows[] = {
      {"palette without its header", "a.gpl", "0 0 0\n", "no es una paleta de GIMP"},
      {"colour beyond 255", "b.gpl", "GIMP Palette\n0 0 0\n12 300 4\n", "l\xEDnea 3: se esperaba un color"},
      {"palette without colours", "d.gpl", "GIMP Palette\nName: Nada\n", "la paleta no tiene colores"},
      {"more colours than nodes", "e.gpl", many, "da 32 nodos y un gradiente guarda hasta 31"},
      {"segment count missing", "g.ggr", "GIMP Gradient\nName: x\n0 1 1 0 0 0 1 1 1 1 1 0 0\n",
       "l\xEDnea 3: se esperaba el n\xFAmero de segmentos"},
      {"fewer segments than announced", "h.ggr", "GIMP Gradient\n2\n0 0.5 1 0 0 0 1 1 1 1 1 0 0\n",
       "l\xEDnea 4: faltan segmentos"},
      {"colour beyond 1", "i.ggr", "GIMP Gradient\n1\n0 0.5 1 0 0 2 1 1 1 1 1 0 0\n", "van de 0 a 1"},
      {"another kind of file", "k.txt", "GIMP Palette\n0 0 0\n", "s\xF3lo se leen paletas (.gpl) y gradientes"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TempDir dir;
    WriteBytes(dir / r.file, r.text);
    try {
      ReadGimpFileAsPalString(dir / r.file, 4, 255);
      ADD_FAILURE() << "read";
    } catch (const GimpFileError& e) {
      EXPECT_NE(std::string(e.what()).find(r.says), std::string::npos) << e.what();
    }
  }
  TempDir dir;
  EXPECT_THROW(ReadGimpFileAsPalString(dir / "falta.gpl", 4, 255), GimpFileError);
}

}  // namespace
}  // namespace vorla
