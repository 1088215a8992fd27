// The row programs against the trees they come from: every value, failure,
// pixel and statistic the same, on one thread and on two, over a picture
// wider than one run and of no round size. x runs over -8.125..8.1875 in
// steps of 1/16 and y over -4.5..4.75 in quarters, both passing through 0.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "core/expr/Catalog.h"
#include "core/expr/Expresion.h"
#include "core/expr/RowProgram.h"
#include "core/plot/BandCalculation.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotExpressions.h"
#include "PixelLoopOnly.h"

namespace vorla {
namespace {

constexpr int kWidth = 261;
constexpr int kHeight = 37;
const ViewBounds kView{-8.125, -4.5, -8.125 + kWidth * 0.0625, -4.5 + kHeight * 0.25};

struct Case {
  const char* name;
  const char* func;
  const char* zmin = "-Pi";
  const char* zmax = "Pi";
  bool runs = true;  // calculated in runs rather than pixel by pixel
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.func; }

using testing_support::PixelLoopOnly;

class RowCalculationTest : public ::testing::TestWithParam<Case> {
 protected:
  std::unique_ptr<PlotExpressions> Compiled() const {
    PlotDocument document = PlotDocument::StartUp();
    document.Func = GetParam().func;
    document.Zmin = GetParam().zmin;
    document.Zmax = GetParam().zmax;
    auto plot = std::make_unique<PlotExpressions>();
    plot->Compile(document);
    EXPECT_FALSE(plot->CheckExpressions()) << plot->CheckExpressions()->message;
    return plot;
  }
};

TEST_P(RowCalculationTest, EveryPointAsTheTreeGivesIt) {
  auto plot = Compiled();
  auto tree = Compiled();
  const float stepX = 0.0625f, stepY = 0.25f;
  plot->BeginPicture(kView, stepX, stepY);
  tree->BeginPicture(kView, stepX, stepY);
  const auto rows = plot->NewRowEvaluator();
  if (!rows) {
    EXPECT_FALSE(GetParam().runs) << "no row evaluator";
    return;
  }
  float x[kWidth], f[kWidth], zmin[kWidth], zmax[kWidth];
  std::uint8_t codes[kWidth];
  for (int c = 0; c < kWidth; ++c) x[c] = static_cast<float>(c * 0.0625 + kView.left);
  for (int r = 0; r < kHeight; ++r) {
    const float y = static_cast<float>(r * 0.25 + kView.top);
    rows->BeginRow(y);
    constexpr int kRun = static_cast<int>(RowProgram::kRunLength);
    for (int start = 0; start < kWidth; start += kRun) {
      const int n = std::min(kRun, kWidth - start);
      const RowEvaluator::Run run = rows->EvaluateRun(x + start, static_cast<std::size_t>(n));
      std::copy_n(run.f, n, f + start);
      std::copy_n(run.zmin, n, zmin + start);
      std::copy_n(run.zmax, n, zmax + start);
      std::copy_n(run.codes, n, codes + start);
    }
    tree->SetRowY(y);
    for (int c = 0; c < kWidth; ++c) {
      SCOPED_TRACE(testing::Message() << "x=" << x[c] << " y=" << y);
      tree->SetColumnX(x[c]);
      int code = 0;
      const float value = tree->Function(code);
      if (code != 0) {
        EXPECT_TRUE(std::isnan(f[c])) << "the tree fails with " << code << ", the run gives " << f[c];
        EXPECT_EQ(codes[c], code);
        continue;
      }
      ASSERT_EQ(std::bit_cast<std::uint32_t>(f[c]), std::bit_cast<std::uint32_t>(value))
          << "run " << f[c] << ", tree " << value;
      const float lo = tree->ScaleMin(), hi = tree->ScaleMax();
      if (!std::isnan(zmin[c])) { EXPECT_EQ(zmin[c], lo); }
      if (!std::isnan(zmax[c])) { EXPECT_EQ(zmax[c], hi); }
    }
  }
}

TEST_P(RowCalculationTest, PictureAndStatisticsOnOneAndTwoThreads) {
  IndexSettings settings = IndexSettings::From(PlotDocument::StartUp());
  settings.filterAbove = true;
  settings.filterMax = 5;
  const auto calculate = [&](int threads, Bitmap& picture, PictureStats& stats) {
    auto plot = Compiled();
    PixelLoopOnly tree(*plot);
    SeedRandom(7);
    picture.Resize(kWidth, kHeight, 8);
    if (threads == 0)
      CalculateIndexed(picture, PixelRect{}, kView, settings, tree, stats);
    else
      CalculateIndexed(picture, PixelRect{}, kView, settings, *plot, stats, {}, threads);
  };
  Bitmap expected;
  PictureStats want;
  calculate(0, expected, want);
  for (int threads : {1, 2}) {
    SCOPED_TRACE(testing::Message() << threads << " threads");
    Bitmap picture;
    PictureStats got;
    calculate(threads, picture, got);
    for (int r = 0; r < kHeight; ++r)
      ASSERT_EQ(0, std::memcmp(picture.Row(r), expected.Row(r), kWidth)) << "row " << r;
    EXPECT_EQ(got.errorCounts, want.errorCounts);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(got.foundMin), std::bit_cast<std::uint32_t>(want.foundMin));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(got.foundMax), std::bit_cast<std::uint32_t>(want.foundMax));
    EXPECT_EQ(got.lastZmin, want.lastZmin);
    EXPECT_EQ(got.lastZmax, want.lastZmax);
    EXPECT_EQ(got.treePixels < got.pixels, GetParam().runs) << got.treePixels << " from the tree";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Operators, RowCalculationTest,
    ::testing::Values(
        Case{"startUp", "Sen(x+y)+r+w"},
        Case{"arithmetic", "x*x-y*y+x*y*0.5+3*x-2*y"},
        Case{"quotientFailsOnZero", "x/y+1/x"},
        Case{"overflowOfAProduct", "(x*1e37)*(y*10)"},
        Case{"negation", "-x-(-y)"},
        Case{"powers", "x^y+y^2+x^0.5+(x-y)^(-1)"},
        Case{"roots", "x\\3+y\\x+x\\y"},
        Case{"logarithmOfABase", "x\xA3y+LogBase(x,2)+LogN(4,y)"},
        Case{"comparisons", "(x>y)+(x<y)*2+(x=y)*4+(x<>y)*8+(x>=y)*16+(x<=y)*32"},
        Case{"tolerantEquality", "(x*1e-16=y)+(x*1e-15<>0)*2+(x*1e-16>=y*1e-16)*4+(x*1e-16<=y*1e-16)*8"},
        Case{"signedZerosKeepTheFirstFound", "x*0*y"},
        Case{"chains", "(1<x<3)+(-2<x<y<=2)*2+(y>x>=ln(x)>-1)*4"},
        Case{"chainSkipsItsLeftWhereTheRightFails", "(ln(x)<y<0)+0"},
        Case{"logic", "(x>0&ln(x)>0)+(x<0$ln(x)<1)+(x>0!y>0)"},
        Case{"conditional", "Si(x>0,ln(x),Si(y>0,sqrt(-x),'negativo'))"},
        Case{"rowValueUnderABranch", "Si(x>0,ln(y),x)+If(y<1,x,ln(y-5))"},
        Case{"rowOnlyConditional", "Si(y>0,ln(y),sqrt(-y))*x"},
        Case{"definitionsSharedAmongBranches", "a:ln(x); b:y*y; Si(y>0,a,-a)+Si(x<1,a+b,b)"},
        Case{"message", "Si(x>2,'grande',x)"},
        Case{"scaleFromThePoint", "x", "y", "y+x*x"},
        Case{"scaleThatFails", "x", "ln(x)", "Pi"},
        Case{"randomKeepsTheTree", "x+Ale", "-Pi", "Pi", false}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Catalog, RowCalculationTest,
    ::testing::Values(
        Case{"trigonometry", "sin(x*y)+cos(x)+tan(y)+sec(x)+cosec(y)+cotan(x)"},
        Case{"inverseTrigonometry", "arcsin(x)+arccos(y/4)+arctan(x*y)"},
        Case{"hyperbolic", "sinh(x*12)+cosh(y)+tanh(x)"},
        Case{"inverseHyperbolic", "arcsinh(x*1e10)+arccosh(y)+arctanh(x/8)"},
        Case{"logarithmsAndExponentials", "ln(x)+log(y)+exp(x*12)+exp10(y*10)"},
        Case{"rootsAndSquares", "sqrt(x)+sqr(y)+Rcp(x)"},
        Case{"parts", "Abs(x)+Int(x*y)+Rd(y*x)+Frac(x-y)+GMS(x*y)"},
        Case{"twoArguments", "hipot(x,y)+ang(y,x)+Resto(x,y)+Mod(y,x)"},
        Case{"manyArguments", "Max(x,y,ln(x))+Min(x,-y)+Prom(x,y,1)+Suma(x,y,x*y,1)"},
        Case{"constantsAndEnvironment", "Pi*x+e*y+R2+R3+minX+maxX+minY+maxY+minZ+maxZ+fX*fY"},
        Case{"polar", "r*w+Sen(r*2)+Cos(w*6)+Resto(w/Pi*4+ln(r),2)"}),
    [](const auto& info) { return info.param.name; });


// Random texts of the expression language, from a fixed seed: leaves,
// environment values, every operator and catalog function, definitions,
// comments and messages, nested a few levels deep.
class TextGenerator {
 public:
  explicit TextGenerator(std::uint32_t seed) : random_(seed) {}

  std::string Function() {
    std::string text;
    // Each definition reads only the ones before it.
    const int definitions = Pick(3);
    for (definitions_ = 0; definitions_ < definitions; ++definitions_)
      text.append(1, static_cast<char>('a' + definitions_)).append(":").append(Expression(3)).append(";");
    if (Pick(4) == 0) text += "{nota}";
    // A random number keeps the whole text to the pixel loop.
    return text + Expression(4) + (Pick(8) == 0 ? "+Ale*0" : "");
  }

  std::string Bound(const char* usual) {
    definitions_ = 0;
    return Pick(3) == 0 ? Expression(2) : usual;
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  double Magnitude() { return std::pow(10.0, std::uniform_real_distribution<double>(-3, 38)(random_)); }

 private:
  template <std::size_t N>
  const char* Of(const char* const (&names)[N]) {
    return names[static_cast<std::size_t>(Pick(static_cast<int>(N)))];
  }

  std::string Number() {
    switch (Pick(4)) {
      case 0: return std::to_string(Pick(7) - 2);
      case 1: return "0.5";
      case 2: return "1e" + std::to_string(Pick(77) - 38);
      default: return std::to_string(Pick(90) + 1) + "e" + std::to_string(Pick(76) - 38);
    }
  }

  std::string Leaf() {
    static const char* const kLeaves[] = {"x", "y", "x", "y", "r", "w", "Pi", "e", "minX", "maxY",
                                          "minZ", "maxZ", "fX", "fY", "'aviso'"};
    if (definitions_ > 0 && Pick(4) == 0) return std::string(1, static_cast<char>('a' + Pick(definitions_)));
    return Pick(3) == 0 ? Number() : Of(kLeaves);
  }

  std::string Arguments(int depth, int count) {
    std::string text = Expression(depth);
    for (int k = 1; k < count; ++k) text.append(",").append(Expression(depth));
    return text;
  }

  std::string Expression(int depth) {
    static const char* const kOperators[] = {"+", "-", "*", "/", "^", "\\", "\xA3", "=", "<>",
                                             ">", "<", ">=", "<=", "&", "$", "!"};
    static const char* const kComparisons[] = {"<", "<=", ">", ">=", "=", "<>"};
    static const char* const kUnary[] = {"sen", "cos", "tan", "sec", "cosec", "cotan", "arcsin", "arccos",
                                         "arctan", "sinh", "cosh", "tanh", "arcsinh", "arccosh", "arctanh",
                                         "Rcp", "ln", "log", "sqr", "sqrt", "exp", "exp10", "Abs", "Int",
                                         "Rd", "Frac", "GMS"};
    static const char* const kBinary[] = {"hipot", "ang", "Resto", "LogN"};
    static const char* const kMany[] = {"Max", "Min", "Suma", "Prom"};
    if (depth == 0) return Leaf();
    const int below = depth - 1;
    switch (Pick(9)) {
      case 0: return Leaf();
      case 1: return "-(" + Expression(below) + ")";
      case 2:
      case 3: return "(" + Expression(below) + ")" + Of(kOperators) + "(" + Expression(below) + ")";
      case 4: return std::string(Of(kUnary)) + "(" + Expression(below) + ")";
      case 5: return std::string(Of(kBinary)) + "(" + Arguments(below, 2) + ")";
      case 6: return std::string(Of(kMany)) + "(" + Arguments(below, 2 + Pick(3)) + ")";
      case 7: return std::string(Pick(2) == 0 ? "Si" : "If") + "(" + Arguments(below, 3) + ")";
      default:
        return "(" + Expression(below) + Of(kComparisons) + Expression(below) + Of(kComparisons) +
               Expression(below) + ")";
    }
  }

  std::mt19937 random_;
  int definitions_ = 0;
};

struct Outcome {
  Bitmap picture;
  PictureStats stats;
};

// Picture bytes and every statistic the window shows, bit for bit.
void ExpectSame(const Outcome& got, const Outcome& want, const char* path) {
  SCOPED_TRACE(path);
  for (int r = 0; r < want.picture.Height(); ++r)
    ASSERT_EQ(0, std::memcmp(got.picture.Row(r), want.picture.Row(r), static_cast<std::size_t>(want.picture.Width())))
        << "row " << r;
  EXPECT_EQ(got.stats.errorCounts, want.stats.errorCounts);
  const auto bits = [](float v) { return std::bit_cast<std::uint32_t>(v); };
  EXPECT_EQ(bits(got.stats.foundMin), bits(want.stats.foundMin));
  EXPECT_EQ(bits(got.stats.foundMax), bits(want.stats.foundMax));
  EXPECT_EQ(bits(got.stats.shownMin), bits(want.stats.shownMin));
  EXPECT_EQ(bits(got.stats.shownMax), bits(want.stats.shownMax));
  EXPECT_EQ(bits(got.stats.lastZmin), bits(want.stats.lastZmin));
  EXPECT_EQ(bits(got.stats.lastZmax), bits(want.stats.lastZmax));
}

// Random documents calculated pixel by pixel and in runs, on one thread and
// on three, whole, in a partial rectangle, whole again; and in bands from
// the bottom up or from the top down.
TEST(RowDifferentialTest, RunsGiveWhatThePixelLoopGives) {
  TextGenerator generate(20261206);
  int inRuns = 0;
  constexpr int kCases = 1500;
  for (int i = 0; i < kCases; ++i) {
    PlotDocument document = PlotDocument::StartUp();
    document.Func = generate.Function();
    document.Zmin = generate.Bound("-Pi");
    document.Zmax = generate.Bound("Pi");
    IndexSettings settings;
    settings.gradient = generate.Pick(4) != 0;
    settings.wrapBelow = generate.Pick(2) == 0;
    settings.wrapAbove = generate.Pick(2) == 0;
    settings.filterBelow = generate.Pick(4) == 0;
    settings.filterAbove = generate.Pick(4) == 0;
    settings.filterMin = -static_cast<float>(generate.Magnitude());
    settings.filterMax = static_cast<float>(generate.Magnitude());
    const double size = generate.Magnitude();
    const double centreX = (generate.Pick(3) - 1) * generate.Magnitude() / 4;
    const ViewBounds view{centreX - size, -size / 2, centreX + size, size / (1 + generate.Pick(3))};
    const int width = 1 + generate.Pick(generate.Pick(2) == 0 ? 40 : 600);
    const int height = 1 + generate.Pick(std::max(1, 300 / width));
    const int threads = 1 + 2 * generate.Pick(2);
    const PixelRect part{generate.Pick(width), generate.Pick(height), generate.Pick(width + 1),
                         generate.Pick(height + 1)};
    const int bandRows = 1 + generate.Pick(height);
    SCOPED_TRACE(testing::Message() << "case " << i << ": Func=" << document.Func << " Zmin=" << document.Zmin
                                    << " Zmax=" << document.Zmax << " " << width << "x" << height << " view "
                                    << view.left << ".." << view.right << ", " << threads << " threads");

    PlotExpressions treePlot, runPlot;
    treePlot.Compile(document);
    runPlot.Compile(document);
    PixelLoopOnly tree(treePlot);
    Outcome want, got;
    for (Outcome* o : {&want, &got}) o->picture.Resize(width, height, 8);
    for (const PixelRect& rect : {PixelRect{}, part, PixelRect{}}) {
      CalculateIndexed(want.picture, rect, view, settings, tree, want.stats);
      CalculateIndexed(got.picture, rect, view, settings, runPlot, got.stats, {}, threads);
      ExpectSame(got, want, rect == PixelRect{} ? "whole" : "part");
      if (HasFailure()) return;
    }
    if (got.stats.treePixels == 0) ++inRuns;

    // Bands of a document just compiled, beside the whole picture of another.
    PlotExpressions bandPlot, wholePlot;
    bandPlot.Compile(document);
    wholePlot.Compile(document);
    PixelLoopOnly wholeTree(wholePlot);
    BandCalculation bands(width, height, view, settings, bandPlot, threads);
    Outcome banded;
    banded.picture.Resize(width, height, 8);
    const bool topDown = generate.Pick(2) == 0;
    for (int done = 0; done < height; done += bandRows) {
      const int top = topDown ? done : std::max(0, height - done - bandRows);
      const int bottom = topDown ? std::min(height, done + bandRows) : height - done;
      Bitmap band;
      band.Resize(width, bottom - top, 8);
      bands.Calculate(band, top);
      for (int r = top; r < bottom; ++r)
        std::memcpy(banded.picture.Row(r), band.Row(r - top), static_cast<std::size_t>(width));
    }
    banded.stats = bands.Finish();
    Outcome whole;
    whole.picture.Resize(width, height, 8);
    CalculateIndexed(whole.picture, PixelRect{}, view, settings, wholeTree, whole.stats);
    ExpectSame(banded, whole, "bands");
    if (HasFailure()) return;
  }
  EXPECT_GT(inRuns, kCases * 3 / 4) << "cases calculated in runs";
}

}  // namespace
}  // namespace vorla
