#include "core/expr/Catalog.h"

#include <chrono>
#include <cfloat>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <utility>

#include "core/expr/CatalogTypeset.h"
#include "core/expr/Expresion.h"
#include "core/expr/FloatErrors.h"
#include "core/expr/FloatMath.h"
#include "core/expr/RowKernels.h"
#include "core/expr/VectorMath.h"

namespace vorla {
namespace {

using X = TExtended;

constexpr X kPi = std::numbers::pi_v<long double>;
constexpr X kLn2 = std::numbers::ln2_v<long double>;

X Sqrt(X x) {
  if (x < 0) throw EInvalidOp();
  return std::sqrt(x);
}

X Trunc(X x) { return std::trunc(x); }
X FracPart(X x) { return x - std::trunc(x); }

// The trigonometric functions, and the others the picture calculation meets
// most, go through the double kernels of VectorMath, which its runs share.
float Sin(float x) { return ToSingle(MathOf(UnaryMath::kSin, x)); }
float Cos(float x) { return ToSingle(MathOf(UnaryMath::kCos, x)); }
float Tan(float x) { return ToSingle(MathOf(UnaryMath::kTan, x)); }
// The reciprocals are infinite where the divisor is 0, which for a float
// argument happens only at 0 (sine and tangent), or where they leave the
// float range (near 0 too).
float Reciprocal(float value, float x) {
  if (std::isfinite(value)) [[likely]]
    return value;
  if (x == 0) throw EZeroDivide();
  throw EOverflow();
}
float Sec(float x) { return Reciprocal(MathOf(UnaryMath::kSec, x), x); }
float Cosec(float x) { return Reciprocal(MathOf(UnaryMath::kCosec, x), x); }
float Cotan(float x) { return Reciprocal(MathOf(UnaryMath::kCotan, x), x); }
float ArcSin(float x) { return ToSingle(std::atan2(X{x}, Sqrt(1 - X{x} * x))); }
float ArcCos(float x) { return ToSingle(std::atan2(Sqrt(1 - X{x} * x), X{x})); }
float ArcTan(float x) { return ToSingle(std::atan2(X{x}, X{1})); }

// Degrees, minutes and seconds packed as GGG.MMSSss, to radians; every step
// is rounded to a float as the packed reading demands.
float Gms(float x) {
  float degrees = ToSingle(Trunc(x));
  const float t = ToSingle(FracPart(x) * 100);
  degrees = ToSingle(degrees + Trunc(t) / X{60});
  const float seconds = ToSingle(FracPart(t) * 100);
  degrees = ToSingle(degrees + seconds / X{3600});
  const X scaled = X{degrees} * 1000000;
  degrees = ToSingle((Trunc(scaled) + Trunc(FracPart(scaled) * 2)) / 1000000);
  return ToSingle(X{degrees} * kPi / 180);
}

float Sinh(float x) { return ToSingle(std::sinh(X{x})); }
float Cosh(float x) { return ToSingle(std::cosh(X{x})); }
float Tanh(float x) { return ToSingle(std::tanh(X{x})); }

float ArcSinh(float x) {
  const X a = std::fabs(X{x});
  const X result = a > 1e10L ? std::log(a) + kLn2 : std::log1p(a + a * a / (1 + std::sqrt(a * a + 1)));
  return ToSingle(x < 0 ? -result : result);
}

float ArcCosh(float x) {
  if (x <= 1) return 0.0f;
  if (x > 1e10f) return ToSingle(std::log(X{x}) + kLn2);
  return ToSingle(std::log(X{x} + std::sqrt((X{x} - 1) * (X{x} + 1))));
}

float ArcTanh(float x) {
  if (x == 0) return 0.0f;
  const X a = std::fabs(X{x});
  // From 1 on the value is the largest extended one, which no float holds.
  const X result = a >= 1 ? LDBL_MAX : 0.5L * std::log1p(2 * a / (1 - a));
  return ToSingle(x < 0 ? -result : result);
}

float Rcp(float x) { return ToSingle(Divide(1, x)); }
float NaturalLog(float x) {
  if (x == 0) throw EZeroDivide();
  if (x < 0) throw EInvalidOp();
  return ToSingle(MathOf(UnaryMath::kLn, x));
}
float Log10(float x) { return ToSingle(Ln(x) / std::numbers::ln10_v<long double>); }
float Sqr(float x) { return ToSingle(X{x} * x); }
float SquareRoot(float x) { return ToSingle(Sqrt(x)); }
float Exp(float x) { return ToSingle(MathOf(UnaryMath::kExp, x)); }
float Exp10(float x) { return ToSingle(Power(10, x)); }
float Abs(float x) { return std::fabs(x); }
float Int(float x) { return std::trunc(x); }
float Rd(float x) { return ToSingle(Trunc(x) + Trunc(FracPart(x) * 2)); }
float Frac(float x) { return ToSingle(FracPart(x)); }

// One generator per thread (a picture may be calculated on one thread while
// the window reads values on another), seeded from the clock on first use.
thread_local std::mt19937 g_generator(
    static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));

// 24 random bits: uniform in [0, 1) and never 1 after rounding.
float Random() { return static_cast<float>(g_generator() >> 8) * 0x1p-24f; }

float Hypot(const TEvalArray& args) {
  const float a = args[0]->Evaluate();
  return ToSingle(MathOf(BinaryMath::kHypot, a, args[1]->Evaluate()));
}

float Angle(const TEvalArray& args) {
  const float b = args[1]->Evaluate();
  return ToSingle(MathOf(BinaryMath::kAtan2, b, args[0]->Evaluate()));
}

// The first argument is evaluated first, then the others from the last back;
// a later value replaces the result only when strictly better.
template <class Better>
float Extreme(const TEvalArray& args, Better better) {
  float result = args[0]->Evaluate();
  for (std::size_t i = args.size() - 1; i >= 1; --i) {
    const float value = args[i]->Evaluate();
    if (better(value, result)) result = value;
  }
  return result;
}

float Maximum(const TEvalArray& args) { return Extreme(args, std::greater<float>()); }
float Minimum(const TEvalArray& args) { return Extreme(args, std::less<float>()); }

float Sum(const TEvalArray& args) {
  float result = 0.0f;
  for (std::size_t i = args.size(); i-- > 0;) result = ToSingle(X{result} + args[i]->Evaluate());
  return result;
}

float Mean(const TEvalArray& args) { return ToSingle(Divide(Sum(args), args.size())); }

float Remainder(const TEvalArray& args) {
  const X a = args[0]->Evaluate();
  const X b = args[1]->Evaluate();
  return ToSingle(a - Trunc(Divide(a, b)) * b);
}

template <UnaryMath f>
void MathForm(const float* x, float* out, std::size_t n) {
  CheckedMathRun(f, x, out, n);
}

template <RunUnary op>
void ExactForm(const float* x, float* out, std::size_t n) {
  UnaryRun(op, x, out, n);
}

void HypotForm(const float* a, const float* b, float* out, std::size_t n) {
  MathRun(BinaryMath::kHypot, a, b, out, n);
  CheckRun(out, n);
}

// ang(a, b) is the angle of the point (a, b).
void AngleForm(const float* a, const float* b, float* out, std::size_t n) {
  MathRun(BinaryMath::kAtan2, b, a, out, n);
}

// What the functions of one argument with a form over runs raise where
// they fail.
ExprError OverflowFault(float) { return ExprError::kOverflow; }
ExprError LogFault(float x) { return x == 0 ? ExprError::kZeroDivide : ExprError::kInvalidOperation; }
ExprError RootFault(float) { return ExprError::kInvalidOperation; }
ExprError ReciprocalFault(float x) { return x == 0 ? ExprError::kZeroDivide : ExprError::kOverflow; }

TMake Constant(long double value, const char* description) {
  return {.Node = NodeKind::kConstant, .Kind = MakerKind::kConstant, .Description = description,
          .Value = static_cast<float>(value)};
}

TMake Function1(TFunc1 func, TFunc1 inverse, const char* description, TRun1 run = {},
                TTypesetForm form = {}) {
  return {.Node = NodeKind::kCall1, .Kind = MakerKind::kFunction1, .MinArgs = 1, .MaxArgs = 1,
          .Description = description, .Func1 = func, .Inverse = inverse, .Run1 = run,
          .MeasureHook = std::move(form.Measure), .DrawHook = std::move(form.Draw)};
}

TMake FunctionN(TFuncN func, int minArgs, int maxArgs, const char* description, TRunFunc2 run = nullptr) {
  return {.Node = NodeKind::kCallN, .Kind = MakerKind::kFunctionN, .MinArgs = minArgs, .MaxArgs = maxArgs,
          .Description = description, .FuncN = func, .Run2 = run};
}

// A value drawn anew at every point, listed with the functions.
TMake Function0(TFunc0 func, const char* description) {
  return {.Node = NodeKind::kFunction0, .Kind = MakerKind::kFunction1, .Description = description,
          .Func0 = std::move(func)};
}

}  // namespace

float Conditional(const TEvalArray& args) {
  if (args[0]->Evaluate() > 0) return args[1]->Evaluate();
  return args[2]->Evaluate();
}

void SeedRandom(std::uint32_t seed) { g_generator.seed(seed); }

void RegisterCatalog(TExpresion& root) {
  using UM = UnaryMath;
  using RU = RunUnary;
  root.Add("Pi",      Constant(kPi, "Pi"));
  root.Add("e",       Constant(std::numbers::e_v<long double>, "Base Log. Naturales"));
  root.Add("R2",      Constant(std::numbers::sqrt2_v<long double>, "Ra\xEDz cuadrada de 2"));
  root.Add("R3",      Constant(std::numbers::sqrt3_v<long double>, "Raiz cuadrada de 3"));
  //       names               function    inverse     description        form over runs and its faults, typeset form
  root.Add("sin/sen",        Function1(Sin,        ArcSin,     "Seno",        {MathForm<UM::kSin>, OverflowFault}));
  root.Add("cos",            Function1(Cos,        ArcCos,     "Coseno",      {MathForm<UM::kCos>, OverflowFault}));
  root.Add("tan/tg",         Function1(Tan,        ArcTan,     "Tangente",    {MathForm<UM::kTan>, OverflowFault}));
  root.Add("sec",            Function1(Sec,        nullptr,    "Secante",     {MathForm<UM::kSec>, ReciprocalFault}));
  root.Add("cosec",          Function1(Cosec,      nullptr,    "Cosecante",   {MathForm<UM::kCosec>, ReciprocalFault}));
  root.Add("cotan/cotg",     Function1(Cotan,      nullptr,    "Cotangente",  {MathForm<UM::kCotan>, ReciprocalFault}));
  root.Add("arcsin/arcsen",  Function1(ArcSin,     Sin,        "Arcoseno"));
  root.Add("arccos/arcos",   Function1(ArcCos,     Cos,        "Arcocoseno"));
  root.Add("arctan/arctg",   Function1(ArcTan,     Tan,        "Arcotangente"));
  //       names               function   min max  description        form over runs
  root.Add("hipot",          FunctionN(Hypot,    2,  2,  "Hipotenusa",  HypotForm));
  root.Add("ang/arg",        FunctionN(Angle,    2,  2,  "Angulo",      AngleForm));
  root.Add("GMS",            Function1(Gms,        nullptr,    "GGG,MMSS.SS"));
  root.Add("sinh/senh",      Function1(Sinh,       ArcSinh,    "Seno hiperb\xF3lico"));
  root.Add("cosh",           Function1(Cosh,       ArcCosh,    "Coseno hiperb\xF3lico"));
  root.Add("tanh/tgh",       Function1(Tanh,       ArcTanh,    "Tangente hiperb\xF3lica"));
  root.Add("arcsinh/arcsenh", Function1(ArcSinh,   Sinh,       "Arcoseno hiperb\xF3lico"));
  root.Add("arccosh/arcosh", Function1(ArcCosh,    Cosh,       "Arcocoseno hiperb\xF3lico"));
  root.Add("arctanh/arctgh", Function1(ArcTanh,    Tanh,       "Arcotangente hiperb\xF3lica"));
  root.Add("Rcp",            Function1(Rcp,        Rcp,        "Rec\xEDproco",        {ExactForm<RU::kReciprocal>, ReciprocalFault},
                                       RaisedAfter("-1")));
  root.Add("ln",             Function1(NaturalLog, Exp,        "Logar\xEDtmo natural", {MathForm<UM::kLn>, LogFault}));
  root.Add("log",            Function1(Log10,      Exp10,      "Logar\xEDtmo base 10"));
  root.Add("sqr/cuad",       Function1(Sqr,        SquareRoot, "Cuadrado",           {ExactForm<RU::kSquare>, OverflowFault},
                                       RaisedAfter("2")));
  root.Add("sqrt/raiz",      Function1(SquareRoot, Sqr,        "Ra\xEDz cuadrada",     {ExactForm<RU::kSqrt>, RootFault},
                                       RadicalSign()));
  root.Add("exp",            Function1(Exp,        NaturalLog, "Exponencial",        {MathForm<UM::kExp>, OverflowFault},
                                       BaseRaisedTo("e", true)));
  root.Add("exp10",          Function1(Exp10,      Log10,      "Expo base 10",       {},
                                       BaseRaisedTo("10", false)));
  root.Add("Abs",            Function1(Abs,        nullptr,    "Valor Absoluto",     {ExactForm<RU::kAbs>, OverflowFault},
                                       AbsoluteBars()));
  root.Add("Ale/Rnd",        Function0(Random,                 "Aleatorio"));
  root.Add("Int/Ent",        Function1(Int,        nullptr,    "Parte entera",       {ExactForm<RU::kTrunc>, OverflowFault}));
  root.Add("Rd",             Function1(Rd,         nullptr,    "Redondeo"));
  root.Add("Frac",           Function1(Frac,       nullptr,    "Fracci\xF3n"));
  root.Add("Max",            FunctionN(Maximum,  2,  255, "M\xE1ximo"));
  root.Add("Min",            FunctionN(Minimum,  2,  255, "M\xEDnimo"));
  root.Add("Prom",           FunctionN(Mean,     2,  255, "Promedio"));
  root.Add("Suma",           FunctionN(Sum,      2,  255, "Suma"));
  root.Add("Resto/Mod",      FunctionN(Remainder, 2, 2,   "Resto"));
}

}  // namespace vorla
