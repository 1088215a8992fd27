// The gradient library list: start-up fill, loading by name, "+" and "-" over vorla.gra.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <string>
#include <vector>

#include "core/io/IniFile.h"
#include "gui/gradient/GradEditM.h"
#include "gui/gradient/GradientLibraryBox.h"

namespace vorla {
namespace {

constexpr char kFuego[] = "04000000800000FF";
constexpr char kAlfa[] = "0400FF00";

// A library file, an editor and a list over them, with every message box
// answered from `answer` and recorded.
struct Library {
  explicit Library(const std::string& fileText = {}) {
    path = (dir.path() + "/vorla.gra").toStdString();
    if (!fileText.empty()) std::ofstream(path, std::ios::binary) << fileText;
    editor.Table().SetStartCol(4);
    editor.Table().SetPalString("0400000080FF0000");
    Open();
  }

  void Open() {
    box = std::make_unique<TGradientLibraryBox>(&editor, path);
    box->SetDialogs(
        [this](const QString& text) {
          messages.push_back(text);
          return answer;
        },
        [this](const QString& text) { messages.push_back(text); });
    box->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(box.get()));
  }

  std::vector<QString> Items() const {
    std::vector<QString> items;
    for (int i = 0; i < box->ComboBox2()->count(); ++i) items.push_back(box->ComboBox2()->itemText(i));
    return items;
  }
  // Key by key, so every prefix passes through the list as the user types.
  void Type(const QString& text) {
    box->ComboBox2()->lineEdit()->clear();
    for (const QChar c : text) box->ComboBox2()->lineEdit()->insert(c);
  }
  void Select(const QString& name) { box->ComboBox2()->setCurrentIndex(box->ComboBox2()->findText(name)); }
  void Add() { QTest::mouseClick(box->cmdGuardarPal(), Qt::LeftButton); }
  void Remove() { QTest::mouseClick(box->cmdBorrarPal(), Qt::LeftButton); }
  std::optional<std::string> Stored(const std::string& name) const {
    return IniFile::Read(path).ReadString("Gradientes", name);
  }

  QTemporaryDir dir;
  std::string path;
  TGradEditM editor;
  std::unique_ptr<TGradientLibraryBox> box;
  bool answer = true;
  std::vector<QString> messages;
};

const std::string kThree = std::string("[Gradientes]\nZeta=80FF0000\nalfa=") + kAlfa + "\nFuego=" + kFuego + "\n";

TEST(GradientLibraryBoxTest, StartsSortedWithEmptyTextAndLoadsByName) {
  Library library(kThree);
  EXPECT_EQ(library.Items(), (std::vector<QString>{"alfa", "Fuego", "Zeta"}));
  EXPECT_TRUE(library.box->ComboBox2()->currentText().isEmpty());
  EXPECT_EQ(library.editor.Table().PalString(), "0400000080FF0000");

  library.box->activateWindow();
  library.box->ComboBox2()->setFocus();
  QTest::keyClicks(library.box->ComboBox2()->lineEdit(), "Fu");
  EXPECT_EQ(library.editor.Table().PalString(), "0400000080FF0000");
  QTest::keyClicks(library.box->ComboBox2()->lineEdit(), "ego");
  EXPECT_EQ(library.editor.Table().PalString(), kFuego);
  library.Type("Nada");
  EXPECT_EQ(library.editor.Table().PalString(), kFuego);
  library.Select("alfa");
  EXPECT_EQ(library.editor.Table().PalString(), kAlfa);
  EXPECT_TRUE(library.messages.empty());
}

TEST(GradientLibraryBoxTest, MissingFileIsCreatedSeededAndKeepsAnAddThroughARestart) {
  Library library;
  const std::vector<QString> seeded{"cividis", "inferno", "magma", "plasma", "twilight", "viridis"};
  EXPECT_EQ(library.Items(), seeded);
  library.Type("Océano");
  library.Add();
  EXPECT_TRUE(library.messages.empty());
  EXPECT_EQ(library.Stored("Oc\xE9" "ano"), "0400000080FF0000");

  library.editor.Table().SetPalString(kAlfa);
  library.Open();
  EXPECT_EQ(library.Items(), (std::vector<QString>{"cividis", "inferno", "magma", "Océano", "plasma", "twilight",
                                                   "viridis"}));
  library.Select("Océano");
  EXPECT_EQ(library.editor.Table().PalString(), "0400000080FF0000");
}

struct AddRow { const char* name; QString typed; bool answer; std::vector<QString> messages; std::vector<QString> items;
  std::optional<std::string> storedFuego; };

TEST(GradientLibraryBoxTest, AddStoresOrRedefinesTheCurrentGradient) {
  const std::string current = "0400000080FF0000";
  const std::vector<QString> three{"alfa", "Fuego", "Zeta"};
  const QString badName = QStringLiteral(
      "El nombre \"%1\" no sirve para un gradiente: no puede contener \"=\" ni saltos de línea, empezar con "
      "\"[\" o \";\", ni tener blancos al principio o al final");
  const AddRow rows[] = {
      {"empty name", "", true, {"Necesita un nombre para guardar el gradiente"}, three, kFuego},
      {"new name joins the sorted list", "Mar", true, {}, {"alfa", "Fuego", "Mar", "Zeta"}, kFuego},
      {"redefine confirmed", "Fuego", true, {"Redefine Fuego?"}, three, current},
      {"redefine refused", "Fuego", false, {"Redefine Fuego?"}, three, kFuego},
      {"other letter case is the same name", "fuego", true, {"Redefine fuego?"}, three, current},
      {"equals sign", "a=b", true, {badName.arg("a=b")}, three, kFuego},
      {"section bracket", "[x", true, {badName.arg("[x")}, three, kFuego},
      {"comment mark", ";x", true, {badName.arg(";x")}, three, kFuego},
      {"trailing blank", "Mar ", true, {badName.arg("Mar ")}, three, kFuego},
  };
  for (const AddRow& row : rows) {
    SCOPED_TRACE(row.name);
    Library library(kThree);
    library.answer = row.answer;
    library.Type(row.typed);
    library.editor.Table().SetPalString(current);
    library.Add();
    EXPECT_EQ(library.messages, row.messages);
    EXPECT_EQ(library.Items(), row.items);
    EXPECT_EQ(library.Stored("Fuego"), row.storedFuego);
  }
}

TEST(GradientLibraryBoxTest, RemoveAsksAndKeepsListAndFileAlike) {
  {
    SCOPED_TRACE("answered yes");
    Library library(kThree);
    library.Select("Fuego");
    const std::string loaded = library.editor.Table().PalString();
    library.Remove();
    EXPECT_EQ(library.Items(), (std::vector<QString>{"alfa", "Zeta"}));
    EXPECT_FALSE(library.Stored("Fuego"));
    EXPECT_TRUE(library.box->ComboBox2()->currentText().isEmpty());
    EXPECT_EQ(library.editor.Table().PalString(), loaded);
  }
  {
    SCOPED_TRACE("text edited after selecting");
    Library library(kThree);
    library.Select("alfa");
    library.box->ComboBox2()->setEditText("Zeta");
    library.Remove();
    EXPECT_EQ(library.messages, (std::vector<QString>{"Elimina Zeta?"}));
    EXPECT_EQ(library.Items(), (std::vector<QString>{"alfa", "Fuego"}));
    EXPECT_FALSE(library.Stored("Zeta"));
    EXPECT_EQ(library.Stored("alfa"), kAlfa);
  }
}

TEST(GradientLibraryBoxTest, UnreadableEntryIsReportedAndChangesNothing) {
  Library library("[Gradientes]\nRoto=04zz0000\n");
  library.Select("Roto");
  EXPECT_EQ(library.editor.Table().PalString(), "0400000080FF0000");
  ASSERT_EQ(library.messages.size(), 1u);
  EXPECT_TRUE(library.messages[0].contains("no es un valor entero")) << library.messages[0].toStdString();
}

}  // namespace
}  // namespace vorla
