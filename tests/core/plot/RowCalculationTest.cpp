// The row programs against the trees they come from: every value, failure,
// pixel and statistic the same, on one thread and on two, over a picture
// wider than one run and of no round size. x runs over -8.125..8.1875 in
// steps of 1/16 and y over -4.5..4.75 in quarters, both passing through 0.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

#include "core/expr/Catalog.h"
#include "core/expr/Expresion.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotExpressions.h"

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

// The same expressions without row evaluators: the pixel-by-pixel loop.
class TreeOnly final : public PixelEvaluator {
 public:
  explicit TreeOnly(PlotExpressions& plot) : plot_(plot) {}
  void BeginPicture(const ViewBounds& v, float sx, float sy) override { plot_.BeginPicture(v, sx, sy); }
  void SetRowY(float y) override { plot_.SetRowY(y); }
  void SetColumnX(float x) override { plot_.SetColumnX(x); }
  float Function(int& code) override { return plot_.Function(code); }
  float ScaleMin() override { return plot_.ScaleMin(); }
  float ScaleMax() override { return plot_.ScaleMax(); }
  void EndPicture(float lo, float hi) override { plot_.EndPicture(lo, hi); }

 private:
  PlotExpressions& plot_;
};

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
  for (int c = 0; c < kWidth; ++c) x[c] = static_cast<float>(c * 0.0625 + kView.left);
  for (int r = 0; r < kHeight; ++r) {
    const float y = static_cast<float>(r * 0.25 + kView.top);
    rows->BeginRow(y);
    for (int start = 0; start < kWidth; start += 256) {
      const int n = std::min(256, kWidth - start);
      rows->EvaluateRun(x + start, n, f + start, zmin + start, zmax + start);
    }
    tree->SetRowY(y);
    for (int c = 0; c < kWidth; ++c) {
      SCOPED_TRACE(testing::Message() << "x=" << x[c] << " y=" << y);
      tree->SetColumnX(x[c]);
      int code = 0;
      const float value = tree->Function(code);
      if (code != 0) {
        EXPECT_TRUE(std::isnan(f[c])) << "the tree fails with " << code << ", the run gives " << f[c];
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
    TreeOnly tree(*plot);
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
        Case{"scaleThatFails", "x", "ln(x)", "Pi", false},
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

}  // namespace
}  // namespace vorla
