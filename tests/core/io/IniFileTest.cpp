// INI files read and written key by key: lookups, in-place edits, kept lines,
// encodings and crash-safe saving.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "TempDir.h"
#include "core/io/IniFile.h"

namespace vorla {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

const char* const kSample =
    "; settings\n"
    "[Vorlascope]\n"
    "Func=Sen(x)\n"
    "Extra = kept\n"
    "\n"
    "[Otra]\n"
    "a=1\n";

TEST(IniFileTest, ReadsWithoutRegardToCaseAndVerbatim) {
  const IniFile file = IniFile::FromText(
      "[VORLASCOPE]\r\nfunc=  x = y ;no comment\r\nXmin=\r\n;Xmax=3\r\n[Secci\xD3n]\r\nCLAVE=\xE1\r\n");
  struct Row { const char* name; const char* section; const char* key; std::optional<std::string> value; };
  const Row rows[] = {
      {"key and section case", "Vorlascope", "FUNC", "  x = y ;no comment"},
      {"empty value", "vorlascope", "Xmin", ""},
      {"commented key", "Vorlascope", "Xmax", std::nullopt},
      {"missing key", "Vorlascope", "Ymin", std::nullopt},
      {"missing section", "Otra", "Func", std::nullopt},
      {"accented section folds", "secci\xF3n", "clave", "\xE1"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(file.ReadString(r.section, r.key), r.value);
  }
  EXPECT_EQ(file.ReadString("Vorlascope", "Ymin", "-Pi"), "-Pi");
}

TEST(IniFileTest, EditsInPlaceAndKeepsEverythingElse) {
  IniFile file = IniFile::FromText(kSample);
  EXPECT_EQ(file.Text(), kSample);
  file.WriteString("vorlascope", "FUNC", "Cos(y)");
  file.WriteString("Vorlascope", "Zmin", "-1");
  file.WriteString("Nueva", "b", "2");
  EXPECT_TRUE(file.DeleteKey("OTRA", "A"));
  EXPECT_FALSE(file.DeleteKey("Otra", "a"));
  EXPECT_EQ(file.Text(),
            "; settings\n"
            "[Vorlascope]\n"
            "FUNC=Cos(y)\n"
            "Extra = kept\n"
            "Zmin=-1\n"
            "\n"
            "[Otra]\n"
            "[Nueva]\n"
            "b=2\n");
  EXPECT_EQ(file.Keys("vorlascope"), (std::vector<std::string>{"FUNC", "Extra", "Zmin"}));
  EXPECT_EQ(file.Sections(), (std::vector<std::string>{"Vorlascope", "Otra", "Nueva"}));
  EXPECT_TRUE(file.DeleteSection("otra"));
  EXPECT_FALSE(file.HasSection("Otra"));
}

TEST(IniFileTest, RefusesKeysAndValuesThatWouldReadBackDifferently) {
  struct Row { const char* name; const char* key; const char* value; };
  const Row rows[] = {
      {"equals sign", "a=b", "1"},       {"opening bracket", "[a", "1"},
      {"comment mark", ";a", "1"},       {"leading blank", " a", "1"},
      {"trailing blank", "a ", "1"},     {"empty", "", "1"},
      {"line break in key", "a\nb", "1"}, {"line break in value", "a", "1\n[x]"},
      {"carriage return in value", "a", "1\r"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    IniFile file = IniFile::FromText(kSample);
    EXPECT_THROW(file.WriteString("Vorlascope", r.key, r.value), IniFileError);
    EXPECT_EQ(file.Text(), kSample);
  }
  EXPECT_TRUE(IniFile::IsValidKey("Mar \xE1rido (2)"));
}

TEST(IniFileTest, DecodesEitherEncodingAndWritesUtf8) {
  TempDir dir;
  struct Row { const char* name; std::string bytes; };
  const Row rows[] = {
      {"utf-8", "[G]\nCa\xC3\xB1" "a=\xC2\xA3x\n"},
      {"utf-8 with mark", "\xEF\xBB\xBF[G]\nCa\xC3\xB1" "a=\xC2\xA3x\n"},
      {"windows-1252", "[G]\nCa\xF1" "a=\xA3x\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const fs::path path = dir.path() / "enc.ini";
    WriteBytes(path, r.bytes);
    IniFile file = IniFile::Read(path);
    EXPECT_EQ(file.ReadString("g", "CA\xD1" "A"), "\xA3x");
    file.Write(path);
    EXPECT_EQ(ReadBytes(path), "[G]\nCa\xC3\xB1" "a=\xC2\xA3x\n");
  }
}

TEST(IniFileTest, MissingFileReadsEmptyAndIsCreatedOnWrite) {
  TempDir dir;
  const fs::path path = dir.path() / "nuevo.ini";
  IniFile file = IniFile::Read(path);
  EXPECT_TRUE(file.Sections().empty());
  file.WriteString("Gradientes", "Mar", "06FF0000");
  file.Write(path);
  EXPECT_EQ(ReadBytes(path), "[Gradientes]\nMar=06FF0000\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
      << "no temporary file is left behind";
}

TEST(IniFileTest, FailedSaveIsReportedAndLeavesTheOldFile) {
  TempDir dir;
  const fs::path path = dir.path() / "doc.vlx";
  const std::string old = "[Vorlascope]\nFunc=x\n";
  WriteBytes(path, old);
  IniFile file = IniFile::Read(path);
  file.WriteString("Vorlascope", "Func", std::string(4000, 'y'));
  {
    // A file-size limit stands in for a full disk (it stops the superuser too).
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(file.Write(path), IniFileError);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
  }
  EXPECT_THROW(file.Write(dir.path() / "missing" / "doc.vlx"), IniFileError);
  fs::create_directory(dir.path() / "taken");
  WriteBytes(dir.path() / "taken" / "x", "");
  EXPECT_THROW(file.Write(dir.path() / "taken"), IniFileError);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
      << "no temporary file is left behind";
}

}  // namespace
}  // namespace vorla
