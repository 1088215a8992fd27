// What the function picker inserts for each accepting key, and the template
// characters that typing the same character moves over.

#include <gtest/gtest.h>

#include <string>

#include "core/expr/PickerItems.h"
#include "core/expr/TypingAids.h"

namespace vorla {
namespace {

TEST(PickerAcceptTest, InsertsTheTemplateOrKeepsWhatWasTyped) {
  // "<" and ">" stand for the arrow codes; passOn 0 is none.
  struct Row { const char* name; const char* templ; const char* prefix; char typed; const char* text; int caret; char passOn; };
  const Row rows[] = {
      {"Enter puts the caret inside", "sqr()", "sq", '\r', "sqr()", 4, 0},
      {"a digit goes inside a whole name", "sin()", "sin", '2', "sin(2)", 5, 0},
      {"an operator follows a constant", "Pi", "pi", '*', "Pi*", 3, 0},
      {"the largest argument count stays as a comment", "Max(,{255})", "max", '\r', "Max(,{255})", 4, 0},
      {"comma steps over the template's comma", "hipot(,)", "hi", ',', "hipot(,)", 7, 0},
      {"comma after a plain name is typed by the field", "x", "x", ',', "x", 1, ','},
      {"left arrow steps before the parenthesis", "sqr()", "sq", '<', "sqr()", 3, 0},
      {"right arrow steps past the parenthesis", "sqr()", "sq", '>', "sqr()", 5, 0},
      {"a definition keeps the name typed", "Abs()", "a", ':', "a", 1, ':'},
      {"so does an equals sign", "sec()", "s", '=', "s", 1, '='},
      {"and a semicolon", "Abs()", "a", ';', "a", 1, ';'},
      {"an operator after part of a name keeps it", "Abs()", "a", '+', "a", 1, '+'},
      {"a closing parenthesis follows a plain name", "y", "y", ')', "y", 1, ')'},
      {"a closing parenthesis after a function closes its template", "sin()", "sin", ')', "sin()", 4, ')'},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const char typed = row.typed == '<' ? kPickerLeft : row.typed == '>' ? kPickerRight : row.typed;
    const PickerInsertion insertion = AcceptPicked(row.templ, row.prefix, typed);
    EXPECT_EQ(insertion.text, row.text);
    EXPECT_EQ(insertion.caret, row.caret);
    EXPECT_EQ(insertion.passOn, row.passOn);
  }
}

TEST(PickerAcceptTest, WithNothingSelectedTheKeyFollowsTheName) {
  EXPECT_EQ(AcceptUnmatched("zz", '(').passOn, '(');
  EXPECT_EQ(AcceptUnmatched("zz", '\r').passOn, 0);
  EXPECT_EQ(AcceptUnmatched("zz", kPickerLeft).caret, 1);
}

TEST(TemplateMarksTest, TypingMovesOverTemplateCharactersOnly) {
  // The template `inserted` went in at `at` of `text`; the text was then
  // edited to `edited`, where `typed` is typed at `caret`.
  struct Row {
    const char* name;
    const char* text;
    int at;
    const char* inserted;
    const char* edited;
    int caret;
    char typed;
    int over;
  };
  const Row rows[] = {
      {"closing parenthesis", "sin()", 0, "sin()", "sin(x)", 5, ')', 1},
      {"template comma", "hipot(,)", 0, "hipot(,)", "hipot(x,)", 7, ',', 1},
      {"other character than the mark", "hipot(,)", 0, "hipot(,)", "hipot(x,)", 7, ')', 0},
      {"the comment of further arguments goes too", "Max(,{255})", 0, "Max(,{255})", "Max(x,y,1{255})", 9, ')', 6},
      {"a comma before that comment goes in", "Max(,{255})", 0, "Max(,{255})", "Max(x,y{255})", 7, ',', 0},
      {"marks move with text typed before them", "1+sin()", 2, "sin()", "(1+sin(x)", 8, ')', 1},
      {"a parenthesis the user typed is no mark", "(x)", 0, "", "(x)", 2, ')', 0},
      {"the user's parenthesis before the template's is no mark", "sin()", 0, "sin()", "sin(x))", 5, ')', 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TemplateMarks marks;
    marks.MarkTemplate(static_cast<std::size_t>(row.at), row.inserted);
    marks.Follow(row.text, row.edited);
    EXPECT_EQ(marks.TypedOver(row.edited, static_cast<std::size_t>(row.caret), row.typed),
              static_cast<std::size_t>(row.over));
  }
}

TEST(TemplateMarksTest, AMarkGoesWithItsTextOrOnceTypedOver) {
  TemplateMarks marks;
  marks.MarkTemplate(0, "sin()");
  marks.Unmark(4);
  EXPECT_EQ(marks.TypedOver("sin()", 4, ')'), 0u);

  TemplateMarks replaced;
  replaced.MarkTemplate(0, "sin()");
  // Typing over the selected whole text changes it one character at a time.
  replaced.Follow("sin()", "(");
  replaced.Follow("(", "(x");
  replaced.Follow("(x", "(x)");
  EXPECT_EQ(replaced.TypedOver("(x)", 2, ')'), 0u);
}

}  // namespace
}  // namespace vorla
