#include "core/expr/ExprBase.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <utility>

#include "core/expr/ErrorMessages.h"
#include "core/expr/FloatErrors.h"
#include "core/expr/FloatMath.h"

namespace vorla {

bool NearlyEqual(float a, float b) {
  return std::fabs(static_cast<TExtended>(a) - static_cast<TExtended>(b)) <= Tolerance;
}

// ---- variables -------------------------------------------------------------

void TVariable::SetValue(float value) {
  value_ = value;
  assignedAt_ = ++clock_;
  for (auto it = nodes_.rbegin(); it != nodes_.rend(); ++it) (*it)->UpToDate = false;
}

void TVariable::AddNode(TVar* node) {
  node->slot_ = nodes_.size();
  nodes_.push_back(node);
}

// The last reader takes the leaving one's slot: a long sum of x leaves its
// thousands of readers in time linear in their number.
void TVariable::RemoveNode(TVar* node) {
  TVar* const last = nodes_.back();
  nodes_[node->slot_] = last;
  last->slot_ = node->slot_;
  nodes_.pop_back();
}

// ---- kinds ----------------------------------------------------------------

bool IsComparison(NodeKind kind) {
  switch (kind) {
    case NodeKind::kGreater:
    case NodeKind::kLess:
    case NodeKind::kEqual:
    case NodeKind::kNotEqual:
    case NodeKind::kAtLeast:
    case NodeKind::kAtMost:
      return true;
    default:
      return false;
  }
}

bool IsLogic(NodeKind kind) { return kind == NodeKind::kAnd || kind == NodeKind::kOr || kind == NodeKind::kXor; }

bool IsOperator(NodeKind kind) {
  switch (kind) {
    case NodeKind::kAdd:
    case NodeKind::kSubtract:
    case NodeKind::kMultiply:
    case NodeKind::kDivide:
    case NodeKind::kPower:
    case NodeKind::kRoot:
    case NodeKind::kLogBase:
      return true;
    default:
      return IsComparison(kind) || IsLogic(kind);
  }
}

bool IsCall(NodeKind kind) {
  return kind == NodeKind::kCall1 || kind == NodeKind::kCallN || kind == NodeKind::kSelect;
}

// ---- life of nodes ---------------------------------------------------------

void TEval::Hold(NodePtr operand) {
  for (TVariable* variable : operand->reads_)
    if (!Reads(variable)) reads_.push_back(variable);
  readsFunction0_ = readsFunction0_ || operand->readsFunction0_;
  Args.push_back(std::move(operand));
}

bool TEval::Reads(const TVariable* variable) const {
  return std::find(reads_.begin(), reads_.end(), variable) != reads_.end();
}

namespace {

// Evaluates a node whose operands are all constant (a call is not
// unchanged before its first value, so the operands are asked).
NodePtr FoldConstant(NodePtr node) {
  if (std::all_of(node->Args.begin(), node->Args.end(), [](const NodePtr& a) { return a->IsUnchanged(); }))
    node->Evaluate();
  return node;
}

NodePtr NewOperator(NodeKind kind, const NodePtr& left, const NodePtr& right) {
  switch (kind) {
    case NodeKind::kAdd: return std::make_shared<TSuma>(left, right);
    case NodeKind::kSubtract: return std::make_shared<TResta>(left, right);
    case NodeKind::kMultiply: return std::make_shared<TMul>(left, right);
    case NodeKind::kDivide: return std::make_shared<TDiv>(left, right);
    case NodeKind::kPower: return std::make_shared<TPot>(left, right);
    case NodeKind::kRoot: return std::make_shared<TRaiz>(left, right);
    case NodeKind::kLogBase: return std::make_shared<TLogN>(left, right);
    case NodeKind::kGreater: return std::make_shared<TMay>(left, right);
    case NodeKind::kLess: return std::make_shared<TMen>(left, right);
    case NodeKind::kEqual: return std::make_shared<TIgu>(left, right);
    case NodeKind::kNotEqual: return std::make_shared<TDist>(left, right);
    case NodeKind::kAtLeast: return std::make_shared<TMayIgu>(left, right);
    case NodeKind::kAtMost: return std::make_shared<TMenIgu>(left, right);
    case NodeKind::kAnd: return std::make_shared<TAnd>(left, right);
    case NodeKind::kOr: return std::make_shared<TOr>(left, right);
    case NodeKind::kXor: return std::make_shared<TXor>(left, right);
    default: throw std::invalid_argument("not an operator");
  }
}

}  // namespace

TFun0::TFun0(TFunc0 func, TLeafBinding binding)
    : TConst(0.0f, NodeKind::kFunction0), Func(std::move(func)), Binding(binding) {
  ReadsFunction0();
}

TVar::TVar(TVariable* variable, TLeafBinding binding)
    : TEval(NodeKind::kVariable), Variable(variable), Binding(binding) {
  ReadsVariable(variable);
  variable->AddNode(this);
}

TVar::~TVar() { Variable->RemoveNode(this); }

TLeafBinding BindingOf(const TEval& leaf) {
  switch (leaf.Kind()) {
    case NodeKind::kVariable: return static_cast<const TVar&>(leaf).Binding;
    case NodeKind::kFunction0: return static_cast<const TFun0&>(leaf).Binding;
    default: return {};
  }
}

TOp::TOp(NodeKind kind, NodePtr left, NodePtr right) : TEval(kind) {
  Args.reserve(2);
  Hold(std::move(left));
  Hold(std::move(right));
}

TFun1::TFun1(TFunc1 func, NodePtr argument, TFunc1 inverse, TRun1 run)
    : TFun(NodeKind::kCall1), Func(func), Inverse(inverse), Run(run) {
  Hold(std::move(argument));
}

TFunN::TFunN(NodeKind kind, TFuncN func, const TEvalArray& arguments, TRunFunc2 run)
    : TFun(kind), Func(func), Run(run) {
  Args.reserve(arguments.size());
  for (const NodePtr& argument : arguments) Hold(argument);
}

TExprMsg::TExprMsg(const std::string& text) : TEval(NodeKind::kMessage) { Text = text.substr(0, 255); }

NodePtr NewOp(NodeKind kind, const NodePtr& left, const NodePtr& right) {
  return FoldConstant(NewOperator(kind, left, right));
}

NodePtr NewFun1(TFunc1 func, const NodePtr& argument, TFunc1 inverse, TRun1 run) {
  return FoldConstant(std::make_shared<TFun1>(func, argument, inverse, run));
}

// ---- evaluation ------------------------------------------------------------

namespace {

[[noreturn, gnu::cold, gnu::noinline]] void RaiseMessage(const std::string& text) { throw EExprMsj(text); }

// A kind reached a consumer that has nothing to do with it.
[[noreturn, gnu::cold, gnu::noinline]] void WrongKind(const char* what) { throw std::invalid_argument(what); }

float Truth(bool value) { return value ? TrueValue : FalseValue; }

// A comparison of two values that were evaluated left first.
float Compare(NodeKind kind, float a, float b) {
  switch (kind) {
    case NodeKind::kGreater: return Truth(a > b);
    case NodeKind::kLess: return Truth(a < b);
    case NodeKind::kEqual: return Truth(NearlyEqual(a, b));
    case NodeKind::kNotEqual: return Truth(!NearlyEqual(a, b));
    // Equal within the tolerance counts too: values a few denormals apart pass.
    case NodeKind::kAtLeast: return Truth(a >= b || NearlyEqual(a, b));
    case NodeKind::kAtMost: return Truth(a <= b || NearlyEqual(a, b));
    default: WrongKind("not a comparison");
  }
}

}  // namespace

bool TEval::IsUnchanged() const {
  switch (kind_) {
    case NodeKind::kNumber:
    case NodeKind::kConstant:
      return true;
    case NodeKind::kVariable:
      return static_cast<const TVar*>(this)->UpToDate;
    case NodeKind::kFunction0:
    case NodeKind::kMessage:
      return false;
    case NodeKind::kAdd:
    case NodeKind::kSubtract:
    case NodeKind::kMultiply:
    case NodeKind::kDivide:
    case NodeKind::kPower:
    case NodeKind::kRoot:
    case NodeKind::kLogBase:
    case NodeKind::kGreater:
    case NodeKind::kLess:
    case NodeKind::kEqual:
    case NodeKind::kNotEqual:
    case NodeKind::kAtLeast:
    case NodeKind::kAtMost:
    case NodeKind::kAnd:
    case NodeKind::kOr:
    case NodeKind::kXor:
    case NodeKind::kCall1:
    case NodeKind::kCallN:
    case NodeKind::kSelect:
      return Fresh();
  }
  return false;
}

float TEval::EvaluateComputed() {
  switch (kind_) {
    case NodeKind::kNumber:
    case NodeKind::kConstant:
      return Value;
    case NodeKind::kVariable:
      return ReadVariable();
    case NodeKind::kFunction0:
      return Cached([this] { return ToSingle(static_cast<TFun0*>(this)->Func()); });
    case NodeKind::kMessage:
      RaiseMessage(Text);
    case NodeKind::kAdd:
    case NodeKind::kSubtract:
    case NodeKind::kMultiply:
    case NodeKind::kDivide:
    case NodeKind::kPower:
    case NodeKind::kRoot:
    case NodeKind::kLogBase:
    case NodeKind::kGreater:
    case NodeKind::kLess:
    case NodeKind::kEqual:
    case NodeKind::kNotEqual:
    case NodeKind::kAtLeast:
    case NodeKind::kAtMost:
    case NodeKind::kAnd:
    case NodeKind::kOr:
    case NodeKind::kXor:
    case NodeKind::kCall1:
    case NodeKind::kCallN:
    case NodeKind::kSelect:
      return Cached([this] { return Compute(); });
  }
  return Value;
}

// Each family computes in a small function of its own: a failure unwinds
// through every node above it, and the unwinder's work per frame grows with
// the size of the function.
namespace {

[[gnu::noinline]] float Arithmetic(NodeKind kind, TEval& left, TEval& right) {
  if (kind == NodeKind::kLogBase) {
    const TExtended base = right.Evaluate();
    const TExtended numerator = Log2(left.Evaluate());
    return ToSingle(Divide(numerator, Log2(base)));
  }
  const TExtended a = left.Evaluate();
  const TExtended b = right.Evaluate();
  switch (kind) {
    case NodeKind::kAdd: return ToSingle(a + b);
    case NodeKind::kSubtract: return ToSingle(a - b);
    case NodeKind::kMultiply: return ToSingle(a * b);
    case NodeKind::kDivide: return ToSingle(Divide(a, b));
    case NodeKind::kPower: return ToSingle(Power(a, b));
    case NodeKind::kRoot: return ToSingle(Power(a, Divide(1, b)));
    default: WrongKind("not arithmetic");
  }
}

// In a chain p < q < s the middle operand is compared with the right one,
// then the left comparison judges its own part (and its chain).
[[gnu::noinline]] float Comparison(NodeKind kind, TEval& left, TEval& right) {
  const bool chained = IsComparison(left.Kind());
  const float a = (chained ? *left.Args[1] : left).Evaluate();
  const float compared = Compare(kind, a, right.Evaluate());
  if (!chained) return compared;
  return compared > 0 && left.Evaluate() > 0 ? TrueValue : FalseValue;
}

[[gnu::noinline]] float Logic(NodeKind kind, TEval& left, TEval& right) {
  switch (kind) {
    case NodeKind::kAnd: return Truth(left.Evaluate() > 0 && right.Evaluate() > 0);
    case NodeKind::kOr: return Truth(left.Evaluate() > 0 || right.Evaluate() > 0);
    default: {
      const bool a = left.Evaluate() > 0;
      return Truth(a != (right.Evaluate() > 0));
    }
  }
}

}  // namespace

float TEval::Compute() {
  switch (kind_) {
    case NodeKind::kAdd:
    case NodeKind::kSubtract:
    case NodeKind::kMultiply:
    case NodeKind::kDivide:
    case NodeKind::kPower:
    case NodeKind::kRoot:
    case NodeKind::kLogBase:
      return Arithmetic(kind_, *Args[0], *Args[1]);
    case NodeKind::kGreater:
    case NodeKind::kLess:
    case NodeKind::kEqual:
    case NodeKind::kNotEqual:
    case NodeKind::kAtLeast:
    case NodeKind::kAtMost:
      return Comparison(kind_, *Args[0], *Args[1]);
    case NodeKind::kAnd:
    case NodeKind::kOr:
    case NodeKind::kXor:
      return Logic(kind_, *Args[0], *Args[1]);
    case NodeKind::kCall1:
      return static_cast<const TFun1*>(this)->Func(Args[0]->Evaluate());
    case NodeKind::kCallN:
    case NodeKind::kSelect:
      return static_cast<const TFunN*>(this)->Func(Args);
    case NodeKind::kNumber:
    case NodeKind::kConstant:
    case NodeKind::kFunction0:
    case NodeKind::kVariable:
    case NodeKind::kMessage:
      break;
  }
  WrongKind("a leaf computes nothing");
}

// ---- catalog entries -------------------------------------------------------

NodePtr Make(const TMake& entry, const std::vector<NodePtr>& args) {
  switch (entry.Node) {
    case NodeKind::kConstant:
      return std::make_shared<TConst>(entry.Value);
    case NodeKind::kVariable:
      return std::make_shared<TVar>(entry.Variable, entry.Binding);
    case NodeKind::kFunction0: {
      auto node = std::make_shared<TFun0>(entry.Func0, entry.Binding);
      node->MeasureHook = entry.MeasureHook;
      node->DrawHook = entry.DrawHook;
      return node;
    }
    case NodeKind::kCall1: {
      auto node = std::make_shared<TFun1>(entry.Func1, args[0], entry.Inverse, entry.Run1);
      node->MeasureHook = entry.MeasureHook;
      node->DrawHook = entry.DrawHook;
      return FoldConstant(node);
    }
    case NodeKind::kCallN:
    case NodeKind::kSelect: {
      auto node = std::make_shared<TFunN>(entry.Node, entry.FuncN, args, entry.Run2);
      node->MeasureHook = entry.MeasureHook;
      node->DrawHook = entry.DrawHook;
      return FoldConstant(node);
    }
    case NodeKind::kLogBase:
      return NewOp(NodeKind::kLogBase, args[0], args[1]);
    default:
      throw std::invalid_argument("no catalog entry builds this kind");
  }
}

// ---- solving ---------------------------------------------------------------

namespace {

// How an operator is undone for one of its operands: the inverse operator
// and whether the target is its left operand (else the other operand is).
struct TInverse {
  NodeKind kind;
  bool targetFirst;
};

// The inverses for the left and for the right operand, or none.
std::optional<std::pair<TInverse, TInverse>> InversesOf(NodeKind kind) {
  using K = NodeKind;
  switch (kind) {
    case K::kAdd: return std::pair{TInverse{K::kSubtract, true}, TInverse{K::kSubtract, true}};
    case K::kSubtract: return std::pair{TInverse{K::kAdd, true}, TInverse{K::kSubtract, false}};
    case K::kMultiply: return std::pair{TInverse{K::kDivide, true}, TInverse{K::kDivide, true}};
    case K::kDivide: return std::pair{TInverse{K::kMultiply, true}, TInverse{K::kDivide, false}};
    case K::kPower: return std::pair{TInverse{K::kRoot, true}, TInverse{K::kLogBase, true}};
    case K::kRoot: return std::pair{TInverse{K::kPower, true}, TInverse{K::kLogBase, false}};
    case K::kLogBase: return std::pair{TInverse{K::kPower, false}, TInverse{K::kRoot, false}};
    default: return std::nullopt;
  }
}

NodePtr Undo(const TInverse& inverse, const NodePtr& target, const NodePtr& other) {
  return inverse.targetFirst ? NewOp(inverse.kind, target, other) : NewOp(inverse.kind, other, target);
}

}  // namespace

NodePtr Solve(const TEval& tree, NodePtr target, const TVariable* variable) {
  switch (tree.Kind()) {
    case NodeKind::kVariable:
      if (static_cast<const TVar&>(tree).Variable != variable) throw EDespejar(msg::kCannotSolve);
      return target;
    case NodeKind::kCall1: {
      const auto& call = static_cast<const TFun1&>(tree);
      if (call.Inverse == nullptr) throw EDespejar(msg::kNoInverse);
      return Solve(*call.Args[0], NewFun1(call.Inverse, target, call.Func), variable);
    }
    case NodeKind::kAdd:
    case NodeKind::kSubtract:
    case NodeKind::kMultiply:
    case NodeKind::kDivide:
    case NodeKind::kPower:
    case NodeKind::kRoot:
    case NodeKind::kLogBase: {
      const auto [left, right] = *InversesOf(tree.Kind());
      const bool inLeft = tree.Args[0]->Reads(variable);
      const bool inRight = tree.Args[1]->Reads(variable);
      if (inLeft && inRight) throw EDespejar(msg::kTooComplex);
      if (inLeft) return Solve(*tree.Args[0], Undo(left, target, tree.Args[1]), variable);
      if (inRight) return Solve(*tree.Args[1], Undo(right, target, tree.Args[0]), variable);
      throw EDespejar(msg::kNoVariable);
    }
    case NodeKind::kNumber:
    case NodeKind::kConstant:
    case NodeKind::kFunction0:
    case NodeKind::kMessage:
    case NodeKind::kGreater:
    case NodeKind::kLess:
    case NodeKind::kEqual:
    case NodeKind::kNotEqual:
    case NodeKind::kAtLeast:
    case NodeKind::kAtMost:
    case NodeKind::kAnd:
    case NodeKind::kOr:
    case NodeKind::kXor:
    case NodeKind::kCallN:
    case NodeKind::kSelect:
      break;
  }
  throw EDespejar(msg::kCannotSolve);
}

}  // namespace vorla
