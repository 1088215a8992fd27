#include "core/expr/RowProgram.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>
#include <utility>

#include "core/expr/Expresion.h"
#include "core/expr/FloatErrors.h"
#include "core/expr/FloatMath.h"
#include "core/expr/RowKernels.h"

namespace vorla {

enum class RowProgram::Code {
  kColumn,
  kRow,
  kConstant,
  kPoint,
  kArithmetic,  // sub: RunArithmetic
  kComparison,  // sub: RunComparison
  kLogic,       // sub: RunLogic
  kSelect,      // c ? a : b
  kBranch,      // sub: RunBranch; c the condition, a the parent mask or -1;
                // the branch's instructions end before `end`
  // The tree's scalar kernels, lane by lane, only where `mask` needs them.
  kEqual,
  kNotEqual,
  kAtLeast,
  kAtMost,
  kPower,
  kRoot,
  kLogBase,
  kCall1,
  kCallN,
};

struct RowProgram::Instruction {
  Code code;
  int sub = 0;
  int dest = -1;
  int a = -1;
  int b = -1;
  int c = -1;
  int mask = -1;
  float value = 0;
  ExprError failure = ExprError::kNone;  // of a failed constant or point leaf
  std::size_t end = 0;
  TFunc1 fun1 = nullptr;
  TRunFault fault = nullptr;  // of run1
  TFuncN funN = nullptr;
  TRunFunc1 run1 = nullptr;  // the run forms of fun1 and funN
  TRunFunc2 run2 = nullptr;
  decltype(RowLeaf::point) point = nullptr;
  // An arithmetic read only by sums, differences and products: computed
  // without the check for values beyond the float range (see SkipChecks).
  bool unchecked = false;
  // The unchecked instructions whose values reach this checked one, in
  // program order: checked again when this one fails, for their codes.
  std::vector<std::size_t> recheck{};
  // An unchecked arithmetic computed inside its one reader; its own register
  // is written only when it is rechecked.
  bool inlined = false;
  // Of an arithmetic: its kernel and the registers it reads as x, y and c
  // (c only with an operation inside).
  ArithmeticKernel kernel = nullptr;
  std::array<int, 3> reads{-1, -1, -1};
  int inner = -1;  // the inlined operation computed inside it, by its index
  std::vector<int> args{};
  std::vector<std::size_t> order{};  // of args, as funN reads them
};

namespace {

const float kPoison = std::nanf("");

struct Unsupported {};

// A stand-in argument that notes when it is read: a call without arguments,
// which the tree evaluates each time it is read.
NodePtr NotedLeaf(std::size_t index, std::vector<std::size_t>& reads) {
  return std::make_shared<TFun0>(
      [index, &reads] {
        reads.push_back(index);
        return 1.0f;
      },
      TLeafBinding{});
}

// The order in which `func` reads its arguments (the first failing one gives
// a call's error code), from one call on arguments of 1. Arguments not read
// by then follow in their own order.
std::vector<std::size_t> ReadingOrder(TFuncN func, std::size_t arity) {
  std::vector<std::size_t> reads;
  TEvalArray args;
  for (std::size_t k = 0; k < arity; ++k) args.push_back(NotedLeaf(k, reads));
  try {
    func(args);
  } catch (const EMathError&) {
  } catch (const EExprError&) {
  }
  std::vector<std::size_t> order;
  for (std::size_t k : reads)
    if (std::find(order.begin(), order.end(), k) == order.end()) order.push_back(k);
  for (std::size_t k = 0; k < arity; ++k)
    if (std::find(order.begin(), order.end(), k) == order.end()) order.push_back(k);
  return order;
}

}  // namespace

// Walks the tree once, emitting each node's instructions after its
// operands'. A node is emitted once per branch context: a value computed
// under a context serves that context and every branch beneath it.
class RowProgram::Compiler {
 public:
  Compiler(RowProgram& program, const RowLeafBinder& bind) : program_(program), bind_(bind) {
    contexts_.push_back(Context{-1, -1, true});   // kRowRoot
    contexts_.push_back(Context{-1, -1, false});  // kPointRoot
  }

  bool Compile(std::span<TEval* const> roots) {
    try {
      for (TEval* root : roots) program_.outputs_.push_back(Emit(root, kPointRoot));
    } catch (const Unsupported&) {
      return false;
    }
    std::vector<int> leaving = program_.outputs_;
    for (const auto& [row, run] : program_.broadcasts_) leaving.push_back(row);
    for (auto* code : {&program_.rowCode_, &program_.pointCode_}) {
      SkipChecks(*code, leaving);
      Inline(*code, leaving);
      for (Instruction& in : *code)
        if (in.code == Code::kArithmetic && in.kernel == nullptr) {
          in.kernel = ArithmeticKernelFor(static_cast<RunArithmetic>(in.sub), !in.unchecked);
          in.reads = {in.a, in.b, -1};
        }
    }
    return true;
  }

 private:
  static constexpr int kRowRoot = 0;
  static constexpr int kPointRoot = 1;

  struct Context {
    int mask;    // register of the lanes needed, -1 for all
    int parent;  // -1 for a root
    bool row;    // runs once per row
    std::size_t branchAt = 0;  // the branch instruction that makes the mask
  };

  int NewRegister() { return program_.registers_++; }

  std::vector<Instruction>& CodeOf(int context) {
    return contexts_[context].row ? program_.rowCode_ : program_.pointCode_;
  }

  int Add(int context, Instruction instruction) {
    instruction.dest = NewRegister();
    instruction.mask = contexts_[context].mask;
    CodeOf(context).push_back(std::move(instruction));
    return instruction.dest;
  }

  // A context for the lanes of `context` where the condition takes `branch`;
  // its instructions follow until Close, so that a run needing none of its
  // lanes skips them all.
  int Branch(int context, int condition, RunBranch branch) {
    Instruction mask{Code::kBranch, static_cast<int>(branch)};
    mask.c = condition;
    mask.a = contexts_[context].mask;
    const std::size_t at = CodeOf(context).size();
    const int reg = Add(context, std::move(mask));
    contexts_.push_back(Context{reg, context, contexts_[context].row, at});
    return static_cast<int>(contexts_.size()) - 1;
  }

  // Emits `node` under a branch and ends the branch.
  int EmitUnder(const TEval* node, int branch) {
    const int reg = Emit(node, branch);
    CodeOf(branch)[contexts_[branch].branchAt].end = CodeOf(branch).size();
    return reg;
  }

  std::optional<RowLeaf> Leaf(const TEval* node) {
    const auto leaf = bind_(*node);
    if (!leaf) throw Unsupported{};
    return leaf;
  }

  bool Varies(const TEval* node) {
    if (const auto it = varies_.find(node); it != varies_.end()) return it->second;
    bool varies = false;
    if (node->Kind() == NodeKind::kVariable || node->Kind() == NodeKind::kFunction0) {
      const RowLeaf::Kind kind = Leaf(node)->kind;
      varies = kind == RowLeaf::Kind::kColumn || kind == RowLeaf::Kind::kPoint;
    } else {
      for (const NodePtr& operand : node->Args) varies = Varies(operand.get()) || varies;
    }
    varies_.emplace(node, varies);
    return varies;
  }

  int Emit(const TEval* node, int context) {
    if (!contexts_[context].row && !Varies(node)) return Broadcast(node);
    for (int c = context; c != -1; c = contexts_[c].parent)
      if (const auto it = emitted_.find({node, c}); it != emitted_.end()) return it->second;
    const int reg = Build(node, context);
    emitted_.emplace(std::make_pair(node, context), reg);
    return reg;
  }

  // A value that does not change along the row: computed once per row for
  // every lane, whatever branch needs it (a failure stays in its value).
  int Broadcast(const TEval* node) {
    if (const auto it = broadcast_.find(node); it != broadcast_.end()) return it->second;
    const int row = Emit(node, kRowRoot);
    const int reg = NewRegister();
    program_.broadcasts_.emplace_back(row, reg);
    broadcast_.emplace(node, reg);
    return reg;
  }

  int Constant(int context, float value, ExprError failure = ExprError::kNone) {
    Instruction instruction{Code::kConstant};
    instruction.value = value;
    instruction.failure = failure;
    return Add(context, std::move(instruction));
  }

  int Binary(int context, Code code, int sub, int a, int b) {
    Instruction instruction{code, sub};
    instruction.a = a;
    instruction.b = b;
    return Add(context, std::move(instruction));
  }

  int Build(const TEval* node, int context) {
    const auto& args = node->Args;
    switch (node->Kind()) {
      case NodeKind::kFunction0:
        return Call0(static_cast<const TFun0*>(node), context);
      case NodeKind::kVariable:
        if (Leaf(node)->kind == RowLeaf::Kind::kRow) return Add(context, Instruction{Code::kRow});
        return Add(context, Instruction{Code::kColumn});
      case NodeKind::kNumber:
      case NodeKind::kConstant:
        return Constant(context, node->Value);
      case NodeKind::kMessage:
        return Constant(context, kPoison, ExprError::kMessage);
      case NodeKind::kCall1: {
        const auto* fun1 = static_cast<const TFun1*>(node);
        Instruction call{Code::kCall1};
        call.a = Emit(args[0].get(), context);
        call.fun1 = fun1->Func;
        call.run1 = fun1->Run.Form;
        call.fault = fun1->Run.Fault;
        return Add(context, std::move(call));
      }
      case NodeKind::kCallN:
        return CallN(static_cast<const TFunN*>(node), context);
      case NodeKind::kSelect:
        return Select(args, context);
      case NodeKind::kGreater:
      case NodeKind::kLess:
      case NodeKind::kEqual:
      case NodeKind::kNotEqual:
      case NodeKind::kAtLeast:
      case NodeKind::kAtMost:
        return Compare(node, context);
      case NodeKind::kAnd:
      case NodeKind::kOr: {
        const bool isAnd = node->Kind() == NodeKind::kAnd;
        const int a = Emit(args[0].get(), context);
        const int b = EmitUnder(args[1].get(), Branch(context, a, isAnd ? RunBranch::kThen : RunBranch::kElse));
        return Binary(context, Code::kLogic, static_cast<int>(isAnd ? RunLogic::kAnd : RunLogic::kOr), a, b);
      }
      case NodeKind::kXor:
        return Both(context, Code::kLogic, static_cast<int>(RunLogic::kXor), args);
      case NodeKind::kAdd:
        return Both(context, Code::kArithmetic, static_cast<int>(RunArithmetic::kAdd), args);
      case NodeKind::kSubtract:
        return Both(context, Code::kArithmetic, static_cast<int>(RunArithmetic::kSub), args);
      case NodeKind::kMultiply:
        return Both(context, Code::kArithmetic, static_cast<int>(RunArithmetic::kMul), args);
      case NodeKind::kDivide:
        return Both(context, Code::kArithmetic, static_cast<int>(RunArithmetic::kDiv), args);
      case NodeKind::kPower:
        return Both(context, Code::kPower, 0, args);
      case NodeKind::kRoot:
        return Both(context, Code::kRoot, 0, args);
      case NodeKind::kLogBase:
        return Both(context, Code::kLogBase, 0, args);
    }
    throw Unsupported{};
  }

  int Both(int context, Code code, int sub, const TEvalArray& args) {
    const int a = Emit(args[0].get(), context);
    return Binary(context, code, sub, a, Emit(args[1].get(), context));
  }

  int Call0(const TFun0* node, int context) {
    const RowLeaf leaf = *Leaf(node);
    if (leaf.kind == RowLeaf::Kind::kPoint) {
      if (program_.rowRegister_ < 0) program_.rowRegister_ = NewRegister();
      Instruction point{Code::kPoint};
      point.a = Add(context, Instruction{Code::kColumn});
      point.b = program_.rowRegister_;
      point.point = leaf.point;
      point.failure = ExprError::kOverflow;
      return Add(context, std::move(point));
    }
    if (leaf.kind != RowLeaf::Kind::kPictureValue) throw Unsupported{};
    float value = kPoison;
    ExprError failure = ExprError::kNone;
    // A new point, so that a value the last picture changed is read again.
    TVariable::NextPoint();
    try {
      value = const_cast<TFun0*>(node)->Evaluate();
    } catch (const EMathError& fault) {
      failure = EvaluationErrorCode(fault);
    } catch (const EExprError& error) {
      failure = EvaluationErrorCode(error);
    }
    return Constant(context, value, failure);
  }

  int Select(const TEvalArray& args, int context) {
    const int condition = Emit(args[0].get(), context);
    const int then = EmitUnder(args[1].get(), Branch(context, condition, RunBranch::kThen));
    const int otherwise = EmitUnder(args[2].get(), Branch(context, condition, RunBranch::kElse));
    Instruction select{Code::kSelect};
    select.c = condition;
    select.a = then;
    select.b = otherwise;
    return Add(context, std::move(select));
  }

  // The other catalog functions read every argument.
  int CallN(const TFunN* node, int context) {
    const auto& args = node->Args;
    Instruction call{Code::kCallN};
    for (const NodePtr& arg : args) call.args.push_back(Emit(arg.get(), context));
    call.funN = node->Func;
    call.order = ReadingOrder(node->Func, args.size());
    if (args.size() == 2) call.run2 = node->Run;
    call.sub = static_cast<int>(program_.callArities_.size());
    program_.callArities_.push_back(args.size());
    return Add(context, std::move(call));
  }

  // p < q < s compares q with s, then p with q where that held.
  int Compare(const TEval* node, int context) {
    const TEval* chained = IsComparison(node->Args[0]->Kind()) ? node->Args[0].get() : nullptr;
    const TEval* left = chained != nullptr ? chained->Args[1].get() : node->Args[0].get();
    const int a = Emit(left, context);
    const int b = Emit(node->Args[1].get(), context);
    int compared;
    switch (node->Kind()) {
      case NodeKind::kGreater:
        compared = Binary(context, Code::kComparison, static_cast<int>(RunComparison::kGreater), a, b);
        break;
      case NodeKind::kLess:
        compared = Binary(context, Code::kComparison, static_cast<int>(RunComparison::kLess), a, b);
        break;
      case NodeKind::kEqual:
        compared = Binary(context, Code::kEqual, 0, a, b);
        break;
      case NodeKind::kNotEqual:
        compared = Binary(context, Code::kNotEqual, 0, a, b);
        break;
      case NodeKind::kAtLeast:
        compared = Binary(context, Code::kAtLeast, 0, a, b);
        break;
      case NodeKind::kAtMost:
        compared = Binary(context, Code::kAtMost, 0, a, b);
        break;
      default:
        throw Unsupported{};
    }
    if (chained == nullptr) return compared;
    const int rest = EmitUnder(chained, Branch(context, compared, RunBranch::kThen));
    return Binary(context, Code::kLogic, static_cast<int>(RunLogic::kAnd), compared, rest);
  }

  // A sum, difference or product keeps an operand beyond the float range or
  // NaN so, whatever the other operand. So an arithmetic result read only
  // by those, under the same mask, needs no check of its own: the first
  // checked reader finds its failures, and only then are the unchecked ones
  // checked, for their codes. A quotient is not such a reader: x / inf is 0.
  // `leaving`: registers read outside the code.
  static void SkipChecks(std::vector<Instruction>& code, const std::vector<int>& leaving) {
    std::unordered_map<int, std::size_t> producer;
    std::vector<char> skips(code.size());
    for (std::size_t i = 0; i < code.size(); ++i) {
      producer.emplace(code[i].dest, i);
      skips[i] = code[i].code == Code::kArithmetic;
    }
    const auto read = [&](int reg, const Instruction* keeping) {
      const auto it = producer.find(reg);
      if (it == producer.end()) return;
      const Instruction& from = code[it->second];
      if (keeping == nullptr || keeping->mask != from.mask) skips[it->second] = 0;
    };
    for (const Instruction& in : code) {
      const bool keeps = in.code == Code::kArithmetic && in.sub != static_cast<int>(RunArithmetic::kDiv);
      read(in.a, keeps ? &in : nullptr);
      read(in.b, keeps ? &in : nullptr);
      read(in.c, nullptr);
      read(in.mask, nullptr);
      for (const int arg : in.args) read(arg, nullptr);
    }
    for (const int reg : leaving) read(reg, nullptr);
    for (std::size_t i = 0; i < code.size(); ++i) code[i].unchecked = skips[i] != 0;
    for (Instruction& in : code) {
      if (in.code != Code::kArithmetic || in.unchecked) continue;
      std::vector<int> pending{in.a, in.b};
      while (!pending.empty()) {
        const auto it = producer.find(pending.back());
        pending.pop_back();
        if (it == producer.end() || !code[it->second].unchecked) continue;
        in.recheck.push_back(it->second);
        pending.push_back(code[it->second].a);
        pending.push_back(code[it->second].b);
      }
      std::sort(in.recheck.begin(), in.recheck.end());
      in.recheck.erase(std::unique(in.recheck.begin(), in.recheck.end()), in.recheck.end());
    }
  }

  // An unchecked arithmetic with one reader, an arithmetic, is computed
  // inside it: one pass over the run instead of two.
  static void Inline(std::vector<Instruction>& code, const std::vector<int>& leaving) {
    std::unordered_map<int, int> readers;
    for (const Instruction& in : code)
      for (const int reg : {in.a, in.b, in.c, in.mask}) ++readers[reg];
    for (const Instruction& in : code)
      for (const int arg : in.args) ++readers[arg];
    for (const int reg : leaving) ++readers[reg];
    std::unordered_map<int, std::size_t> producer;
    for (std::size_t i = 0; i < code.size(); ++i) producer.emplace(code[i].dest, i);
    for (Instruction& in : code) {
      if (in.code != Code::kArithmetic || in.inlined) continue;
      for (const bool left : {true, false}) {
        const int operand = left ? in.a : in.b;
        const auto it = producer.find(operand);
        if (it == producer.end() || readers[operand] != 1) continue;
        Instruction& from = code[it->second];
        if (!from.unchecked || from.kernel != nullptr) continue;
        from.inlined = true;
        in.kernel = FusedArithmeticKernelFor(static_cast<RunArithmetic>(from.sub), static_cast<RunArithmetic>(in.sub),
                                             left, !in.unchecked);
        in.reads = {from.a, from.b, left ? in.b : in.a};
        in.inner = static_cast<int>(it->second);
        break;
      }
    }
  }

  RowProgram& program_;
  const RowLeafBinder& bind_;
  std::vector<Context> contexts_;
  std::unordered_map<const TEval*, bool> varies_;
  std::unordered_map<const TEval*, int> broadcast_;
  std::map<std::pair<const TEval*, int>, int> emitted_;
};

RowProgram::RowProgram() = default;
RowProgram::~RowProgram() = default;

std::unique_ptr<RowProgram> RowProgram::Compile(std::span<TEval* const> roots, const RowLeafBinder& bind) {
  auto program = std::unique_ptr<RowProgram>(new RowProgram());
  if (!Compiler(*program, bind).Compile(roots)) return nullptr;
  return program;
}

RowProgram::Workspace::Workspace(const RowProgram& program)
    : program_(program),
      registers_(hwy::AllocateAligned<float>(static_cast<std::size_t>(std::max(program.registers_, 1)) *
                                             kRunLength)),
      codes_(std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(std::max(program.registers_, 1)) *
                                                             kRunLength)),
      mayFail_(static_cast<std::size_t>(std::max(program.registers_, 1)), 1),
      broadcastBits_(program.broadcasts_.size()),
      checkedIn_(static_cast<std::size_t>(std::max(program.registers_, 1))) {
  for (int r = 0; r < std::max(program.registers_, 1); ++r)
    slots_.push_back(registers_.get() + static_cast<std::size_t>(r) * kRunLength);
  for (const std::size_t arity : program.callArities_) {
    arguments_.emplace_back();
    for (std::size_t k = 0; k < arity; ++k) {
      if (k == leaves_.size()) leaves_.push_back(std::make_shared<TSimpleNum>(0.0f));
      arguments_.back().push_back(leaves_[k]);
    }
  }
}

void RowProgram::Workspace::ReadColumns(int index, const float* columns, std::size_t n) {
  // A column register is read and never written: the caller's columns
  // serve where the kernels can read them as they read registers.
  const auto r = static_cast<std::size_t>(index);
  float* const own = registers_.get() + r * kRunLength;
  const bool inPlace =
      reinterpret_cast<std::uintptr_t>(columns) % (kWidestVector * sizeof(float)) == 0 && n % kWidestVector == 0;
  if (!inPlace) std::memcpy(own, columns, n * sizeof(float));
  slots_[r] = inPlace ? const_cast<float*>(columns) : own;
  mayFail_[r] = 0;
}

const float* RowProgram::Workspace::Output(std::size_t i) const {
  return slots_[static_cast<std::size_t>(program_.outputs_[i])];
}

const std::uint8_t* RowProgram::Workspace::OutputCodes(std::size_t i) const {
  return codes_.get() + static_cast<std::size_t>(program_.outputs_[i]) * kRunLength;
}

bool RowProgram::FixedAlongRow(std::size_t i) const {
  return std::any_of(broadcasts_.begin(), broadcasts_.end(),
                     [&](const std::pair<int, int>& broadcast) { return broadcast.second == outputs_[i]; });
}

void RowProgram::BeginRow(Workspace& workspace, float row) const {
  workspace.row_ = row;
  if (rowRegister_ >= 0) FillRun(row, workspace.Register(rowRegister_), kRunLength);
  Execute(rowCode_, workspace, nullptr, 1);
  for (std::size_t k = 0; k < broadcasts_.size(); ++k) {
    const auto [from, to] = broadcasts_[k];
    const float value = workspace.Register(from)[0];
    // A value the register holds from the row before (a constant, say) is
    // not written again; a failure is, for its code.
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    if (!std::isnan(value) && workspace.broadcastBits_[k] == bits) continue;
    workspace.broadcastBits_[k] = bits;
    FillRun(value, workspace.Register(to), kRunLength);
    workspace.mayFail_[static_cast<std::size_t>(to)] = std::isnan(value);
    if (std::isnan(value)) std::memset(workspace.Codes(to), workspace.Codes(from)[0], kRunLength);
  }
}

void RowProgram::Run(Workspace& workspace, const float* columns, std::size_t n) const {
  Execute(pointCode_, workspace, columns, n);
}

namespace {

// The tree's comparisons of two values that did not fail.
float Truth(bool value) { return value ? TrueValue : FalseValue; }

float ScalarOf(RowProgram::Code code, float a, float b) {
  using Code = RowProgram::Code;
  switch (code) {
    case Code::kEqual: return Truth(NearlyEqual(a, b));
    case Code::kNotEqual: return Truth(!NearlyEqual(a, b));
    case Code::kAtLeast: return Truth(a >= b || NearlyEqual(a, b));
    case Code::kAtMost: return Truth(a <= b || NearlyEqual(a, b));
    case Code::kPower: return ToSingle(Power(a, b));
    case Code::kRoot: return ToSingle(Power(a, Divide(1, b)));
    case Code::kLogBase: {
      // The argument's logarithm first, as the tree raises its faults.
      const TExtended numerator = Log2(a);
      return ToSingle(Divide(numerator, Log2(b)));
    }
    default: return kPoison;
  }
}

std::uint8_t Coded(ExprError error) { return static_cast<std::uint8_t>(CodeOf(error)); }

RowProgram::Outcome Failed(bool failed) { return failed ? RowProgram::Outcome::kFailed : RowProgram::Outcome::kClean; }

// What a quotient, sum, difference or product of two numbers fails with.
ExprError ArithmeticFault(RunArithmetic op, float a, float b) {
  if (op == RunArithmetic::kDiv && b == 0) return a == 0 ? ExprError::kInvalidOperation : ExprError::kZeroDivide;
  return ExprError::kOverflow;
}

// The lanes a run form computes: from the first lane `mask` needs, rounded
// down to a whole vector of any width, to the last; none when no lane is
// needed. Lanes outside are not needed and keep what they held.
struct Span {
  std::size_t start = 0;
  std::size_t count = 0;
};

Span NeededSpan(const float* mask, std::size_t n) {
  if (mask == nullptr) return Span{0, n};
  std::size_t first = 0;
  while (first < n && mask[first] == 0) ++first;
  if (first == n) return Span{};
  std::size_t last = n;
  while (mask[last - 1] == 0) --last;
  first = first / kWidestVector * kWidestVector;
  return Span{first, last - first};
}

// Runs `lane` where `mask` needs it. A lane gives its value, or NaN and its
// error code; a lane raising a fault of the expression language fails with
// the fault's code, anything else fails the whole calculation.
template <class Lane>
void ForNeededLanes(const float* mask, float* out, std::uint8_t* codes, std::size_t n, Lane lane) {
  for (std::size_t i = 0; i < n; ++i) {
    if (mask != nullptr && mask[i] == 0) continue;
    try {
      out[i] = lane(i, codes[i]);
    } catch (const EMathError& fault) {
      out[i] = kPoison;
      codes[i] = Coded(EvaluationErrorCode(fault));
    } catch (const EExprError& error) {
      out[i] = kPoison;
      codes[i] = Coded(EvaluationErrorCode(error));
    }
  }
}

}  // namespace

void RowProgram::Execute(const std::vector<Instruction>& code, Workspace& ws, const float* columns,
                         std::size_t n) const {
  ++ws.pass_;
  for (std::size_t k = 0; k < code.size(); ++k) {
    const Instruction& in = code[k];
    if (in.code == Code::kBranch) {
      const float* const parent = in.a >= 0 ? ws.Register(in.a) : nullptr;
      if (!BranchMaskRun(static_cast<RunBranch>(in.sub), ws.Register(in.c), parent, ws.Register(in.dest), n))
        k = in.end - 1;
      continue;
    }
    if (in.inlined) continue;
    if (in.code == Code::kColumn) {
      ws.ReadColumns(in.dest, columns, n);
      continue;
    }
    if (in.unchecked && ReadsFailure(in, ws)) {
      // A failure already among its operands: checked now, once, rather than
      // unchecked now and again when a checked reader fails.
      if (in.inner >= 0) Recheck(code[static_cast<std::size_t>(in.inner)], ws, n);
      Recheck(in, ws, n);
      continue;
    }
    const Outcome outcome = in.kernel != nullptr ? RunKernel(in, ws, n) : Perform(in, ws, n);
    if (outcome == Outcome::kFailed) {
      for (const std::size_t r : in.recheck)
        if (ws.checkedIn_[static_cast<std::size_t>(code[r].dest)] != ws.pass_) Recheck(code[r], ws, n);
      AssignCodes(in, ws, n);
    }
    // Lanes computed one by one wrote their own codes; whether any failed is
    // only known by looking.
    ws.mayFail_[static_cast<std::size_t>(in.dest)] =
        outcome == Outcome::kFailed || (outcome == Outcome::kCoded && AnyFailed(ws.Register(in.dest), n));
  }
}

RowProgram::Outcome RowProgram::RunKernel(const Instruction& in, Workspace& ws, std::size_t n) const {
  const auto [x, y, c] = in.reads;
  const bool failed = in.kernel(ws.Register(x), ws.Register(y), c >= 0 ? ws.Register(c) : nullptr,
                                ws.Register(in.dest), n);
  return failed ? Outcome::kFailed : Outcome::kClean;
}

RowProgram::Outcome RowProgram::Perform(const Instruction& in, Workspace& ws, std::size_t n) const {
  float* const out = ws.Register(in.dest);
  std::uint8_t* const codes = ws.Codes(in.dest);
  const float* const a = in.a >= 0 ? ws.Register(in.a) : nullptr;
  const float* const b = in.b >= 0 ? ws.Register(in.b) : nullptr;
  const float* const mask = in.mask >= 0 ? ws.Register(in.mask) : nullptr;
  // A failed operand gives its code, the first in the order the tree reads them.
  const auto failedOperand = [&](std::size_t i, std::uint8_t& code, auto... operands) {
    return ((std::isnan(ws.Register(operands)[i]) ? (code = ws.Codes(operands)[i], true) : false) || ...);
  };
  switch (in.code) {
    case Code::kRow:
      out[0] = ws.row_;
      return Outcome::kClean;
    case Code::kConstant:
      FillRun(in.value, out, n);
      return Failed(std::isnan(in.value));
    case Code::kPoint:
      in.point(a, b, out, n);
      return Failed(AnyFailed(out, n));
    case Code::kComparison:
      return Failed(ComparisonRun(static_cast<RunComparison>(in.sub), a, b, out, n));
    case Code::kLogic:
      return Failed(LogicRun(static_cast<RunLogic>(in.sub), a, b, out, n));
    case Code::kSelect:
      return Failed(SelectRun(ws.Register(in.c), a, b, out, n));
    case Code::kCall1:
      if (in.run1 != nullptr) {
        const Span span = NeededSpan(mask, n);
        if (span.count == 0) return Outcome::kClean;
        in.run1(a + span.start, out + span.start, span.count);
        return Failed(AnyFailed(out + span.start, span.count));
      }
      ForNeededLanes(mask, out, codes, n, [&](std::size_t i, std::uint8_t& code) {
        return failedOperand(i, code, in.a) ? kPoison : in.fun1(a[i]);
      });
      return Outcome::kCoded;
    case Code::kCallN:
      if (in.run2 != nullptr) {
        const Span span = NeededSpan(mask, n);
        if (span.count == 0) return Outcome::kClean;
        in.run2(ws.Register(in.args[0]) + span.start, ws.Register(in.args[1]) + span.start, out + span.start,
                span.count);
        return Failed(AnyFailed(out + span.start, span.count));
      }
      ForNeededLanes(mask, out, codes, n, [&](std::size_t i, std::uint8_t& code) {
        for (const std::size_t k : in.order)
          if (failedOperand(i, code, in.args[k])) return kPoison;
        for (std::size_t k = 0; k < in.args.size(); ++k) ws.leaves_[k]->Value = ws.Register(in.args[k])[i];
        return in.funN(ws.arguments_[static_cast<std::size_t>(in.sub)]);
      });
      return Outcome::kCoded;
    case Code::kLogBase:
      // The base is read first.
      ForNeededLanes(mask, out, codes, n, [&](std::size_t i, std::uint8_t& code) {
        return failedOperand(i, code, in.b, in.a) ? kPoison : ScalarOf(in.code, a[i], b[i]);
      });
      return Outcome::kCoded;
    default:
      ForNeededLanes(mask, out, codes, n, [&](std::size_t i, std::uint8_t& code) {
        return failedOperand(i, code, in.a, in.b) ? kPoison : ScalarOf(in.code, a[i], b[i]);
      });
      return Outcome::kCoded;
  }
}

bool RowProgram::ReadsFailure(const Instruction& in, const Workspace& ws) {
  return std::any_of(in.reads.begin(), in.reads.end(),
                     [&](int r) { return r >= 0 && ws.mayFail_[static_cast<std::size_t>(r)]; });
}

void RowProgram::Recheck(const Instruction& in, Workspace& ws, std::size_t n) const {
  ws.checkedIn_[static_cast<std::size_t>(in.dest)] = ws.pass_;
  const bool failed =
      ArithmeticRun(static_cast<RunArithmetic>(in.sub), ws.Register(in.a), ws.Register(in.b), ws.Register(in.dest), n);
  ws.mayFail_[static_cast<std::size_t>(in.dest)] = failed;
  if (failed) AssignCodes(in, ws, n);
}

void RowProgram::AssignCodes(const Instruction& in, Workspace& ws, std::size_t n) const {
  const float* const out = ws.Register(in.dest);
  std::uint8_t* const codes = ws.Codes(in.dest);
  const float* const a = in.a >= 0 ? ws.Register(in.a) : nullptr;
  const float* const b = in.b >= 0 ? ws.Register(in.b) : nullptr;
  // The operands in the order the tree reads them, leaving out those that
  // failed nowhere in this run.
  const auto propagate = [&](int first, int second) {
    const auto failing = [&](int r) { return r >= 0 && ws.mayFail_[static_cast<std::size_t>(r)]; };
    const float* const x = failing(first) ? ws.Register(first) : nullptr;
    const float* const y = failing(second) ? ws.Register(second) : nullptr;
    return PropagateCodes(out, x, x != nullptr ? ws.Codes(first) : nullptr, y, y != nullptr ? ws.Codes(second) : nullptr,
                          codes, n);
  };
  // Lanes that failed although no operand did take the operation's own fault.
  const auto own = [&](const float* first, const float* second, auto fault) {
    for (std::size_t i = 0; i < n; ++i)
      if (std::isnan(out[i]) && !std::isnan(first[i]) && (second == nullptr || !std::isnan(second[i])))
        codes[i] = Coded(fault(i));
  };
  switch (in.code) {
    case Code::kArithmetic:
      if (propagate(in.a, in.b))
        own(a, b, [&](std::size_t i) { return ArithmeticFault(static_cast<RunArithmetic>(in.sub), a[i], b[i]); });
      return;
    case Code::kComparison:
    case Code::kLogic:
      propagate(in.a, in.b);
      return;
    case Code::kSelect: {
      const float* const condition = ws.Register(in.c);
      for (std::size_t i = 0; i < n; ++i)
        if (std::isnan(out[i]))
          codes[i] = std::isnan(condition[i]) ? ws.Codes(in.c)[i] : ws.Codes(condition[i] > 0 ? in.a : in.b)[i];
      return;
    }
    case Code::kCall1:
      if (propagate(in.a, -1))
        own(a, nullptr, [&](std::size_t i) { return in.fault(a[i]); });
      return;
    case Code::kCallN: {
      const int first = in.args[in.order[0]];
      const int second = in.args[in.order[1]];
      if (propagate(first, second))
        own(ws.Register(first), ws.Register(second), [](std::size_t) { return ExprError::kOverflow; });
      return;
    }
    default:  // a failed constant or point leaf
      std::memset(codes, Coded(in.failure), n);
      return;
  }
}

}  // namespace vorla
