// The gradient editor control: hit test, mouse editing and the order of its events.

#include <gtest/gtest.h>

#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "gui/gradient/GradEditGeometry.h"
#include "gui/gradient/GradEditM.h"
#include "MainWindowFixture.h"

namespace vorla {
namespace {

// Two nodes as the main window's editor has them: black at 4, blue at 128.
constexpr char kTwoNodes[] = "0400000080FF0000";

std::vector<int> Nodes(const TGradTable& table) {
  const std::vector<std::uint8_t> nodes = table.GetNodes();
  return {nodes.begin(), nodes.end()};
}

struct HitRow { const char *name, *palString; int along, across; bool found; int index; bool inMarkerBand; };

TEST(GradHitTest, RangeEndsMarkersAndCloseNodes) {
  const HitRow rows[] = {
      {"first entry of the strip", kTwoNodes, 4, 12, true, 4, false},
      {"last entry of the strip", kTwoNodes, 255, 12, true, 255, false},
      {"margin before the strip", kTwoNodes, 3, 12, false, 0, false},
      {"margin after the strip", kTwoNodes, 256, 12, false, 0, false},
      {"marker centre", kTwoNodes, 128, 3, true, 128, true},
      {"four pixels off a marker", kTwoNodes, 132, 0, false, 0, true},
      {"left of the control, captured mouse", kTwoNodes, 128, -5, true, 128, true},
      {"between close markers hits the lower", "32FF0000350000FF", 52, 2, true, 50, true},
      {"band away from every marker", kTwoNodes, 90, 3, false, 0, true},
  };
  for (const HitRow& row : rows) {
    SCOPED_TRACE(row.name);
    TGradTable table;
    table.SetStartCol(4);
    table.SetPalString(row.palString);
    const GradHit hit = GradHitTest(table, row.along, row.across);
    EXPECT_EQ(hit.found, row.found);
    if (row.found) {
      EXPECT_EQ(hit.index, row.index);
    }
    EXPECT_EQ(hit.inMarkerBand, row.inMarkerBand);
  }
}

// An upright editor over the range 4..255, as the main window places it: the
// strip pixel at y addresses entry y, markers lie at x 0..7. Everything the
// editor reports, and every colour question it asks, goes to one log.
struct Rig {
  explicit Rig(const char* palString = kTwoNodes) {
    editor.Table().SetStartCol(4);
    editor.Table().SetPalString(palString);
    editor.resize(21, 260);
    editor.SetColorChooser([this](const QColor& initial, QWidget*) -> std::optional<QColor> {
      offered.push_back(initial);
      log.push_back("dialog");
      return answer;
    });
    const auto record = [this](const char* entry) { return [this, entry] { log.push_back(entry); }; };
    QObject::connect(&editor, &TGradEditM::changed, &editor, record("change"));
    QObject::connect(&editor, &TGradEditM::editEnded, &editor, record("end"));
    QObject::connect(&editor, &TGradEditM::colorIndexHovered, &editor,
                     [this](int index) { log.push_back("index " + std::to_string(index)); });
    QObject::connect(&editor, &TGradEditM::mousePressed, &editor, record("down"));
    QObject::connect(&editor, &TGradEditM::mouseMoved, &editor, record("move"));
    QObject::connect(&editor, &TGradEditM::mouseReleased, &editor, record("up"));
    editor.show();
  }

  void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) { QTest::mousePress(&editor, button, {}, at); }
  void MoveTo(QPoint at) { QTest::mouseMove(&editor, at); }
  void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(&editor, button, {}, at);
  }
  int Count(const std::string& entry) const { return static_cast<int>(std::count(log.begin(), log.end(), entry)); }

  TGradEditM editor;
  std::optional<QColor> answer;
  std::vector<QColor> offered;
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;
constexpr QPoint kOnStrip(int y) { return {12, y}; }
constexpr QPoint kOnMarkers(int y) { return {3, y}; }

struct ClickRow { const char* name; const char* palString; QPoint at; Qt::MouseButton button;
  std::optional<QColor> answer; std::vector<int> nodes; Log log; };

TEST(GradEditMTest, ClicksAddRecolourAndDeleteNodes) {
  const QColor chosen(10, 20, 30);
  const Log edit{"down", "dialog", "change", "end", "up"};
  const Log deletion{"down", "change", "end", "up"};
  const ClickRow rows[] = {
      {"left on the strip adds a node", kTwoNodes, kOnStrip(200), Qt::LeftButton, chosen, {4, 128, 200}, edit},
      {"left on a marker recolours", kTwoNodes, kOnMarkers(129), Qt::LeftButton, chosen, {4, 128}, edit},
      {"cancelled dialog changes nothing", kTwoNodes, kOnMarkers(128), Qt::LeftButton, {}, {4, 128},
       {"down", "dialog", "up"}},
      {"left on the margin asks nothing", kTwoNodes, kOnStrip(2), Qt::LeftButton, chosen, {4, 128}, {"down", "up"}},
      {"right on a marker deletes", kTwoNodes, kOnMarkers(128), Qt::RightButton, chosen, {4}, deletion},
      {"middle on a marker deletes", kTwoNodes, kOnMarkers(5), Qt::MiddleButton, chosen, {128}, deletion},
      {"the last node stays", "80FF0000", kOnMarkers(128), Qt::RightButton, chosen, {128}, {"down", "up"}},
      {"right on the strip does nothing", kTwoNodes, kOnStrip(128), Qt::RightButton, chosen, {4, 128},
       {"down", "up"}},
  };
  for (const ClickRow& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig(row.palString);
    rig.answer = row.answer;
    const std::string before = rig.editor.Table().PalString();
    rig.Press(row.at, row.button);
    rig.Release(row.at, row.button);
    EXPECT_EQ(Nodes(rig.editor.Table()), row.nodes);
    EXPECT_EQ(rig.log, row.log);
    if (rig.Count("change") == 0) {
      EXPECT_EQ(rig.editor.Table().PalString(), before);
    }
  }
  Rig rig;
  rig.answer = chosen;
  rig.Press(kOnStrip(200));
  rig.Release(kOnStrip(200));
  // Entry 200 blends blue at 128 into black at 4 (through 255): 255 - 255 * 72 / 129.
  EXPECT_EQ(rig.offered, (std::vector<QColor>{QColor(0, 0, 113)})) << "the dialog opens at the entry's colour";
  EXPECT_EQ(rig.editor.Table().Colors(200), TColor{10 + 20 * 256 + 30 * 65536});
}

// path: y of each move, the release at the last one
struct DragRow { const char* name; std::vector<int> path; std::vector<int> nodes; int changes; int ends; int dialogs; };

TEST(GradEditMTest, DraggingAMarkerMovesItsNode) {
  const DragRow rows[] = {
      {"to a free entry", {140}, {4, 140}, 1, 1, 0},
      {"onto another node is refused", {4}, {4, 128}, 0, 0, 0},
      {"outside the range is refused", {1}, {4, 128}, 0, 0, 0},
      {"above the top wraps to the bottom end", {-1}, {4, 255}, 1, 1, 0},
      {"a refused step does not end the drag", {4, 20}, {4, 20}, 1, 1, 0},
      {"back to its start is also a click", {140, 128}, {4, 128}, 2, 1, 1},
  };
  constexpr TColor kBlue = 0xFF0000;
  for (const DragRow& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.Press(kOnMarkers(128));
    for (int y : row.path) rig.MoveTo(kOnMarkers(y));
    rig.Release(kOnMarkers(row.path.back()));
    const std::vector<int> nodes = Nodes(rig.editor.Table());
    EXPECT_EQ(nodes, row.nodes);
    EXPECT_EQ(rig.editor.Table().Colors(static_cast<std::uint8_t>(nodes.back())), kBlue);
    EXPECT_EQ(rig.Count("change"), row.changes);
    EXPECT_EQ(rig.Count("end"), row.ends);
    EXPECT_EQ(rig.Count("dialog"), row.dialogs);
    if (row.ends == 1) {
      EXPECT_EQ(rig.log.back(), "end");
    }
  }
}

// The table's rotation itself is the core's; the editor turns the mouse path into it.
TEST(GradEditMTest, DraggingTheStripRotatesWithTheMouse) {
  struct Row { const char* name; int from; std::vector<int> path; std::vector<int> nodes; int blue; };
  const Row rows[] = {
      {"ten one-pixel steps", 100, {101, 102, 103, 104, 105, 106, 107, 108, 109, 110}, {14, 138}, 138},
      {"one jump of 200 entries", 20, {220}, {76, 204}, 76},
      {"there and partly back", 150, {130, 140}, {118, 246}, 118},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.Press(kOnStrip(row.from));
    for (int y : row.path) rig.MoveTo(kOnStrip(y));
    rig.Release(kOnStrip(row.path.back()));
    EXPECT_EQ(Nodes(rig.editor.Table()), row.nodes);
    EXPECT_EQ(rig.editor.Table().Colors(static_cast<std::uint8_t>(row.blue)), 0xFF0000u) << "the blue node moved along";
    Log expected{"down"};
    for (int y : row.path) expected.insert(expected.end(), {"change", "index " + std::to_string(y), "move"});
    expected.insert(expected.end(), {"up", "end"});
    EXPECT_EQ(rig.log, expected);
  }
}

TEST(GradEditMTest, HoverReportsTheEntryOnlyOverTheRange) {
  Rig rig;
  rig.MoveTo(kOnStrip(30));
  rig.MoveTo(kOnStrip(2));
  rig.MoveTo(kOnMarkers(127));
  rig.MoveTo(kOnMarkers(60));
  EXPECT_EQ(rig.log, (Log{"index 30", "move", "move", "index 128", "move", "move"}));
}

TEST(GradEditMTest, LengthAlongTheStripFollowsTheRange) {
  TGradEditM editor;
  EXPECT_EQ(editor.size(), QSize(20, 264));
  editor.SetHorizontal(true);
  EXPECT_EQ(editor.size(), QSize(264, 20));
  editor.SetHorizontal(false);
  editor.Table().SetStartCol(4);
  EXPECT_EQ(editor.size(), QSize(20, 260));
  editor.resize(30, 100);
  EXPECT_EQ(editor.size(), QSize(30, 260));
  editor.Table().SetEndCol(3);
  EXPECT_EQ(editor.height(), 8);
}

TEST(GradEditMTest, PictureShowsEveryEntryAndFollowsTheTable) {
  Rig rig;
  rig.editor.SetBackColor(QColor(1, 2, 3));
  const auto expectStrip = [&rig] {
    const Palette palette = rig.editor.Table().Palette();
    for (int entry : {4, 60, 128, 255}) {
      SCOPED_TRACE(entry);
      EXPECT_EQ(rig.editor.Picture().pixelColor(15, entry),
                QColor(palette[entry].red, palette[entry].green, palette[entry].blue));
    }
  };
  expectStrip();
  EXPECT_EQ(rig.editor.Picture().pixelColor(2, 128), QColor(0, 0, 255));
  EXPECT_EQ(rig.editor.Picture().pixelColor(2, 60), QColor(1, 2, 3));
  rig.editor.Table().Rotate(50);
  expectStrip();
  EXPECT_EQ(rig.editor.Picture().pixelColor(2, 178), QColor(0, 0, 255));
}

// A GIMP file dropped on the strip replaces the gradient as one finished
// edit; a broken one is reported and changes nothing.
TEST(GradEditMTest, DroppedGimpFilesBecomeTheGradient) {
  QTemporaryDir dir;
  TGradEditM editor;
  editor.Table().SetStartCol(4);
  editor.Table().SetPalString("0400000080FF0000");
  int ended = 0;
  QObject::connect(&editor, &TGradEditM::editEnded, [&ended] { ++ended; });
  const auto drop = [&editor](const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject*>(&editor)->event(&event);
  };
  gui_test::WriteFile(dir.filePath("tres.gpl"), "GIMP Palette\nName: Tres\n0 0 0\n255 0 0\n255 255 255\n");
  drop(dir.filePath("tres.gpl"));
  EXPECT_EQ(editor.Table().PalString(), "04000000820000FFFFFFFFFF");
  EXPECT_EQ(ended, 1);

  gui_test::WriteFile(dir.filePath("roto.ggr"), "GIMP Gradient\n3\n0 0.5 1 0 0 0 1 1 1 1 1 0 0\n");
  QString message;
  gui_test::AcceptMessage(message);
  drop(dir.filePath("roto.ggr"));
  EXPECT_TRUE(message.contains(QStringLiteral("faltan segmentos"))) << qPrintable(message);
  EXPECT_EQ(editor.Table().PalString(), "04000000820000FFFFFFFFFF");
  EXPECT_EQ(ended, 1);
}

}  // namespace
}  // namespace vorla
