// INI files read and written key by key: lookups, in-place edits, kept lines,
// encodings and crash-safe saving.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <set>

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

TEST(IniFileTest, ReadsKeysAndValuesAsProfileStringsDo) {
  const IniFile file = IniFile::FromText(
      "[VORLASCOPE]\nfunc=x = y ;no comment\nXmin=\n;Xmax=3\n  ColGra = 0400000080FF0000 \t\n"
      "Q1=\"x\"\nQ2=' -1 '\nQ3=\"\"x\"\"\nQ4=\"x'\nQ5= \"\" \n[ Secci\xD3n ]\nCLAVE=\xE1\n");
  struct Row { const char* name; const char* section; const char* key; std::optional<std::string> value; };
  const Row rows[] = {
      {"key and section case", "Vorlascope", "FUNC", "x = y ;no comment"},
      {"empty value", "vorlascope", "Xmin", ""},
      {"commented key", "Vorlascope", "Xmax", std::nullopt},
      {"missing key", "Vorlascope", "Ymin", std::nullopt},
      {"missing section", "Otra", "Func", std::nullopt},
      {"blanks around key and value", "Vorlascope", "ColGra", "0400000080FF0000"},
      {"double quotes", "Vorlascope", "Q1", "x"},
      {"single quotes keep the blanks inside", "Vorlascope", "Q2", " -1 "},
      {"only one pair of quotes", "Vorlascope", "Q3", "\"x\""},
      {"quotes that do not match", "Vorlascope", "Q4", "\"x'"},
      {"empty quotes inside blanks", "Vorlascope", "Q5", ""},
      {"accented section folds, blanks off", "secci\xF3n", "clave", "\xE1"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(file.ReadString(r.section, r.key), r.value);
  }
  EXPECT_EQ(file.ReadString("Vorlascope", "Ymin", "-Pi"), "-Pi");
}

// Each row holds "[S]", "a=1", a blank line and "b=2", ended as named.
TEST(IniFileTest, AnyMixOfCrAndLfEndsALine) {
  struct Row { const char* name; std::string text; };
  const Row rows[] = {
      {"LF", "[S]\na=1\n\nb=2\n"},
      {"CR LF", "[S]\r\na=1\r\n\r\nb=2\r\n"},
      {"CR CR LF", "[S]\r\r\na=1\r\r\n\r\r\nb=2\r\r\n"},
      {"CR only", "[S]\ra=1\r\rb=2\r"},
      {"mixed, no end at the end", "[S]\r\na=1\n\r\r\nb=2"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    IniFile file = IniFile::FromText(r.text);
    EXPECT_EQ(file.ReadString("S", "a"), "1");
    EXPECT_EQ(file.ReadString("S", "b"), "2");
    file.WriteString("S", "a", "3");
    EXPECT_EQ(file.Text(), "[S]\na=3\n\nb=2\n");
  }
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
      {"utf-8 mark, then windows-1252", "\xEF\xBB\xBF[G]\nCa\xF1" "a=\xA3x\n"},
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

std::set<fs::path> Listing(const fs::path& dir) {
  return {fs::recursive_directory_iterator(dir), fs::recursive_directory_iterator()};
}

// Each row prepares the folder and names the file to save and the file that
// must end up holding the text (created when missing); no temporary file may
// stay anywhere.
TEST(IniFileTest, SavesThroughLinksAndUnderTheLongestNames) {
  std::string enye;
  for (int i = 0; i < 125; ++i) enye += "\xC3\xB1";
  struct Row { const char* name; void (*prepare)(const fs::path& dir); std::string saved; std::string holder; };
  const Row rows[] = {
      {"link to a file", [](const fs::path& d) {
         WriteBytes(d / "real.ini", "old");
         fs::create_symlink("real.ini", d / "l.ini");
       }, "l.ini", "real.ini"},
      {"absolute link to a link", [](const fs::path& d) {
         WriteBytes(d / "real.ini", "old");
         fs::create_symlink("real.ini", d / "m.ini");
         fs::create_symlink(d / "m.ini", d / "l.ini");
       }, "l.ini", "real.ini"},
      {"link to a file not there yet", [](const fs::path& d) { fs::create_symlink("new.ini", d / "l.ini"); },
       "l.ini", "new.ini"},
      {"250-byte name", [](const fs::path&) {}, std::string(246, 'a') + ".ini", std::string(246, 'a') + ".ini"},
      {"255-byte name of two-byte letters", [](const fs::path&) {}, enye + "x.ini", enye + "x.ini"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TempDir dir;
    r.prepare(dir.path());
    std::set<fs::path> expected = Listing(dir.path());
    expected.insert(dir / r.holder);
    IniFile file = IniFile::Read(dir / "missing.ini");
    EXPECT_TRUE(file.Sections().empty()) << "a missing file reads empty";
    file.WriteString("S", "k", "v");
    EXPECT_NO_THROW(file.Write(dir / r.saved));
    EXPECT_EQ(ReadBytes(dir / r.holder), "[S]\nk=v\n");
    EXPECT_EQ(fs::is_symlink(dir / r.saved), r.saved != r.holder) << "a link stays a link";
    EXPECT_EQ(Listing(dir.path()), expected) << "no temporary file is left behind";
  }
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
