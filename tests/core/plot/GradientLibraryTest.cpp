// The gradient library file: adding, redefining, removing and refused names.

#include <gtest/gtest.h>

#include "core/plot/GradientLibrary.h"
#include "TempDir.h"

namespace vorla {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;

TEST(GradientLibraryTest, AddsRedefinesAndRemovesNames) {
  TempDir dir;
  const GradientLibrary library(dir / "vorla.gra");
  EXPECT_TRUE(library.Names().empty()) << "a missing file is an empty library";
  EXPECT_EQ(library.Read("Mar"), "");
  testing_support::WriteBytes(dir / "vorla.gra", "");  // an empty library, not a missing one
  library.Write("Mar", "06FF0000");
  library.Write("Fuego \xE1rido", "0400FFFF");
  library.Write("MAR", "80000000");  // redefines, whatever the case
  EXPECT_EQ(library.Names(), (std::vector<std::string>{"MAR", "Fuego \xE1rido"}));
  EXPECT_EQ(library.Read("mar"), "80000000");
  EXPECT_TRUE(library.Contains("FUEGO \xC1RIDO"));
  EXPECT_TRUE(library.Remove("Mar"));
  EXPECT_FALSE(library.Remove("Mar"));
  EXPECT_EQ(library.Names(), std::vector<std::string>{"Fuego \xE1rido"});
  EXPECT_EQ(ReadBytes(dir / "vorla.gra"), "[Gradientes]\nFuego \xC3\xA1rido=0400FFFF\n");
}

// A library edited by hand: each file names Mar and Sol; adding Luna must
// leave both readable as they were.
TEST(GradientLibraryTest, HandEditedLibrariesReadAndRewriteCleanly) {
  TempDir dir;
  struct Row { const char* name; std::string bytes; };
  const Row rows[] = {
      {"blanks around names and values", "[Gradientes]\nMar = 0400000080FF0000\n  Sol\t= 06FF0000 \n"},
      {"CR CR LF line ends", "[Gradientes]\r\r\nMar=0400000080FF0000\r\r\nSol=06FF0000\r\r\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    testing_support::WriteBytes(dir / "vorla.gra", r.bytes);
    const GradientLibrary library(dir / "vorla.gra");
    library.Write("Luna", "80000000");
    EXPECT_EQ(library.Names(), (std::vector<std::string>{"Mar", "Sol", "Luna"}));
    EXPECT_EQ(library.Read("Mar"), "0400000080FF0000");
    EXPECT_EQ(library.Read("Sol"), "06FF0000");
  }
}

// A library is born with the scientific gradients; the user's own entries
// are never replaced by them.
TEST(GradientLibraryTest, NewLibrariesHoldTheScientificGradients) {
  const std::vector<std::string> seeded{"viridis", "magma", "inferno", "plasma", "cividis", "twilight"};
  struct Row { const char* name; const char* before; bool created; std::vector<std::string> names; };
  const Row rows[] = {
      {"no file: created seeded", nullptr, true, seeded},
      {"a file of the user's: left alone", "[Gradientes]\nviridis=06FF0000\n", false, {"viridis"}},
      {"an empty file is the user's too", "", false, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TempDir dir;
    const GradientLibrary library(dir / "vorla.gra");
    if (r.before) testing_support::WriteBytes(dir / "vorla.gra", r.before);
    EXPECT_EQ(library.CreateSeeded(), r.created);
    EXPECT_EQ(library.Names(), r.names);
    EXPECT_FALSE(library.CreateSeeded()) << "only once";
  }
  TempDir dir;
  const GradientLibrary library(dir / "vorla.gra");
  library.Write("viridis", "06FF0000");  // the first save creates the file
  EXPECT_EQ(library.Read("viridis"), "06FF0000") << "the user's entry wins";
  EXPECT_EQ(library.Read("magma").substr(0, 8), "04040000");
  EXPECT_EQ(library.Names().size(), 6u);
}

TEST(GradientLibraryTest, RefusesNamesTheFileCannotHold) {
  TempDir dir;
  const GradientLibrary library(dir / "vorla.gra");
  library.Write("Bueno", "1");
  const std::string before = ReadBytes(dir / "vorla.gra");
  struct Row { const char* name; const char* gradient; const char* says; };
  const Row rows[] = {
      {"empty", "", "Necesita un nombre"},
      {"equals sign", "a=b", "\"="},
      {"section bracket", "[Gradientes]", "\"[\""},
      {"comment", ";nota", "\";\""},
      {"leading blank", " Mar", "blancos"},
      {"trailing blank", "Mar ", "blancos"},
      {"line break", "Mar\nB", "saltos"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    try {
      library.Write(r.gradient, "06FF0000");
      ADD_FAILURE() << "written";
    } catch (const GradientNameError& e) {
      EXPECT_NE(std::string(e.what()).find(r.says), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadBytes(dir / "vorla.gra"), before);
  }
}

}  // namespace
}  // namespace vorla
