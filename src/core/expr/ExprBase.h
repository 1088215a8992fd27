#pragma once
// Compiled expression trees: nodes, variables, makers and solving for a
// variable. Values are 32-bit floats; every node computes in extended precision
// and rounds its result. Nodes are shared by reference count (solved trees and
// definitions reuse subtrees), so a tree is in general a DAG: every walk over
// it that could reach a node twice answers from what the node keeps instead.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vorla {

class TEval;
class TVar;
class TVariable;

using TEvalArray = std::vector<TEval*>;

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

// Any node. A fresh node has RefCount 0; each parent holding it adds 1.
class TEval {
 public:
  virtual ~TEval();
  TEval(const TEval&) = delete;
  TEval& operator=(const TEval&) = delete;

  // True when evaluating again would give the value already computed.
  virtual bool IsUnchanged() const = 0;
  virtual float Evaluate() = 0;
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
  // A new tree computing `variable` from `target`; refuses with EDespejar.
  // The tree does not take `target` over: use Solve() from outside.
  virtual TEval* Despejar(TEval* target, const TVariable* variable);

  std::string Text;  // printed number, name found in the catalog, or message
  float Value = 0.0f;
  TEvalArray Args;
  std::uint32_t RefCount = 0;

 protected:
  TEval() = default;
  // Takes `operand` as the next element of Args.
  void Hold(TEval* operand);
  void ReadsVariable(TVariable* variable) { reads_.push_back(variable); }
  void ReadsFunction0() { readsFunction0_ = true; }

  // Whether Value still holds what evaluating would give.
  bool Fresh() const { return cached_ && !ChangedSince(computedAt_); }
  // Value, computed at most once per evaluation point and again only when
  // something beneath changed since. A failed computation leaves no cache
  // behind, so the next evaluation fails again rather than answering a
  // stale value.
  template <class Compute>
  float Cached(Compute compute) {
    const std::uint64_t now = TVariable::Now();  // evaluating assigns nothing
    if (!cached_ || (computedAt_ != now && ChangedSince(computedAt_))) {
      cached_ = false;
      computedAt_ = now;
      Value = compute();
      cached_ = true;
    }
    return Value;
  }

 private:
  // What the node depends on, gathered from its operands when it is built:
  // a DAG is never walked to find it.
  std::vector<TVariable*> reads_;
  bool readsFunction0_ = false;
  bool cached_ = false;
  std::uint64_t computedAt_ = 0;
};

// Drops one holder of an operand: the last holder destroys it.
void ReleaseNode(TEval* node);
// Destroys a node that no parent holds; a shared one is left alone.
void DiscardNode(TEval* node);

class TSimpleNum : public TEval {
 public:
  explicit TSimpleNum(float value) { Value = value; }
  bool IsUnchanged() const override { return true; }
  float Evaluate() override { return Value; }
};

class TNum : public TSimpleNum {
 public:
  using TSimpleNum::TSimpleNum;
};

class TConst : public TSimpleNum {
 public:
  using TSimpleNum::TSimpleNum;
};

class TFun0 : public TConst {
 public:
  TFun0(TFunc0 func, bool isConstant);
  bool IsUnchanged() const override { return IsConstant; }
  float Evaluate() override;

  TFunc0 Func;
  bool IsConstant;
  TMeasureHook MeasureHook;
  TDrawHook DrawHook;
};

class TVar final : public TEval {
 public:
  explicit TVar(TVariable* variable);
  ~TVar() override;
  bool IsUnchanged() const override { return UpToDate; }
  float Evaluate() override {
    UpToDate = true;
    return Variable->Value();
  }
  TEval* Despejar(TEval* target, const TVariable* variable) override;

  TVariable* Variable;
  bool UpToDate = false;
};

// Two operands. Build through NewOp, which evaluates at once when both
// operands are constant, so a constant fault surfaces while compiling.
class TOp : public TEval {
 public:
  TOp(TEval* left, TEval* right);
  bool IsUnchanged() const override { return Fresh(); }
  float Evaluate() final {
    return Cached([this] { return Compute(); });
  }

 protected:
  // The operation itself, evaluating the operands.
  virtual float Compute() = 0;
};

class TOpDespejable : public TOp {
 public:
  using TOp::TOp;
  TEval* Despejar(TEval* target, const TVariable* variable) override;
  // The node computing the right (left) operand from the target when only
  // that operand holds the variable.
  virtual TEval* InverseRight(TEval* target) = 0;
  virtual TEval* InverseLeft(TEval* target) = 0;
};

#define VORLA_INVERTIBLE_OP(Name)                      \
  class Name : public TOpDespejable {                  \
   public:                                             \
    using TOpDespejable::TOpDespejable;                \
    TEval* InverseRight(TEval* target) override;       \
    TEval* InverseLeft(TEval* target) override;        \
                                                       \
   protected:                                          \
    float Compute() override;                          \
  };
VORLA_INVERTIBLE_OP(TSuma)
VORLA_INVERTIBLE_OP(TResta)
VORLA_INVERTIBLE_OP(TMul)
VORLA_INVERTIBLE_OP(TDiv)
VORLA_INVERTIBLE_OP(TPot)   // Args: base, exponent
VORLA_INVERTIBLE_OP(TRaiz)  // Args: radicand, index
VORLA_INVERTIBLE_OP(TLogN)  // Args: argument, base
#undef VORLA_INVERTIBLE_OP

// Comparisons give TrueValue or FalseValue. A left operand that is itself a
// comparison makes a chain: p < q < s holds when p < q and q < s.
class TCompara : public TOp {
 public:
  TCompara(TEval* left, TEval* right);
  virtual float Compare() = 0;

 protected:
  float Compute() override;

 private:
  TCompara* chained_;
};

#define VORLA_COMPARISON(Name)      \
  class Name : public TCompara {    \
   public:                          \
    using TCompara::TCompara;       \
    float Compare() override;       \
  };
VORLA_COMPARISON(TMay)
VORLA_COMPARISON(TMen)
VORLA_COMPARISON(TIgu)
VORLA_COMPARISON(TMayIgu)
VORLA_COMPARISON(TMenIgu)
VORLA_COMPARISON(TDist)
#undef VORLA_COMPARISON

class TLogic : public TOp {
 public:
  using TOp::TOp;
};

#define VORLA_LOGIC(Name)        \
  class Name : public TLogic {   \
   public:                       \
    using TLogic::TLogic;        \
                                 \
   protected:                    \
    float Compute() override;    \
  };
VORLA_LOGIC(TAnd)  // the right operand is skipped when the left is false
VORLA_LOGIC(TOr)   // the right operand is skipped when the left is true
VORLA_LOGIC(TXor)
#undef VORLA_LOGIC

class TFun : public TEval {
 public:
  bool IsUnchanged() const override { return Fresh(); }

  TMeasureHook MeasureHook;
  TDrawHook DrawHook;
};

class TFun1 final : public TFun {
 public:
  TFun1(TFunc1 func, TEval* argument, TFunc1 inverse);
  float Evaluate() override { return Cached([this] { return Func(Args[0]->Evaluate()); }); }
  TEval* Despejar(TEval* target, const TVariable* variable) override;

  TFunc1 Func;
  TFunc1 Inverse;  // may be absent
};

class TFunN final : public TFun {
 public:
  TFunN(TFuncN func, const TEvalArray& arguments);
  float Evaluate() override { return Cached([this] { return Func(Args); }); }

  TFuncN Func;
};

// A quoted message: evaluating it raises EExprMsj with the text.
class TExprMsg : public TEval {
 public:
  explicit TExprMsg(const std::string& text);
  bool IsUnchanged() const override { return false; }
  float Evaluate() override;
};

// Node factories: each takes over its operands (also when it fails: the
// half-built node is destroyed and releases them) and evaluates a node whose
// operands are all constant, so constant faults raise here.
TEval* FoldConstant(TEval* node);
template <class Op>
TEval* NewOp(TEval* left, TEval* right) {
  return FoldConstant(new Op(left, right));
}
TEval* NewFun1(TFunc1 func, TEval* argument, TFunc1 inverse);
TEval* NewFunN(TFuncN func, const TEvalArray& arguments);

// Catalog entries: each builds one node on demand.
// What a catalog entry builds, as the function picker lists it.
enum class MakerKind {
  kConstant,   // "Pi": a fixed value
  kVariable,   // "x": a value bound from outside
  kFunction0,  // "minX": a value computed without arguments
  kFunction1,  // "sen(x)": one argument
  kFunctionN,  // "hipot(x, y)", "Max(x, y, ...)": several arguments
};

class TMake {
 public:
  virtual ~TMake() = default;
  // `args` were checked against MinArgs..MaxArgs; the node takes them over.
  virtual TEval* Make(const TEvalArray& args) const = 0;

  int MinArgs = 0;
  int MaxArgs = 0;
  MakerKind Kind = MakerKind::kConstant;  // may be overwritten to group entries for display
  std::string Description;
  TMeasureHook MeasureHook;
  TDrawHook DrawHook;
};

class TMakeConst : public TMake {
 public:
  explicit TMakeConst(float value);
  TEval* Make(const TEvalArray& args) const override;
  float Value;
};

class TMakeVar : public TMake {
 public:
  explicit TMakeVar(TVariable* variable);
  TEval* Make(const TEvalArray& args) const override;
  TVariable* Variable;  // not owned
};

class TMakeFun0 : public TMake {
 public:
  explicit TMakeFun0(TFunc0 func);
  TEval* Make(const TEvalArray& args) const override;
  TFunc0 Func;
};

class TMakeFun1 : public TMake {
 public:
  TMakeFun1(TFunc1 func, TFunc1 inverse);
  TEval* Make(const TEvalArray& args) const override;
  TFunc1 Func;
  TFunc1 Inverse;
};

// Without Func it builds the logarithm of its first argument in the base of
// its second (a TLogN).
class TMakeFunN : public TMake {
 public:
  TMakeFunN(TFuncN func, int minArgs, int maxArgs);
  TEval* Make(const TEvalArray& args) const override;
  TFuncN Func;
};

// Solving for a variable.
bool ContainsVar(const TEval* node, const TVariable* variable);
// The tree computing `variable` from `target` such that `tree` equals it.
// Takes `target` over (it becomes part of the result, or is destroyed on a
// refusal); `tree` is shared, not copied, and may be destroyed in any order.
TEval* Solve(TEval* tree, TEval* target, const TVariable* variable);

}  // namespace vorla
