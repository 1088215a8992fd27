// Formula typesetting: boxes and drawing calls on a canvas of fixed glyph
// metrics, every character half an em wide and its cell 6/5 of an em tall.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ExprTestEnv.h"
#include "core/expr/Typeset.h"

namespace vorla::test {
namespace {

struct Recorder : TCanvas {
  struct Text { int x, y; std::string text; TFont font; };
  struct Stroke { TPoint from, to; int pen; };
  struct Box { int left, top, right, bottom; bool filled; };
  std::vector<Text> texts;
  std::vector<Stroke> lines;
  std::vector<std::vector<TPoint>> polylines;
  std::vector<Box> rects;

  int Em() const { return Font.Kind == THeightKind::Character ? Font.Height : Font.Height * 5 / 6; }
  int PixelsPerInch() const override { return 96; }
  int TextWidth(const std::string& text) override { return static_cast<int>(text.size()) * (Em() / 2); }
  int TextHeight(const std::string&) override {
    return Font.Kind == THeightKind::Character ? Font.Height * 6 / 5 : Font.Height;
  }
  void TextOut(int x, int y, const std::string& text) override { texts.push_back({x, y, text, Font}); }
  void Line(TPoint from, TPoint to, int pen) override { lines.push_back({from, to, pen}); }
  void Polyline(const std::vector<TPoint>& points, int) override { polylines.push_back(points); }
  void Rectangle(int left, int top, int right, int bottom, bool filled) override {
    rects.push_back({left, top, right, bottom, filled});
  }

  const Text* Find(const std::string& text) const {
    const auto it = std::find_if(texts.begin(), texts.end(), [&](const Text& t) { return t.text == text; });
    return it == texts.end() ? nullptr : &*it;
  }
  bool HasLine(TPoint from, TPoint to) const {
    return std::any_of(lines.begin(), lines.end(), [&](const Stroke& l) { return l.from == from && l.to == to; });
  }
};

// box: at size 20
struct LayoutCase { const char* name; std::string text; TBox box; std::function<void(const Recorder&)> check; };

// At size 20 a variable or a digit is 10 wide with ascent and descent 12.
TEST(Typeset, LaysOutTheFormulaAsWritten) {
  const LayoutCase cases[] = {
      {"difference of a sum keeps its parentheses", "x-(y+z)", {82, 14, 14}, [](const Recorder& r) {
        ASSERT_NE(r.Find("("), nullptr);
        EXPECT_EQ(r.Find("(")->x, 25);
        EXPECT_EQ(r.Find("(")->y, -2);
        EXPECT_EQ(r.Find(")")->x, 71);
        EXPECT_TRUE(r.HasLine({13, 14}, {22, 14}));
      }},
      {"sum of a sum drops them", "x+(y+z)", {60, 12, 12}, [](const Recorder& r) { EXPECT_EQ(r.Find("("), nullptr); }},
      {"difference of a product drops them", "x-y*z", {51, 12, 12},
       [](const Recorder& r) { EXPECT_EQ(r.Find("("), nullptr); }},
      {"zero minus x is a leading minus", "0-x", {25, 12, 12}, [](const Recorder& r) {
        EXPECT_EQ(r.Find("0"), nullptr);
        EXPECT_TRUE(r.HasLine({3, 12}, {12, 12}));
      }},
      {"five minus x shows the five", "5-x", {35, 12, 12}, [](const Recorder& r) { EXPECT_NE(r.Find("5"), nullptr); }},
      {"number and variable juxtaposed", "2x", {23, 12, 12}, [](const Recorder& r) { EXPECT_TRUE(r.rects.empty()); }},
      {"number and parenthesis juxtaposed", "2(x+1)", {70, 14, 14},
       [](const Recorder& r) { EXPECT_TRUE(r.rects.empty()); }},
      {"number and power juxtaposed", "2x^2", {29, 19, 12}, [](const Recorder& r) { EXPECT_TRUE(r.rects.empty()); }},
      {"two variables get a dot", "x*y", {26, 12, 12}, [](const Recorder& r) {
        ASSERT_EQ(r.rects.size(), 1u);
        const Recorder::Box dot = r.rects[0];
        EXPECT_EQ(std::vector<int>({dot.left, dot.top, dot.right, dot.bottom}), std::vector<int>({12, 11, 14, 13}));
        EXPECT_TRUE(dot.filled);
      }},
      {"two numbers get a dot", "2*3", {26, 12, 12}, [](const Recorder& r) { EXPECT_EQ(r.rects.size(), 1u); }},
      {"square root reserves the index width", "x\\2", {22, 19, 16}, [](const Recorder& r) {
        ASSERT_EQ(r.texts.size(), 1u);
        EXPECT_EQ(r.texts[0].x, 12);
        EXPECT_EQ(r.texts[0].y, 7);
        ASSERT_EQ(r.polylines.size(), 1u);
        EXPECT_EQ(r.polylines[0], (std::vector<TPoint>{{22, 7}, {10, 7}, {6, 29}, {0, 14}}));
      }},
      {"cube root shows a small index", "x\\3", {22, 19, 16}, [](const Recorder& r) {
        ASSERT_NE(r.Find("3"), nullptr);
        EXPECT_EQ(r.Find("3")->x, 0);
        EXPECT_EQ(r.Find("3")->font.Height, 10);
      }},
      {"fraction bar spans the box", "x/(y+1)", {37, 24, 24}, [](const Recorder& r) {
        EXPECT_TRUE(r.HasLine({0, 24}, {37, 24}));
        EXPECT_EQ(r.Find("x")->x, 13);
        EXPECT_EQ(r.Find("y")->x, 1);
        EXPECT_EQ(r.Find("y")->y, 24);
        EXPECT_EQ(r.Find("("), nullptr);
      }},
      {"not-equal strikes the equal sign", "x<>y", {35, 12, 12}, [](const Recorder& r) {
        ASSERT_NE(r.Find("="), nullptr);
        EXPECT_EQ(r.Find("=")->font.Face, TFace::Symbol);
        EXPECT_EQ(r.Find("=")->x, 11);
        EXPECT_TRUE(r.HasLine({17, 3}, {13, 21}));
      }},
      {"greater-or-equal is raised and underlined", "x>=y", {35, 12, 12}, [](const Recorder& r) {
        EXPECT_EQ(r.Find(">")->y, -4);
        EXPECT_TRUE(r.HasLine({11, 16}, {19, 16}));
      }},
      {"a call raised to a power gets parentheses", "sin(x)^2", {71, 21, 14}, [](const Recorder& r) {
        ASSERT_NE(r.Find("("), nullptr);
        EXPECT_EQ(r.Find("(")->y, 5);
        EXPECT_EQ(r.Find("sin")->x, 11);
        EXPECT_EQ(r.Find("2")->x, 65);
      }},
      {"an exponent never does", "x^(y+1)", {31, 19, 12}, [](const Recorder& r) { EXPECT_EQ(r.Find("("), nullptr); }},
      {"big number as mantissa times a power of ten", "1e20", {219, 14, 12}, [](const Recorder& r) {
        ASSERT_NE(r.Find("0.1000000020040877"), nullptr);
        EXPECT_EQ(r.Find("0.1000000020040877")->y, 2);
        EXPECT_EQ(r.Find(" 10")->x, 180);
        ASSERT_NE(r.Find("21"), nullptr);
        EXPECT_EQ(r.Find("21")->x, 210);
        EXPECT_EQ(r.Find("21")->y, -2);
        EXPECT_EQ(r.Find("21")->font, (TFont{TFace::TimesNewRoman, TFontStyle::Regular, 16, THeightKind::Cell}));
        ASSERT_EQ(r.rects.size(), 1u);
        EXPECT_EQ(std::vector<int>({r.rects[0].left, r.rects[0].top, r.rects[0].right, r.rects[0].bottom}),
                   std::vector<int>({183, 16, 185, 18}));
      }},
      {"message in Arial between quotes", "'hola'", {60, 12, 12}, [](const Recorder& r) {
        ASSERT_EQ(r.texts.size(), 1u);
        EXPECT_EQ(r.texts[0].text, "\"hola\"");
        EXPECT_EQ(r.texts[0].font.Face, TFace::Arial);
      }},
      {"pi in the Symbol face", "pI", {10, 12, 12}, [](const Recorder& r) {
        EXPECT_EQ(r.texts[0].text, "p");
        EXPECT_EQ(r.texts[0].font.Face, TFace::Symbol);
        EXPECT_EQ(r.texts[0].y, -2);
      }},
      {"logarithm with its base below", "x\xA3" "2", {48, 12, 12}, [](const Recorder& r) {
        EXPECT_EQ(r.Find("log")->y, 0);
        EXPECT_EQ(r.Find("2")->x, 33);
        EXPECT_EQ(r.Find("2")->y, 12);
      }},
      {"and is an upward wedge", "x&y", {33, 12, 12},
       [](const Recorder& r) { EXPECT_EQ(r.polylines.at(0), (std::vector<TPoint>{{12, 18}, {16, 10}, {20, 18}})); }},
      {"argument list between parentheses", "max(x,y)", {92, 14, 14}, [](const Recorder& r) {
        EXPECT_EQ(r.Find("(")->x, 30);
        EXPECT_EQ(r.Find(", ")->x, 51);
        EXPECT_EQ(r.Find(", ")->y, 5);
        EXPECT_EQ(r.Find(")")->x, 81) << "right after the last argument (y at 71, 10 wide), not over it";
      }},
      {"square root of the catalog under its sign", "sqrt(x)", {22, 14, 16}, [](const Recorder& r) {
        EXPECT_EQ(r.polylines.at(0), (std::vector<TPoint>{{22, 2}, {10, 2}, {6, 24}, {0, 14}}));
        EXPECT_EQ(r.Find("x")->x, 12);
      }},
      {"absolute value between bars", "abs(x)", {14, 12, 12}, [](const Recorder& r) {
        EXPECT_TRUE(r.HasLine({0, 2}, {0, 22}));
        EXPECT_TRUE(r.HasLine({14, 2}, {14, 22}));
        EXPECT_EQ(r.Find("x")->x, 3);
      }},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExprEnv env;
    env.root.AddVariable("z");
    env.root.SetText(c.text);
    ASSERT_NE(env.root.Root(), nullptr) << env.root.ErrorText();
    Recorder canvas;
    const TBox box = Measure(*env.root.Root(), canvas, 20);
    EXPECT_EQ(std::vector<int>({box.Width, box.Ascent, box.Descent}),
              std::vector<int>({c.box.Width, c.box.Ascent, c.box.Descent}));
    Draw(*env.root.Root(), canvas, 0, 0, 20);
    c.check(canvas);
  }
}

// Each nesting level puts parentheses a fifth taller than their content
// around it: 40 levels would be 1.2^40 times the size of one.
TEST(Typeset, DeepFormulasStayWithinTheirBounds) {
  struct DeepCase { const char* name; std::string text; };
  const DeepCase cases[] = {
      {"forty negations", std::string(40, '-') + "x"},
      {"seven hundred reciprocals", [] {
         std::string text;
         for (int i = 0; i < 700; ++i) text += "Rcp(";
         return text + "x" + std::string(700, ')');
       }()},
  };
  for (const DeepCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExprEnv env;
    env.root.SetText(c.text);
    ASSERT_NE(env.root.Root(), nullptr) << env.root.ErrorText();
    Recorder canvas;
    const TBox box = Measure(*env.root.Root(), canvas, 20);
    EXPECT_EQ(std::vector<int>({box.Width > 0, box.Ascent > 0, box.Descent > 0}), std::vector<int>({1, 1, 1}));
    EXPECT_LE(std::max({box.Width, box.Ascent, box.Descent}), 20000);
    EXPECT_FALSE(FitsFormulaLimits(FormulaPictureSize(*env.root.Root(), canvas)));
  }
}

// Drawing measures every operand again for its place and its parentheses;
// remembered boxes keep the count of text measurements in step with the depth.
TEST(Typeset, DrawingMeasuresTextLinearlyInTheDepth) {
  struct Counter : Recorder {
    int measured = 0;
    int TextWidth(const std::string& text) override {
      ++measured;
      return Recorder::TextWidth(text);
    }
  };
  std::string text;
  for (int i = 0; i < 200; ++i) text += "sin(x+";
  text += "x" + std::string(200, ')');
  ExprEnv env;
  env.root.SetText(text);
  ASSERT_NE(env.root.Root(), nullptr) << env.root.ErrorText();
  Counter canvas;
  DrawFormulaPicture(*env.root.Root(), canvas);
  EXPECT_LT(canvas.measured, 200 * 20);
}

TEST(Typeset, FormulaPictureLimits) {
  struct LimitCase { const char* name; TPictureSize size; bool fits; };
  const LimitCase cases[] = {
      {"widest side", {16384, 10}, true},
      {"one past the widest side", {16385, 10}, false},
      {"one past the tallest side", {10, 16385}, false},
      {"64 megapixels", {16384, 4096}, true},
      {"one row past 64 megapixels", {16384, 4097}, false},
  };
  for (const LimitCase& c : cases) EXPECT_EQ(FitsFormulaLimits(c.size), c.fits) << c.name;
  EXPECT_EQ(FormulaTooLargeText({16385, 10}),
            "La f\xF3rmula de 16385 x 10 p\xEDxeles es demasiado grande para dibujarla: una f\xF3rmula admite "
            "hasta 16384 p\xEDxeles de ancho y de alto y 64 megap\xEDxeles");
  EXPECT_EQ(FormulaTooLargeText({20004, 40004}),
            "La f\xF3rmula es demasiado grande para dibujarla: una f\xF3rmula admite hasta 16384 p\xEDxeles de "
            "ancho y de alto y 64 megap\xEDxeles")
      << "a side at the typesetting's bound is not its true size";
}

}  // namespace
}  // namespace vorla::test
