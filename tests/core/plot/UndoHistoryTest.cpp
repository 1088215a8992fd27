// Undo history: step sequences as the window drives them, clearing, and one
// undo file per running instance.

#include <gtest/gtest.h>

#include "core/plot/UndoHistory.h"
#include "TempDir.h"

namespace vorla {
namespace {

using testing_support::TempDir;

PlotDocument WithFunc(const std::string& func) {
  PlotDocument d = PlotDocument::StartUp();
  d.Func = func;
  return d;
}

// What the window does after an undo: load the step, recalculate, push.
std::string UndoAndRecalculate(UndoHistory& history) {
  const auto step = history.Undo();
  if (!step) return "(disabled)";
  history.PushUndo(step->loaded.document, step->loaded.aspect);
  return step->loaded.document.Func + "@" + std::to_string(step->number);
}

TEST(UndoHistoryTest, StepsBackThroughTheCalculatedStates) {
  TempDir dir;
  UndoHistory history(dir.path());
  EXPECT_EQ(history.FilePath(), dir / "vlx.tmp");
  EXPECT_EQ(UndoAndRecalculate(history), "(disabled)");
  history.PushUndo(WithFunc("a"), 1.0f);
  EXPECT_FALSE(history.CanUndo()) << "one entry is the current state";
  history.PushUndo(WithFunc("b"), 1.0f);
  history.PushUndo(WithFunc("c"), 0.5f);
  EXPECT_EQ(history.Counter(), 3);
  EXPECT_EQ(UndoAndRecalculate(history), "b@1");
  EXPECT_EQ(history.Counter(), 2);
  EXPECT_EQ(UndoAndRecalculate(history), "a@0");
  EXPECT_FALSE(history.CanUndo());
  // A new state after undoing replaces the undone ones.
  history.PushUndo(WithFunc("d"), 1.0f);
  EXPECT_EQ(UndoAndRecalculate(history), "a@0");
}

TEST(UndoHistoryTest, ClearingDeletesTheFileAndDisablesUndo) {
  TempDir dir;
  UndoHistory history(dir.path());
  history.PushUndo(WithFunc("a"), 1.0f);
  history.PushUndo(WithFunc("b"), 1.0f);
  EXPECT_TRUE(std::filesystem::exists(history.FilePath()));
  history.ClearUndo();
  EXPECT_FALSE(std::filesystem::exists(history.FilePath()));
  EXPECT_EQ(history.Counter(), 0);
  EXPECT_FALSE(history.CanUndo());
  history.ClearUndo();  // a missing file is no error
  history.PushUndo(WithFunc("c"), 1.0f);
  EXPECT_EQ(IniFile::Read(history.FilePath()).Sections(), std::vector<std::string>{"0"});
}

// A gradient edit pushes whatever the fields hold, an emptied function too;
// undoing to that state is refused as a file without Func is, and the next
// calculation writes over it.
TEST(UndoHistoryTest, StateWithAnEmptyFunctionIsRefused) {
  TempDir dir;
  UndoHistory history(dir.path());
  history.PushUndo(WithFunc("a"), 1.0f);
  history.PushUndo(WithFunc(""), 1.0f);
  history.PushUndo(WithFunc("c"), 1.0f);
  EXPECT_THROW(history.Undo(), NotADocumentError);
  EXPECT_EQ(history.Counter(), 1);
  history.PushUndo(WithFunc("d"), 1.0f);
  EXPECT_EQ(UndoAndRecalculate(history), "a@0");
}

TEST(UndoHistoryTest, FailedPushLeavesTheHistoryAsItWas) {
  TempDir dir;
  const auto folder = dir / "sub";
  std::filesystem::create_directory(folder);
  UndoHistory history(folder);
  history.PushUndo(WithFunc("a"), 1.0f);
  history.PushUndo(WithFunc("b"), 1.0f);
  std::filesystem::remove_all(folder);
  EXPECT_THROW(history.PushUndo(WithFunc("c"), 1.0f), IniFileError);
  EXPECT_EQ(history.Counter(), 2);
  const auto step = history.Undo();
  ASSERT_TRUE(step.has_value()) << "the history is kept in memory";
  EXPECT_EQ(step->loaded.document.Func, "a");
}

TEST(UndoHistoryTest, SecondInstanceUsesItsOwnFileAndRemovesIt) {
  TempDir dir;
  UndoHistory first(dir.path());
  std::filesystem::path secondPath;
  {
    UndoHistory second(dir.path());
    secondPath = second.FilePath();
    EXPECT_NE(secondPath, first.FilePath());
    first.PushUndo(WithFunc("first"), 1.0f);
    first.PushUndo(WithFunc("first2"), 1.0f);
    second.PushUndo(WithFunc("second"), 1.0f);
    second.PushUndo(WithFunc("second2"), 1.0f);
    EXPECT_EQ(UndoAndRecalculate(first), "first@0");
    EXPECT_EQ(UndoAndRecalculate(second), "second@0");
  }
  EXPECT_FALSE(std::filesystem::exists(secondPath));
  EXPECT_FALSE(std::filesystem::exists(secondPath.string() + ".lock"));
  EXPECT_TRUE(std::filesystem::exists(first.FilePath()));
}

TEST(UndoHistoryTest, SharedNameIsFreeAfterTheFirstInstanceEnds) {
  TempDir dir;
  { UndoHistory first(dir.path()); }
  EXPECT_FALSE(std::filesystem::exists(dir / "vlx.tmp.lock")) << "a clean exit leaves no lock file";
  UndoHistory next(dir.path());
  EXPECT_EQ(next.FilePath(), dir / "vlx.tmp");
}

}  // namespace
}  // namespace vorla
