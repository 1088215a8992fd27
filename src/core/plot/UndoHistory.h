#pragma once
// The multi-step undo: every whole-picture calculation stores the document as
// the next numbered section of the undo file, and undo reads an earlier one
// back. The first running instance uses "vlx.tmp" in the settings folder; a
// second one, finding it taken, uses "vlx-PID.tmp", so two instances never
// undo into each other's plots. The file is deleted when the history is.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "core/io/IniFile.h"
#include "core/plot/DocumentFile.h"

namespace vorla {

class UndoHistory {
 public:
  // Claims the undo file in `folder` and starts an empty history (deleting a
  // file left behind by an instance that ended without cleaning up).
  explicit UndoHistory(const std::filesystem::path& folder);
  ~UndoHistory();
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  const std::filesystem::path& FilePath() const { return path_; }
  // Number of the next section to write.
  std::uint16_t Counter() const { return counter_; }
  bool CanUndo() const { return counter_ >= 2; }

  // Stores the document under the counter and advances it. Raises
  // IniFileError when the file cannot be written (the history is unchanged).
  void PushUndo(const PlotDocument& document, float aspect);
  // Deletes the file (a missing one is no error) and resets the counter.
  void ClearUndo();

  struct Step {
    LoadedDocument loaded;
    std::uint16_t number;  // shown as "Deshacer " + number
  };
  // Steps back: the counter drops by two and that section is returned. The
  // caller loads it and recalculates, which pushes it again under the same
  // number. Nothing when CanUndo is false. An entry without Func (a gradient
  // edit pushes whatever the fields hold) is refused with NotADocumentError
  // as a file would be; the counter has dropped all the same, so the next
  // calculation writes over that entry.
  std::optional<Step> Undo();

 private:
  std::filesystem::path path_;
  int lockFd_ = -1;
  std::uint16_t counter_ = 0;
  IniFile file_;  // the file's contents: nobody else writes it
};

}  // namespace vorla
