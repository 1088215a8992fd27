#include "core/expr/RowProgram.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>
#include <utility>

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
  kBranch,      // sub: RunBranch; c the condition, a the parent mask or -1
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
  TFunc1 fun1 = nullptr;
  TFuncN funN = nullptr;
  TRunFunc1 run1 = nullptr;  // the run forms of fun1 and funN
  TRunFunc2 run2 = nullptr;
  decltype(RowLeaf::point) point = nullptr;
  std::vector<int> args{};
};

namespace {

const float kPoison = std::nanf("");

struct Unsupported {};

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
    return true;
  }

 private:
  static constexpr int kRowRoot = 0;
  static constexpr int kPointRoot = 1;

  struct Context {
    int mask;    // register of the lanes needed, -1 for all
    int parent;  // -1 for a root
    bool row;    // runs once per row
  };

  int NewRegister() { return program_.registers_++; }

  int Add(int context, Instruction instruction) {
    instruction.dest = NewRegister();
    instruction.mask = contexts_[context].mask;
    (contexts_[context].row ? program_.rowCode_ : program_.pointCode_).push_back(std::move(instruction));
    return instruction.dest;
  }

  int Branch(int context, int condition, RunBranch branch) {
    Instruction mask{Code::kBranch, static_cast<int>(branch)};
    mask.c = condition;
    mask.a = contexts_[context].mask;
    const int reg = Add(context, std::move(mask));
    contexts_.push_back(Context{reg, context, contexts_[context].row});
    return static_cast<int>(contexts_.size()) - 1;
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
      for (const TEval* operand : node->Args) varies = Varies(operand) || varies;
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

  int Constant(int context, float value) {
    Instruction instruction{Code::kConstant};
    instruction.value = value;
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
        return Constant(context, kPoison);
      case NodeKind::kCall1: {
        const auto* fun1 = static_cast<const TFun1*>(node);
        Instruction call{Code::kCall1};
        call.a = Emit(args[0], context);
        call.fun1 = fun1->Func;
        call.run1 = fun1->Run;
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
        const int a = Emit(args[0], context);
        const int rest = Branch(context, a, isAnd ? RunBranch::kThen : RunBranch::kElse);
        const int b = Emit(args[1], rest);
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
    const int a = Emit(args[0], context);
    return Binary(context, code, sub, a, Emit(args[1], context));
  }

  int Call0(const TFun0* node, int context) {
    const RowLeaf leaf = *Leaf(node);
    if (leaf.kind == RowLeaf::Kind::kPoint) {
      if (program_.rowRegister_ < 0) program_.rowRegister_ = NewRegister();
      Instruction point{Code::kPoint};
      point.a = Add(context, Instruction{Code::kColumn});
      point.b = program_.rowRegister_;
      point.point = leaf.point;
      return Add(context, std::move(point));
    }
    if (leaf.kind != RowLeaf::Kind::kPictureValue) throw Unsupported{};
    float value = kPoison;
    try {
      value = const_cast<TFun0*>(node)->Evaluate();
    } catch (const EMathError&) {
    } catch (const EExprError&) {
    }
    return Constant(context, value);
  }

  int Select(const TEvalArray& args, int context) {
    const int condition = Emit(args[0], context);
    const int then = Emit(args[1], Branch(context, condition, RunBranch::kThen));
    const int otherwise = Emit(args[2], Branch(context, condition, RunBranch::kElse));
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
    for (const TEval* arg : args) call.args.push_back(Emit(arg, context));
    call.funN = node->Func;
    if (args.size() == 2) call.run2 = node->Run;
    call.sub = static_cast<int>(program_.callArities_.size());
    program_.callArities_.push_back(args.size());
    return Add(context, std::move(call));
  }

  // p < q < s compares q with s, then p with q where that held.
  int Compare(const TEval* node, int context) {
    const TEval* chained = IsComparison(node->Args[0]->Kind()) ? node->Args[0] : nullptr;
    const TEval* left = chained != nullptr ? chained->Args[1] : node->Args[0];
    const int a = Emit(left, context);
    const int b = Emit(node->Args[1], context);
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
    const int rest = Emit(chained, Branch(context, compared, RunBranch::kThen));
    return Binary(context, Code::kLogic, static_cast<int>(RunLogic::kAnd), compared, rest);
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
                                             kRunLength)) {
  for (const std::size_t arity : program.callArities_) {
    arguments_.emplace_back();
    for (std::size_t k = 0; k < arity; ++k) {
      if (k == leaves_.size()) leaves_.push_back(std::make_unique<TSimpleNum>(0.0f));
      arguments_.back().push_back(leaves_[k].get());
    }
  }
}

const float* RowProgram::Workspace::Output(std::size_t i) const {
  return registers_.get() + static_cast<std::size_t>(program_.outputs_[i]) * kRunLength;
}

void RowProgram::BeginRow(Workspace& workspace, float row) const {
  workspace.row_ = row;
  if (rowRegister_ >= 0) FillRun(row, workspace.Register(rowRegister_), kRunLength);
  Execute(rowCode_, workspace, nullptr, 1);
  for (const auto& [from, to] : broadcasts_) FillRun(workspace.Register(from)[0], workspace.Register(to), kRunLength);
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
    case Code::kLogBase: return ToSingle(Divide(Log2(a), Log2(b)));
    default: return kPoison;
  }
}

// Run forms compute every lane; a run no lane of which needs them skips them.
bool AnyNeeded(const float* mask, std::size_t n) {
  return mask == nullptr || std::any_of(mask, mask + n, [](float m) { return m != 0; });
}

// Runs `lane` where `mask` needs it; a lane raising a fault of the
// expression language fails, anything else fails the whole calculation.
template <class Lane>
void ForNeededLanes(const float* mask, float* out, std::size_t n, Lane lane) {
  for (std::size_t i = 0; i < n; ++i) {
    if (mask != nullptr && mask[i] == 0) continue;
    try {
      out[i] = lane(i);
    } catch (const EMathError&) {
      out[i] = kPoison;
    } catch (const EExprError&) {
      out[i] = kPoison;
    }
  }
}

}  // namespace

void RowProgram::Execute(const std::vector<Instruction>& code, Workspace& ws, const float* columns,
                         std::size_t n) const {
  for (const Instruction& in : code) {
    float* const out = ws.Register(in.dest);
    const float* const a = in.a >= 0 ? ws.Register(in.a) : nullptr;
    const float* const b = in.b >= 0 ? ws.Register(in.b) : nullptr;
    const float* const mask = in.mask >= 0 ? ws.Register(in.mask) : nullptr;
    switch (in.code) {
      case Code::kColumn:
        std::memcpy(out, columns, n * sizeof(float));
        break;
      case Code::kRow:
        out[0] = ws.row_;
        break;
      case Code::kConstant:
        FillRun(in.value, out, n);
        break;
      case Code::kPoint:
        in.point(a, b, out, n);
        break;
      case Code::kArithmetic:
        ArithmeticRun(static_cast<RunArithmetic>(in.sub), a, b, out, n);
        break;
      case Code::kComparison:
        ComparisonRun(static_cast<RunComparison>(in.sub), a, b, out, n);
        break;
      case Code::kLogic:
        LogicRun(static_cast<RunLogic>(in.sub), a, b, out, n);
        break;
      case Code::kSelect:
        SelectRun(ws.Register(in.c), a, b, out, n);
        break;
      case Code::kBranch:
        BranchMaskRun(static_cast<RunBranch>(in.sub), ws.Register(in.c), a, out, n);
        break;
      case Code::kCall1:
        if (in.run1 != nullptr) {
          if (AnyNeeded(mask, n)) in.run1(a, out, n);
          break;
        }
        ForNeededLanes(mask, out, n, [&](std::size_t i) { return std::isnan(a[i]) ? kPoison : in.fun1(a[i]); });
        break;
      case Code::kCallN:
        if (in.run2 != nullptr) {
          if (AnyNeeded(mask, n)) in.run2(ws.Register(in.args[0]), ws.Register(in.args[1]), out, n);
          break;
        }
        ForNeededLanes(mask, out, n, [&](std::size_t i) {
          for (std::size_t k = 0; k < in.args.size(); ++k) {
            const float v = ws.Register(in.args[k])[i];
            if (std::isnan(v)) return kPoison;
            ws.leaves_[k]->Value = v;
          }
          return in.funN(ws.arguments_[static_cast<std::size_t>(in.sub)]);
        });
        break;
      default:
        ForNeededLanes(mask, out, n, [&](std::size_t i) {
          return std::isnan(a[i]) || std::isnan(b[i]) ? kPoison : ScalarOf(in.code, a[i], b[i]);
        });
        break;
    }
  }
}

}  // namespace vorla
