#include "core/expr/ExprBase.h"

#include <algorithm>
#include <cmath>

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

void TVariable::AddNode(TVar* node) { nodes_.push_back(node); }

void TVariable::RemoveNode(TVar* node) {
  const auto it = std::find(nodes_.begin(), nodes_.end(), node);
  if (it != nodes_.end()) nodes_.erase(it);
}

// ---- life of nodes ---------------------------------------------------------

TEval::~TEval() {
  for (TEval* operand : Args) ReleaseNode(operand);
}

void TEval::Hold(TEval* operand) {
  ++operand->RefCount;
  Args.push_back(operand);
  for (TVariable* variable : operand->reads_)
    if (!Reads(variable)) reads_.push_back(variable);
  readsFunction0_ = readsFunction0_ || operand->readsFunction0_;
}

bool TEval::Reads(const TVariable* variable) const {
  return std::find(reads_.begin(), reads_.end(), variable) != reads_.end();
}

void ReleaseNode(TEval* node) {
  if (node->RefCount > 1)
    --node->RefCount;
  else
    delete node;
}

void DiscardNode(TEval* node) {
  if (node != nullptr && node->RefCount == 0) delete node;
}

TEval* FoldConstant(TEval* node) {
  // Asked of the operands: a call is not unchanged before its first value.
  if (std::all_of(node->Args.begin(), node->Args.end(), [](const TEval* a) { return a->IsUnchanged(); })) {
    try {
      node->Value = node->Evaluate();
    } catch (...) {
      delete node;
      throw;
    }
  }
  return node;
}

TFun0::TFun0(TFunc0 func, bool isConstant) : TConst(0.0f), Func(std::move(func)), IsConstant(isConstant) {
  if (!IsConstant) ReadsFunction0();
}

float TFun0::Evaluate() {
  return Cached([this] { return ToSingle(Func()); });
}

TVar::TVar(TVariable* variable) : Variable(variable) {
  ReadsVariable(variable);
  variable->AddNode(this);
}

TVar::~TVar() { Variable->RemoveNode(this); }

TOp::TOp(TEval* left, TEval* right) {
  Args.reserve(2);
  Hold(left);
  Hold(right);
}

TFun1::TFun1(TFunc1 func, TEval* argument, TFunc1 inverse) : Func(func), Inverse(inverse) {
  Hold(argument);
}

TFunN::TFunN(TFuncN func, const TEvalArray& arguments) : Func(func) {
  Args.reserve(arguments.size());
  for (TEval* argument : arguments) Hold(argument);
}

TExprMsg::TExprMsg(const std::string& text) { Text = text.substr(0, 255); }

TEval* NewFun1(TFunc1 func, TEval* argument, TFunc1 inverse) {
  return FoldConstant(new TFun1(func, argument, inverse));
}

TEval* NewFunN(TFuncN func, const TEvalArray& arguments) {
  return FoldConstant(new TFunN(func, arguments));
}

// ---- evaluation ------------------------------------------------------------

float TSuma::Compute() {
  const TExtended a = Args[0]->Evaluate();
  return ToSingle(a + Args[1]->Evaluate());
}

float TResta::Compute() {
  const TExtended a = Args[0]->Evaluate();
  return ToSingle(a - Args[1]->Evaluate());
}

float TMul::Compute() {
  const TExtended a = Args[0]->Evaluate();
  return ToSingle(a * Args[1]->Evaluate());
}

float TDiv::Compute() {
  const TExtended a = Args[0]->Evaluate();
  return ToSingle(Divide(a, Args[1]->Evaluate()));
}

float TPot::Compute() {
  const TExtended a = Args[0]->Evaluate();
  return ToSingle(Power(a, Args[1]->Evaluate()));
}

float TRaiz::Compute() {
  const TExtended a = Args[0]->Evaluate();
  return ToSingle(Power(a, Divide(1, Args[1]->Evaluate())));
}

float TLogN::Compute() {
  const TExtended base = Args[1]->Evaluate();
  const TExtended argument = Args[0]->Evaluate();
  const TExtended numerator = Log2(argument);
  return ToSingle(Divide(numerator, Log2(base)));
}

TCompara::TCompara(TEval* left, TEval* right)
    : TOp(left, right), chained_(dynamic_cast<TCompara*>(left)) {}

float TCompara::Compute() {
  if (chained_ == nullptr) return Compare();
  // Compare the middle operand with the right one, then let the left
  // comparison judge its own part (and its own chain).
  struct Restore {
    TEvalArray& args;
    TEval* left;
    ~Restore() { args[0] = left; }
  } restore{Args, Args[0]};
  Args[0] = chained_->Args[1];
  const float right = Compare();
  return right > 0 && chained_->Evaluate() > 0 ? TrueValue : FalseValue;
}

namespace {

float Truth(bool value) { return value ? TrueValue : FalseValue; }

}  // namespace

float TMay::Compare() {
  const float a = Args[0]->Evaluate();
  return Truth(a > Args[1]->Evaluate());
}

float TMen::Compare() {
  const float a = Args[0]->Evaluate();
  return Truth(a < Args[1]->Evaluate());
}

float TIgu::Compare() {
  const float a = Args[0]->Evaluate();
  return Truth(NearlyEqual(a, Args[1]->Evaluate()));
}

float TDist::Compare() {
  const float a = Args[0]->Evaluate();
  return Truth(!NearlyEqual(a, Args[1]->Evaluate()));
}

// Equal within the tolerance counts too: values a few denormals apart pass.
// The operands are evaluated once; within one evaluation point a second
// evaluation would give the same values.
float TMayIgu::Compare() {
  const float a = Args[0]->Evaluate();
  const float b = Args[1]->Evaluate();
  return Truth(a >= b || NearlyEqual(a, b));
}

float TMenIgu::Compare() {
  const float a = Args[0]->Evaluate();
  const float b = Args[1]->Evaluate();
  return Truth(a <= b || NearlyEqual(a, b));
}

float TAnd::Compute() { return Truth(Args[0]->Evaluate() > 0 && Args[1]->Evaluate() > 0); }

float TOr::Compute() { return Truth(Args[0]->Evaluate() > 0 || Args[1]->Evaluate() > 0); }

float TXor::Compute() {
  const bool a = Args[0]->Evaluate() > 0;
  return Truth(a != (Args[1]->Evaluate() > 0));
}

float TExprMsg::Evaluate() { throw EExprMsj(Text); }

// ---- makers ----------------------------------------------------------------

namespace {

// A call is typeset the way the catalog entry that built it says.
template <class Call>
TEval* WithHooks(Call* node, const TMake& maker) {
  node->MeasureHook = maker.MeasureHook;
  node->DrawHook = maker.DrawHook;
  return node;
}

}  // namespace

TMakeConst::TMakeConst(float value) : Value(value) { Kind = MakerKind::kConstant; }

TEval* TMakeConst::Make(const TEvalArray&) const { return new TConst(Value); }

TMakeVar::TMakeVar(TVariable* variable) : Variable(variable) { Kind = MakerKind::kVariable; }

TEval* TMakeVar::Make(const TEvalArray&) const { return new TVar(Variable); }

TMakeFun0::TMakeFun0(TFunc0 func) : Func(std::move(func)) { Kind = MakerKind::kFunction0; }

TEval* TMakeFun0::Make(const TEvalArray&) const { return WithHooks(new TFun0(Func, false), *this); }

TMakeFun1::TMakeFun1(TFunc1 func, TFunc1 inverse) : Func(func), Inverse(inverse) {
  Kind = MakerKind::kFunction1;
  MinArgs = MaxArgs = 1;
}

TEval* TMakeFun1::Make(const TEvalArray& args) const {
  return WithHooks(static_cast<TFun1*>(NewFun1(Func, args[0], Inverse)), *this);
}

TMakeFunN::TMakeFunN(TFuncN func, int minArgs, int maxArgs) : Func(func) {
  Kind = MakerKind::kFunctionN;
  MinArgs = minArgs;
  MaxArgs = maxArgs;
}

TEval* TMakeFunN::Make(const TEvalArray& args) const {
  if (Func == nullptr) return NewOp<TLogN>(args[0], args[1]);
  return WithHooks(static_cast<TFunN*>(NewFunN(Func, args)), *this);
}

// ---- solving ---------------------------------------------------------------

bool ContainsVar(const TEval* node, const TVariable* variable) { return node->Reads(variable); }

namespace {

// Solves `operand` against the freshly built `inverse`. The inverse is held
// meanwhile, so a refusal further down can release its own nodes without
// destroying it; a refusal then destroys it (no node leaks).
TEval* SolveThrough(TEval* operand, TEval* inverse, const TVariable* variable) {
  ++inverse->RefCount;
  try {
    TEval* result = operand->Despejar(inverse, variable);
    --inverse->RefCount;
    return result;
  } catch (...) {
    --inverse->RefCount;
    DiscardNode(inverse);
    throw;
  }
}

}  // namespace

TEval* TEval::Despejar(TEval*, const TVariable*) { throw EDespejar(msg::kCannotSolve); }

TEval* TVar::Despejar(TEval* target, const TVariable* variable) {
  if (Variable != variable) throw EDespejar(msg::kCannotSolve);
  return target;
}

TEval* TFun1::Despejar(TEval* target, const TVariable* variable) {
  if (Inverse == nullptr) throw EDespejar(msg::kNoInverse);
  return SolveThrough(Args[0], NewFun1(Inverse, target, Func), variable);
}

TEval* TOpDespejable::Despejar(TEval* target, const TVariable* variable) {
  const int where = (ContainsVar(Args[0], variable) ? 1 : 0) + (ContainsVar(Args[1], variable) ? 2 : 0);
  switch (where) {
    case 0:
      throw EDespejar(msg::kNoVariable);
    case 1:
      return SolveThrough(Args[0], InverseLeft(target), variable);
    case 2:
      return SolveThrough(Args[1], InverseRight(target), variable);
    default:
      throw EDespejar(msg::kTooComplex);
  }
}

TEval* Solve(TEval* tree, TEval* target, const TVariable* variable) {
  return SolveThrough(tree, target, variable);
}

TEval* TSuma::InverseLeft(TEval* t) { return NewOp<TResta>(t, Args[1]); }
TEval* TSuma::InverseRight(TEval* t) { return NewOp<TResta>(t, Args[0]); }
TEval* TResta::InverseLeft(TEval* t) { return NewOp<TSuma>(t, Args[1]); }
TEval* TResta::InverseRight(TEval* t) { return NewOp<TResta>(Args[0], t); }
TEval* TMul::InverseLeft(TEval* t) { return NewOp<TDiv>(t, Args[1]); }
TEval* TMul::InverseRight(TEval* t) { return NewOp<TDiv>(t, Args[0]); }
TEval* TDiv::InverseLeft(TEval* t) { return NewOp<TMul>(t, Args[1]); }
TEval* TDiv::InverseRight(TEval* t) { return NewOp<TDiv>(Args[0], t); }
TEval* TPot::InverseLeft(TEval* t) { return NewOp<TRaiz>(t, Args[1]); }
TEval* TPot::InverseRight(TEval* t) { return NewOp<TLogN>(t, Args[0]); }
TEval* TRaiz::InverseLeft(TEval* t) { return NewOp<TPot>(t, Args[1]); }
TEval* TRaiz::InverseRight(TEval* t) { return NewOp<TLogN>(Args[0], t); }
TEval* TLogN::InverseLeft(TEval* t) { return NewOp<TPot>(Args[1], t); }
TEval* TLogN::InverseRight(TEval* t) { return NewOp<TRaiz>(Args[0], t); }

}  // namespace vorla
