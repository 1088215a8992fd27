// The scrolling text: line codes, scroll positions and passes, and what the
// control paints and reports.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "gui/view/CreditLines.h"
#include "gui/view/ScrollCredits.h"

namespace vorla {
namespace {

constexpr TColor kBase = 0x123456;

TEST(CreditLinesTest, CodesSetTheLineUp) {
  // height: -1: measured from the font
  struct Row { const char* name; const char* line; const char* text; TColor color; const char* fontName; int fontSize;
    unsigned style; CreditAlignment alignment; bool blinking; int height; bool drawn; };
  constexpr auto kC = CreditAlignment::kCenter;
  const Row rows[] = {
      {"bold pure blue", "&$FF0000&n;Azul", "Azul", 0xFF0000, "", 0, kCreditBold, kC, false, -1, true},
      {"leading semicolon is the base font", ";Base", "Base", kBase, "", 0, 0, kC, false, -1, true},
      {"no semicolon shows whole", "&n, sin codigos", "&n, sin codigos", kBase, "", 0, 0, kC, false, -1, true},
      {"a gap 30 pixels high", "&v30,;", "", kBase, "", 0, 0, kC, false, 30, true},
      {"font name runs to the end", "&h14,&c&fTimes New Roman;T", "T", kBase, "Times New Roman", 14, kCreditItalic,
       kC, false, -1, true},
      {"underline, strike-out, blinking", "&s&t&k;U", "U", kBase, "", 0, kCreditUnderline | kCreditStrikeOut, kC,
       true, -1, true},
      {"right wins over centre and left", "&i&d&e;D", "D", kBase, "", 0, 0, CreditAlignment::kRight, false, -1, true},
      {"centre wins over left", "&i&e;E", "E", kBase, "", 0, 0, kC, false, -1, true},
      {"left alone", "&i;I", "I", kBase, "", 0, 0, CreditAlignment::kLeft, false, -1, true},
      {"short colour", "&$FF;R", "R", 0xFF, "", 0, 0, kC, false, -1, true},
      {"empty line draws nothing", "", "", kBase, "", 0, 0, kC, false, -1, false},
      {"two blanks draw nothing", "  ", "  ", kBase, "", 0, 0, kC, false, -1, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const CreditLine line = ParseCreditLine(row.line, kBase, kC);
    EXPECT_EQ(line.text, row.text);
    EXPECT_EQ(line.color, row.color);
    EXPECT_EQ(line.fontName, row.fontName);
    EXPECT_EQ(line.fontSize, row.fontSize);
    EXPECT_EQ(line.style, row.style);
    EXPECT_EQ(line.alignment, row.alignment);
    EXPECT_EQ(line.blinking, row.blinking);
    EXPECT_EQ(line.height.value_or(-1), row.height);
    EXPECT_EQ(line.drawn, row.drawn);
  }
}

TEST(CreditLinesTest, BadNumbersAreNotIntegers) {
  const std::pair<const char*, const char*> rows[] = {
      {"&h12;sin coma", "'12' no es un valor entero v\xE1lido"},
      {"&hab,;letras", "'ab' no es un valor entero v\xE1lido"},
      {"&v123456,;coma tarde", "'12345' no es un valor entero v\xE1lido"},
      {"&$00GG00;color", "'$00GG00' no es un valor entero v\xE1lido"},
  };
  for (const auto& [line, message] : rows) {
    try {
      ParseCreditLine(line, kBase, CreditAlignment::kCenter);
      ADD_FAILURE() << line << " parsed";
    } catch (const EInvalidInteger& error) {
      EXPECT_STREQ(error.what(), message) << line;
    }
  }
}

// Heights 10, 20 and 5 (35 in all) in a control 21 high, one pixel a tick.
TEST(CreditScrollTest, PassesRestartOncePerPass) {
  for (const bool continuous : {false, true}) {
    SCOPED_TRACE(continuous ? "continuous" : "one pass");
    CreditScroll scroll;
    scroll.SetHeights({10, 20, 5});
    EXPECT_EQ(scroll.LineTop(2), 30);
    scroll.Start(21, 1);
    EXPECT_EQ(scroll.Offset(), 20) << "starts at the bottom";
    int ticks = 0;
    while (!scroll.Tick(21, 1, continuous)) ++ticks;
    EXPECT_EQ(ticks, 56) << "from 20 until the last line has left the top";
    EXPECT_EQ(scroll.Offset(), continuous ? -1 : 20);
    int passes = 0;
    for (int i = 0; i < 36 * 3; ++i) passes += scroll.Tick(21, 1, continuous) ? 1 : 0;
    EXPECT_EQ(passes, continuous ? 3 : 1) << "a continuous pass is the list's height plus one tick";
  }
}

TEST(CreditScrollTest, VisibleLinesRepeatOnlyWhenContinuous) {
  CreditScroll scroll;
  scroll.SetHeights({5, 5});
  using P = CreditScroll::Placement;
  const auto ys = [&](bool continuous) {
    std::vector<std::pair<int, int>> out;
    for (const P& p : scroll.Visible(21, continuous)) out.emplace_back(p.line, p.y);
    return out;
  };
  using V = std::vector<std::pair<int, int>>;
  EXPECT_EQ(ys(false), (V{{0, 0}, {1, 5}}));
  EXPECT_EQ(ys(true), (V{{0, 0}, {1, 5}, {0, 10}, {1, 15}, {0, 20}})) << "down to the bottom edge";
  scroll.Start(0, 7);
  EXPECT_EQ(ys(false), (V{{1, -2}})) << "a line 2 pixels from leaving still shows";
  EXPECT_TRUE(CreditScroll::BlinkHidden(-5, 1));
  EXPECT_FALSE(CreditScroll::BlinkHidden(6, 1));
  EXPECT_TRUE(CreditScroll::BlinkHidden(8, 2));
}

TEST(ScrollCreditsTest, PaintsAndReportsEachLineOncePerPass) {
  TScrollCredits credits;
  credits.resize(60, 21);
  credits.SetBackgroundColor(Qt::blue);
  credits.SetBorderColor(Qt::red);
  credits.SetCredits({});
  credits.show();
  QImage picture = credits.Canvas().toImage();
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::red)) << "frame";
  EXPECT_EQ(picture.pixelColor(30, 10), QColor(Qt::blue)) << "an empty list is only the background";

  EXPECT_THROW(credits.SetCredits({QStringLiteral("&hx;")}), EInvalidInteger);
  EXPECT_TRUE(credits.Credits().isEmpty()) << "a bad list keeps the lines it had";

  credits.SetCredits({QStringLiteral("&v8,;uno"), QStringLiteral("&v8,;dos"), QStringLiteral("&v8,;")});
  credits.SetContinuo(true);
  QSignalSpy shown(&credits, &TScrollCredits::ShowCredit);
  QSignalSpy passed(&credits, &TScrollCredits::AfterLastCredit);
  credits.SetAnimate(true);
  // From offset 20 the 24-pixel list has left after 46 ticks; a continuous pass then takes 25.
  for (int i = 0; i < 46 + 25; ++i) credits.Tick();
  EXPECT_EQ(passed.count(), 2);
  QStringList texts;
  for (const QList<QVariant>& call : shown) texts << call.front().toString();
  EXPECT_EQ(texts, (QStringList{"uno", "dos", "", "uno", "dos", "", "uno", "dos", ""}));
}

}  // namespace
}  // namespace vorla
