#pragma once
// A compiled tree flattened into a program over runs of points of one row.
// Registers hold a run of values, one lane per point; the part of the tree
// that does not depend on the column runs once per row. A lane whose
// evaluation would fail in the tree holds NaN (see RowKernels.h), and beside
// it, in the register's code lane, the code the tree fails with there: the
// code of the first operand in the tree's order of evaluation that failed, or
// the operation's own fault. Codes are written only for runs where a lane
// failed, so runs without failures pay nothing for them.
// Values equal the tree's bit for bit: + - * / are float operations (equal
// to the tree's extended ones rounded once), catalog functions with a run
// form share their kernels with the tree, and everything else calls the
// tree's own scalar functions lane by lane.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/expr/ExprBase.h"
#include "hwy/aligned_allocator.h"

namespace vorla {

// What a variable or a call without arguments is to a row program.
struct RowLeaf {
  enum class Kind {
    kColumn,        // the value that changes along the row
    kRow,           // the value that changes from row to row
    kPoint,         // a function of both, given by `point`
    kPictureValue,  // fixed while the picture is calculated: evaluated once
  };
  Kind kind;
  // For kPoint: the values at n points, NaN where the leaf fails (beyond the
  // float range, an overflow).
  void (*point)(const float* column, const float* row, float* out, std::size_t n) = nullptr;
};
// Null for a leaf the program cannot express (a random number, say).
using RowLeafBinder = std::function<std::optional<RowLeaf>(const TEval& leaf)>;

class RowProgram {
 public:
  static constexpr std::size_t kRunLength = 256;

  // One worker's registers and scratch; a program runs on many at once.
  class Workspace {
   public:
    explicit Workspace(const RowProgram& program);
    // The values of output `i` in the last run.
    const float* Output(std::size_t i) const;
    // Its error codes (ExprError), where its value is NaN.
    const std::uint8_t* OutputCodes(std::size_t i) const;

   private:
    friend class RowProgram;
    float* Register(int index) { return slots_[static_cast<std::size_t>(index)]; }
    void ReadColumns(int index, const float* columns, std::size_t n);
    std::uint8_t* Codes(int index) { return codes_.get() + static_cast<std::size_t>(index) * kRunLength; }

    const RowProgram& program_;
    hwy::AlignedFreeUniquePtr<float[]> registers_;
    // Where each register's values are: its own storage, or for a column
    // register the caller's columns when they can be read in place.
    std::vector<float*> slots_;
    std::unique_ptr<std::uint8_t[]> codes_;
    // Per register: whether a lane may have failed in the last run (or row).
    std::vector<char> mayFail_;
    // The bits each broadcast register holds in every lane, once written.
    std::vector<std::optional<std::uint32_t>> broadcastBits_;
    // Per register: the pass of Execute in which its unchecked arithmetic was
    // computed again with its check.
    std::vector<std::uint64_t> checkedIn_;
    std::uint64_t pass_ = 0;
    // Stand-ins for the arguments of catalog functions, which read nodes.
    std::vector<std::shared_ptr<TSimpleNum>> leaves_;
    std::vector<TEvalArray> arguments_;  // one per call instruction
    float row_ = 0;
  };

  // Null when some node cannot be expressed. Picture values are evaluated
  // here, on the caller's thread.
  static std::unique_ptr<RowProgram> Compile(std::span<TEval* const> roots, const RowLeafBinder& bind);

  ~RowProgram();
  RowProgram(const RowProgram&) = delete;
  RowProgram& operator=(const RowProgram&) = delete;

  std::size_t Outputs() const { return outputs_.size(); }
  // Output `i` is the same at every point of a row.
  bool FixedAlongRow(std::size_t i) const;
  // Once per row, before its runs.
  void BeginRow(Workspace& workspace, float row) const;
  // Up to kRunLength points of the current row at the given columns. Columns
  // aligned to kWidestVector floats, n a whole number of such vectors, are
  // read in place.
  void Run(Workspace& workspace, const float* columns, std::size_t n) const;

  enum class Code;
  struct Instruction;
  // What an instruction left: no failed lane; failed lanes without their
  // codes; lanes computed one by one, failed ones with their codes.
  enum class Outcome { kClean, kFailed, kCoded };

 private:
  class Compiler;
  RowProgram();
  void Execute(const std::vector<Instruction>& code, Workspace& workspace, const float* columns,
               std::size_t n) const;
  Outcome Perform(const Instruction& in, Workspace& workspace, std::size_t n) const;
  // An arithmetic, through the kernel chosen for it.
  Outcome RunKernel(const Instruction& in, Workspace& workspace, std::size_t n) const;
  // Whether an arithmetic's operands may hold failures in this run.
  static bool ReadsFailure(const Instruction& in, const Workspace& workspace);
  // An unchecked arithmetic computed again with its check, and its codes.
  void Recheck(const Instruction& in, Workspace& workspace, std::size_t n) const;
  // The codes of the failed lanes of a run computed whole.
  void AssignCodes(const Instruction& in, Workspace& workspace, std::size_t n) const;

  std::vector<Instruction> rowCode_;    // once per row, one lane
  std::vector<Instruction> pointCode_;  // once per run
  std::vector<std::pair<int, int>> broadcasts_;  // row register -> run register
  std::vector<int> outputs_;
  int registers_ = 0;
  std::vector<std::size_t> callArities_;  // of the call instructions
  int rowRegister_ = -1;  // the row's value in every lane, when a point leaf reads it
};

}  // namespace vorla
