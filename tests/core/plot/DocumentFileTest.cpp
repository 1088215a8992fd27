// Plot documents on disk: round trips, defaults, kept keys, refused files and
// the aspect correction.

#include <gtest/gtest.h>

#include "core/plot/DocumentFile.h"
#include "TempDir.h"

namespace vorla {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

// Every parameter away from both its start-up value and its file default.
PlotDocument Unusual() {
  PlotDocument d;
  d.Func = " a=x*2; a+\xA3(y) ";
  d.Ani = true;
  d.Vel = -37;
  d.Gra = false;
  d.ColFun = 0x123456;
  d.ColMin = 0x010203;
  d.ColFon = 0x80000005;  // a system colour
  d.BucMin = true;
  d.Zmin = "-2.5";
  d.ColGra = "0A00FF00F0FF0000";
  d.Xmin = "-1e-3";
  d.Ymin = "[y]";
  d.Xmax = "Pi/7";
  d.Ymax = "Cos(1)";
  d.ColMax = 0x00FF00;
  d.BucMax = true;
  d.Zmax = "maxZ*0.9";
  d.FilMax = 0.1f;
  d.FilMin = -3.14159274f;
  d.UsaFilMax = true;
  d.UsaFilMin = true;
  return d;
}

TEST(DocumentFileTest, SavedDocumentLoadsBackIdentical) {
  TempDir dir;
  const auto path = dir / "prueba.vlx";
  struct Row { const char* name; PlotDocument document; float aspect; };
  const Row rows[] = {
      {"unusual values", Unusual(), 0.7654321f},
      {"start-up document", PlotDocument::StartUp(), 1.0f},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    SaveDocument(path, "", r.document, r.aspect);
    const LoadedDocument loaded = LoadDocument(path);
    EXPECT_EQ(loaded.document, r.document);
    EXPECT_EQ(loaded.aspect, r.aspect);
  }
}

TEST(DocumentFileTest, WritesTheKeysInTheirOrderAndKeepsForeignLines) {
  TempDir dir;
  const auto path = dir / "ajeno.vlx";
  WriteBytes(path, "[Otra]\nclave=1\n[vorlascope]\nautor=yo\nFUNC=viejo\n");
  SaveDocument(path, "", Unusual(), 1.0f);
  const IniFile file = IniFile::Read(path);
  EXPECT_EQ(file.Keys("Vorlascope"),
            (std::vector<std::string>{"autor", "Func", "Ani", "Vel", "Gra", "ColFun", "ColMin",
                                      "ColFon", "BucMin", "Zmin", "ColGra", "Xmin", "Ymin", "Xmax",
                                      "Ymax", "ColMax", "BucMax", "Zmax", "FilMax", "FilMin",
                                      "UsaFilMax", "UsaFilMin", "Aspecto"}));
  EXPECT_EQ(file.ReadString("Otra", "clave"), "1");
  EXPECT_EQ(file.ReadString("Vorlascope", "ColFon"), "-2147483643");
  EXPECT_EQ(file.ReadString("Vorlascope", "FilMax"), "0.100000001490116");
}

TEST(DocumentFileTest, LineBreaksInExpressionsAreWrittenAsBlanks) {
  TempDir dir;
  const auto path = dir / "lineas.vlx";
  PlotDocument d = PlotDocument::StartUp();
  d.Func = "a=x;\r\nb=y;\ta+b";
  d.Zmin = "-1\n[Vorlascope]";
  SaveDocument(path, "", d, 1.0f);
  const PlotDocument back = LoadDocument(path).document;
  EXPECT_EQ(back.Func, "a=x;  b=y; a+b");
  EXPECT_EQ(back.Zmin, "-1 [Vorlascope]");
  EXPECT_EQ(back.Zmax, d.Zmax) << "the keys after the broken text still read";
}

TEST(DocumentFileTest, MissingAndUnreadableKeysTakeTheFileDefaults) {
  struct Row { const char* name; const char* extra; void (*expect)(const PlotDocument&); };
  const Row rows[] = {
      {"speed not a number", "Vel=rapido\n", [](const PlotDocument& d) { EXPECT_EQ(d.Vel, 1); }},
      {"speed beyond the box", "Vel=500\n", [](const PlotDocument& d) { EXPECT_EQ(d.Vel, 100); }},
      {"comma decimal", "FilMax=1,5\n", [](const PlotDocument& d) { EXPECT_EQ(d.FilMax, 0.0f); }},
      {"filter beyond a float", "FilMax=1e39\nFilMin=-1e39\n", [](const PlotDocument& d) {
         EXPECT_EQ(d.FilMax, 0.0f);
         EXPECT_EQ(d.FilMin, 0.0f);
       }},
      {"colour not a number", "ColFun=rojo\n", [](const PlotDocument& d) { EXPECT_EQ(d.ColFun, 0x0000FFu); }},
      {"any non-zero integer is true", "Gra=0\nBucMax=-2\n", [](const PlotDocument& d) {
         EXPECT_FALSE(d.Gra);
         EXPECT_TRUE(d.BucMax);
       }},
      {"boolean not an integer", "Ani=si\n", [](const PlotDocument& d) { EXPECT_FALSE(d.Ani); }},
      {"empty expression stays empty", "Zmax=\n", [](const PlotDocument& d) { EXPECT_EQ(d.Zmax, ""); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const IniFile file = IniFile::FromText(std::string("[Vorlascope]\nFunc=x\n") + r.extra);
    const LoadedDocument loaded = ReadDocument(file, kDocumentSection, "f.vlx");
    r.expect(loaded.document);
    EXPECT_EQ(loaded.aspect, 1.0f);
  }
}

// Documents as an editor leaves them: each file holds Func x, Vel 7, a
// gradient and Xmin -1 and must load as if written by the program.
TEST(DocumentFileTest, HandWrittenDocumentsLoad) {
  TempDir dir;
  struct Row { const char* name; std::string bytes; const char* func; };
  const Row rows[] = {
      {"blanks around keys and values",
       "[Vorlascope]\n Func = x \nVel\t=\t7\nColGra = 0400000080FF0000\nXmin = -1\n", "x"},
      {"quoted values", "[Vorlascope]\nFunc=\"x\"\nVel='7'\nColGra=\"0400000080FF0000\"\nXmin=\"-1\"\n", "x"},
      {"CR CR LF line ends",
       "[Vorlascope]\r\r\nFunc=x\r\r\nVel=7\r\r\nColGra=0400000080FF0000\r\r\nXmin=-1\r\r\n", "x"},
      {"CR line ends", "[Vorlascope]\rFunc=x\rVel=7\rColGra=0400000080FF0000\rXmin=-1\r", "x"},
      {"UTF-8 mark before Windows-1252",
       "\xEF\xBB\xBF[Vorlascope]\nFunc=x+\xB2\nVel=7\nColGra=0400000080FF0000\nXmin=-1\n", "x+\xB2"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    WriteBytes(dir / "mano.vlx", r.bytes);
    const PlotDocument d = LoadDocument(dir / "mano.vlx").document;
    EXPECT_EQ(d.Func, r.func);
    EXPECT_EQ(d.Vel, 7);
    EXPECT_EQ(d.ColGra, "0400000080FF0000");
    EXPECT_EQ(d.Xmin, "-1");
  }
}

TEST(DocumentFileTest, RefusesMissingFilesAndNonDocuments) {
  TempDir dir;
  WriteBytes(dir / "vacio.vlx", "[Vorlascope]\nFunc=\nXmin=1\n");
  WriteBytes(dir / "otro.ini", "[Pos]\nLeft=3\n");
  WriteBytes(dir / "\xD0\xB7\xD0\xB0\xD0\xBC.txt", "[Vorlascope]\nXmin=1\n");
  WriteBytes(dir / "\xF1.txt", "");
  const std::string folder = dir.path().string() + "/";
  struct Row { const char* name; std::string file; std::string message; bool notADocument; };
  const Row rows[] = {
      {"missing file", "nada.vlx", "No se encuentra " + folder + "nada.vlx", false},
      {"a folder", "", "No se encuentra " + dir.path().string(), false},
      {"empty Func", "vacio.vlx", folder + "vacio.vlx\nno es un documento de Vorlascope", true},
      {"no section", "otro.ini", folder + "otro.ini\nno es un documento de Vorlascope", true},
      {"missing Cyrillic name", "\xD0\xBD\xD0\xB5\xD1\x82.vlx",
       "No se encuentra " + folder + "\xD0\xBD\xD0\xB5\xD1\x82.vlx", false},
      {"Cyrillic name, no Func", "\xD0\xB7\xD0\xB0\xD0\xBC.txt",
       folder + "\xD0\xB7\xD0\xB0\xD0\xBC.txt\nno es un documento de Vorlascope", true},
      {"name in Windows-1252 bytes shows as UTF-8", "\xF1.txt",
       folder + "\xC3\xB1.txt\nno es un documento de Vorlascope", true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    try {
      LoadDocument(r.file.empty() ? dir.path() : dir / r.file);
      ADD_FAILURE() << "loaded";
    } catch (const NotADocumentError& e) {
      EXPECT_TRUE(r.notADocument);
      EXPECT_EQ(Utf8Message(e), r.message);
    } catch (const DocumentMissingError& e) {
      EXPECT_FALSE(r.notADocument);
      EXPECT_EQ(Utf8Message(e), r.message);
    }
  }
}

// The system's reasons in Spanish after the file name, whole in its script.
TEST(DocumentFileTest, FailedSavesSayWhyInSpanish) {
  TempDir dir;
  fs::create_symlink("bucle.vlx", dir / "bucle.vlx");
  const std::string folder = dir.path().string() + "/";
  const std::string tooLong(256, 'n');
  fs::create_directory(dir / "carpeta.vlx");
  struct Row { const char* name; std::string file; const char* action; std::string reason; };
  const Row rows[] = {
      {"missing Cyrillic folder", "\xD0\xBD\xD0\xB5\xD1\x82/doc.vlx", "guardar", "no existe el archivo o la carpeta"},
      {"link to itself", "bucle.vlx", "guardar", "demasiados enlaces simb\xC3\xB3licos"},
      {"name beyond the longest", tooLong, "guardar", "el nombre es demasiado largo"},
      {"a folder in the way", "carpeta.vlx", "leer", "es una carpeta"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    try {
      SaveDocument(dir / r.file, "", PlotDocument::StartUp(), 1.0f);
      ADD_FAILURE() << "saved";
    } catch (const IniFileError& e) {
      EXPECT_EQ(Utf8Message(e), "No se puede " + std::string(r.action) + " " + folder + r.file + ": " + r.reason);
    }
  }
}

TEST(DocumentFileTest, AspectCorrectionResizesOnlyTheXRangeAroundItsCentre) {
  struct Row { const char* name; float saved, current, xmin, xmax; bool changed; const char *newXmin, *newXmax; };
  const Row rows[] = {
      {"same shape", 0.75f, 0.75f, -1, 1, false, "-Pi*3", "Pi*3"},
      {"wider window", 1.0f, 0.5f, -1, 1, true, "-2", "2"},
      {"narrower window", 0.5f, 1.0f, -1, 1, true, "-0.5", "0.5"},
      {"off-centre range", 1.0f, 0.5f, 2, 6, true, "0", "8"},
      {"mirrored range stays mirrored", 1.0f, 0.5f, 1, -1, true, "2", "-2"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    PlotDocument d = PlotDocument::StartUp();
    EXPECT_EQ(CorrectAspect(d, r.saved, r.current, r.xmin, r.xmax), r.changed);
    EXPECT_EQ(d.Xmin, r.newXmin);
    EXPECT_EQ(d.Xmax, r.newXmax);
    EXPECT_EQ(d.Ymin, "-Pi*3");
    EXPECT_EQ(d.Ymax, "Pi*3");
  }
}

}  // namespace
}  // namespace vorla
