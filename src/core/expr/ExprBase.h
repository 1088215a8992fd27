#pragma once
// Compiled expression trees: nodes, variables, catalog entries and solving
// for a variable. Values are 32-bit floats; every node computes in extended
// precision and rounds its result. Nodes are shared (solved trees and
// definitions reuse subtrees), so a tree is in general a DAG: every walk over
// it that could reach a node twice answers from what the node keeps instead.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/expr/ErrorCodes.h"

namespace vorla {

class TEval;
class TVar;
class TVariable;

// A share of a node; parents hold their operands through it.
using NodePtr = std::shared_ptr<TEval>;
using TEvalArray = std::vector<NodePtr>;

// Formula typesetting draws on this surface; catalog entries may replace the
// default layout of their calls with hooks.
class TCanvas;
struct TBox {
  int Width = 0;
  int Ascent = 0;   // extent above the formula axis
  int Descent = 0;  // extent below it
};
using TMeasureHook = std::function<TBox(const TEval& node, TCanvas& canvas, int size)>;
using TDrawHook = std::function<void(const TEval& node, TCanvas& canvas, int x, int top, int size)>;

using TFunc0 = std::function<float()>;
using TFunc1 = float (*)(float);
// Receives the argument nodes and evaluates the ones it needs itself.
using TFuncN = float (*)(const TEvalArray& args);
// The forms over runs of the functions that have one: the function's values
// bit for bit, lane by lane, NaN where it fails (see RowKernels.h).
using TRunFunc1 = void (*)(const float* x, float* out, std::size_t n);
using TRunFunc2 = void (*)(const float* a, const float* b, float* out, std::size_t n);
// The code a function of one argument fails with at x, where its form over
// runs gives NaN for a number x.
using TRunFault = ExprError (*)(float x);
// A function of one argument over runs: its form and the rule of its faults,
// both absent or both present.
struct TRun1 {
  TRunFunc1 Form = nullptr;
  TRunFault Fault = nullptr;
};

inline constexpr long double Tolerance = 1e-14L;
inline constexpr float TrueValue = 1.0f;
inline constexpr float FalseValue = -1.0f;

bool NearlyEqual(float a, float b);

// A value the host assigns between evaluations. It must outlive every node
// that reads it.
class TVariable {
 public:
  TVariable() = default;
  TVariable(const TVariable&) = delete;
  TVariable& operator=(const TVariable&) = delete;

  // Marks every reader out of date, even when the value does not change.
  void SetValue(float value);
  float Value() const { return value_; }
  // When the value was last assigned, on a clock that every assignment of
  // a variable on the same thread advances. Between two ticks lies one
  // evaluation point. One clock per thread lets trees evaluate on several
  // threads at once; a tree that reads variables is evaluated on one thread
  // (the thread that builds it may differ, as building evaluates constants only).
  std::uint64_t AssignedAt() const { return assignedAt_; }
  static std::uint64_t Now() { return clock_; }
  // A new evaluation point without an assignment: functions without
  // arguments (a random number) give a new value, nothing else changes.
  static void NextPoint() { ++clock_; }

  void AddNode(TVar* node);
  void RemoveNode(TVar* node);

 private:
  float value_ = 0.0f;
  std::uint64_t assignedAt_ = 0;
  static inline thread_local std::uint64_t clock_ = 0;
  std::vector<TVar*> nodes_;
};

// What a node is. Evaluation, solving, typesetting and the row program each
// handle every kind in one switch, so a kind one of them forgets is a
// warning of -Wswitch (an error in the test build).
enum class NodeKind {
  kNumber,     // written in the text
  kConstant,   // a catalog constant: "Pi"
  kFunction0,  // a value computed without arguments: "r", "minX", "Ale"
  kVariable,   // a value the host assigns: "x"
  kMessage,    // a quoted message: evaluating it fails with its text
  kAdd,
  kSubtract,
  kMultiply,
  kDivide,
  kPower,    // Args: base, exponent
  kRoot,     // Args: radicand, index
  kLogBase,  // Args: argument, base
  kGreater,
  kLess,
  kEqual,
  kNotEqual,
  kAtLeast,
  kAtMost,
  kAnd,  // the right operand is skipped when the left is false
  kOr,   // the right operand is skipped when the left is true
  kXor,
  kCall1,   // a catalog function of one argument
  kCallN,   // a catalog function of several arguments
  kSelect,  // "Si": the second argument when the first holds, else the third
};

bool IsComparison(NodeKind kind);
bool IsLogic(NodeKind kind);
// Operators of two operands: arithmetic, comparisons and logic.
bool IsOperator(NodeKind kind);
bool IsCall(NodeKind kind);

// Any node. Nodes are shared: a node lives while a parent or a NodePtr
// holds it.
class TEval {
 public:
  virtual ~TEval() = default;
  TEval(const TEval&) = delete;
  TEval& operator=(const TEval&) = delete;

  NodeKind Kind() const { return kind_; }
  // True when evaluating again would give the value already computed.
  bool IsUnchanged() const;
  // Reads the tree only: values are cached in the nodes, the tree's shape
  // never changes. Leaves answer inline: every operator reads them.
  float Evaluate() {
    switch (kind_) {
      case NodeKind::kNumber:
      case NodeKind::kConstant:
        return Value;
      case NodeKind::kVariable:
        return ReadVariable();
      default:
        return EvaluateComputed();
    }
  }
  // Whether a variable beneath was assigned after `time` (TVariable::Now),
  // or a function without arguments lies beneath. Caches ask this rather
  // than the read flags of their variables, because the first reader of a
  // shared node (a definition) clears those flags for every other reader.
  bool ChangedSince(std::uint64_t time) const {
    if (readsFunction0_) return true;
    for (const TVariable* variable : reads_)
      if (variable->AssignedAt() > time) return true;
    return false;
  }
  // Whether `variable` is read anywhere beneath.
  bool Reads(const TVariable* variable) const;

  std::string Text;  // printed number, name found in the catalog, or message
  float Value = 0.0f;
  TEvalArray Args;   // held by this node

 protected:
  explicit TEval(NodeKind kind) : kind_(kind) {}
  // Takes a share of `operand` as the next element of Args.
  void Hold(NodePtr operand);
  void ReadsVariable(TVariable* variable) { reads_.push_back(variable); }
  void ReadsFunction0() { readsFunction0_ = true; }

 private:
  // Whether Value still holds what evaluating would give.
  bool Fresh() const { return cached_ && !ChangedSince(computedAt_); }
  // Value, computed at most once per evaluation point and again only when
  // something beneath changed since. A failed computation leaves no cache
  // behind, so the next evaluation fails again rather than answering a
  // stale value. Computing is laid out first: a failing point unwinds
  // through these frames, and the unwinder replays a frame's table up to the
  // call, so an epilogue placed before it costs every failure.
  template <class Compute>
  float Cached(Compute compute) {
    const std::uint64_t now = TVariable::Now();  // evaluating assigns nothing
    if (!cached_ || (computedAt_ != now && ChangedSince(computedAt_))) [[likely]] {
      cached_ = false;
      computedAt_ = now;
      Value = compute();
      cached_ = true;
    }
    return Value;
  }
  inline float ReadVariable();
  // Every kind but the inline leaves.
  float EvaluateComputed();
  // The operation of an operator or call, evaluating its operands.
  float Compute();

  const NodeKind kind_;
  // What the node depends on, gathered from its operands when it is built:
  // a DAG is never walked to find it.
  std::vector<TVariable*> reads_;
  bool readsFunction0_ = false;
  bool cached_ = false;
  std::uint64_t computedAt_ = 0;
};

class TSimpleNum : public TEval {
 public:
  explicit TSimpleNum(float value, NodeKind kind = NodeKind::kNumber) : TEval(kind) { Value = value; }
};

class TNum : public TSimpleNum {
 public:
  using TSimpleNum::TSimpleNum;
};

class TConst : public TSimpleNum {
 public:
  explicit TConst(float value, NodeKind kind = NodeKind::kConstant) : TSimpleNum(value, kind) {}
};

// How the row program computes a variable or a call without arguments.
struct TLeafBinding {
  enum class Kind {
    kNone,          // not at all: the tree computes the picture (a random number, say)
    kColumn,        // the value that changes along the row
    kRow,           // the value that changes from row to row
    kPoint,         // a function of both, given by `point`
    kPictureValue,  // fixed while the picture is calculated: evaluated once
  };
  Kind kind = Kind::kNone;
  // For kPoint: the values at n points, NaN where the leaf fails.
  void (*point)(const float* column, const float* row, float* out, std::size_t n) = nullptr;
};

class TFun0 : public TConst {
 public:
  TFun0(TFunc0 func, TLeafBinding binding);

  TFunc0 Func;
  TLeafBinding Binding;
  TMeasureHook MeasureHook;
  TDrawHook DrawHook;
};

class TVar final : public TEval {
 public:
  explicit TVar(TVariable* variable, TLeafBinding binding = {});
  ~TVar() override;

  TVariable* Variable;
  TLeafBinding Binding;
  bool UpToDate = false;

 private:
  friend class TVariable;
  std::size_t slot_ = 0;  // in the variable's list of readers
};

// How a variable or a call without arguments binds; kNone for other nodes.
TLeafBinding BindingOf(const TEval& leaf);

float TEval::ReadVariable() {
  auto* var = static_cast<TVar*>(this);
  var->UpToDate = true;
  return var->Variable->Value();
}

// Two operands. Build through NewOp, which evaluates at once when both
// operands are constant, so a constant fault surfaces while compiling.
class TOp : public TEval {
 public:
  TOp(NodeKind kind, NodePtr left, NodePtr right);
};

#define VORLA_OPERATOR(Name, Base, Kind)                                                           \
  class Name : public Base {                                                                       \
   public:                                                                                         \
    Name(NodePtr left, NodePtr right) : Base(NodeKind::Kind, std::move(left), std::move(right)) {} \
  };
// Comparisons give TrueValue or FalseValue. A left operand that is itself a
// comparison makes a chain: p < q < s holds when p < q and q < s.
class TCompara : public TOp {
 public:
  using TOp::TOp;
};
class TLogic : public TOp {
 public:
  using TOp::TOp;
};
VORLA_OPERATOR(TSuma, TOp, kAdd)
VORLA_OPERATOR(TResta, TOp, kSubtract)
VORLA_OPERATOR(TMul, TOp, kMultiply)
VORLA_OPERATOR(TDiv, TOp, kDivide)
VORLA_OPERATOR(TPot, TOp, kPower)
VORLA_OPERATOR(TRaiz, TOp, kRoot)
VORLA_OPERATOR(TLogN, TOp, kLogBase)
VORLA_OPERATOR(TMay, TCompara, kGreater)
VORLA_OPERATOR(TMen, TCompara, kLess)
VORLA_OPERATOR(TIgu, TCompara, kEqual)
VORLA_OPERATOR(TDist, TCompara, kNotEqual)
VORLA_OPERATOR(TMayIgu, TCompara, kAtLeast)
VORLA_OPERATOR(TMenIgu, TCompara, kAtMost)
VORLA_OPERATOR(TAnd, TLogic, kAnd)
VORLA_OPERATOR(TOr, TLogic, kOr)
VORLA_OPERATOR(TXor, TLogic, kXor)
#undef VORLA_OPERATOR

class TFun : public TEval {
 public:
  TMeasureHook MeasureHook;
  TDrawHook DrawHook;

 protected:
  using TEval::TEval;
};

class TFun1 final : public TFun {
 public:
  TFun1(TFunc1 func, NodePtr argument, TFunc1 inverse, TRun1 run);

  TFunc1 Func;
  TFunc1 Inverse;  // may be absent
  TRun1 Run;       // may be absent
};

class TFunN final : public TFun {
 public:
  // `kind` is kCallN, or kSelect for a function that evaluates only the
  // arguments it needs.
  TFunN(NodeKind kind, TFuncN func, const TEvalArray& arguments, TRunFunc2 run);

  TFuncN Func;
  TRunFunc2 Run;  // for two arguments; may be absent
};

// A quoted message: evaluating it raises EExprMsj with the text.
class TExprMsg : public TEval {
 public:
  explicit TExprMsg(const std::string& text);
};

// Node factories: a node whose operands are all constant is evaluated at
// once, so constant faults raise here (and the new node is gone).
NodePtr NewOp(NodeKind kind, const NodePtr& left, const NodePtr& right);
NodePtr NewFun1(TFunc1 func, const NodePtr& argument, TFunc1 inverse, TRun1 run = {});

// What a catalog entry builds, as the function picker lists it.
enum class MakerKind {
  kConstant,   // "Pi": a fixed value
  kVariable,   // "x": a value bound from outside
  kFunction0,  // "minX": a value computed without arguments
  kFunction1,  // "sen(x)": one argument
  kFunctionN,  // "hipot(x, y)", "Max(x, y, ...)": several arguments
};

// One entry of a function list: everything the compiler, the picker, the
// row program, solving and typesetting need of one name.
struct TMake {
  NodeKind Node = NodeKind::kConstant;  // what it builds
  MakerKind Kind = MakerKind::kConstant;  // how the picker lists it
  int MinArgs = 0;
  int MaxArgs = 0;
  std::string Description{};
  float Value = 0.0f;              // kConstant
  TVariable* Variable = nullptr;   // kVariable; not owned
  TFunc0 Func0{};                  // kFunction0
  TFunc1 Func1 = nullptr;          // kCall1
  TFunc1 Inverse = nullptr;        // kCall1: solving goes through it; may be absent
  TFuncN FuncN = nullptr;          // kCallN, kSelect
  TRun1 Run1{};                    // kCall1: its form over runs and faults, or none
  TRunFunc2 Run2 = nullptr;        // kCallN of two arguments: its form over runs, or none
  TLeafBinding Binding{};          // kVariable, kFunction0
  TMeasureHook MeasureHook{};      // its own typesetting, or none
  TDrawHook DrawHook{};
};

// The node an entry builds from `args`, which were checked against
// MinArgs..MaxArgs.
NodePtr Make(const TMake& entry, const std::vector<NodePtr>& args);

// Solving for a variable: the tree computing `variable` from `target` such
// that `tree` equals it; refuses with EDespejar. The result shares nodes of
// `tree`, not copies, and either may be destroyed first.
NodePtr Solve(const TEval& tree, NodePtr target, const TVariable* variable);

}  // namespace vorla
