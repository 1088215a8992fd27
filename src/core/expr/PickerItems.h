#pragma once
// What the function picker lists and inserts: one item per entry of a
// function list, "sin( ) - Func: Seno", and the name with its argument
// template that accepting an item puts into the expression.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorla {

class TFunctionList;
struct TMake;

// The picture drawn beside an item.
enum class PickerCategory { kConstant, kVariable, kEnvironment, kFunction };

struct PickerItem {
  std::string text;  // core text
  PickerCategory category;
};

// "Pi - Const: Pi", "x - Variable", "minX - Entorno", "Ale - Func: Aleatorio",
// "sin( ) - Func: Seno", "hipot( , ) - Func: Hipotenusa",
// "Max( , {255}) - Func: M\xE1ximo".
PickerItem MakePickerItem(const std::string& name, const TMake& maker);

// One item per entry (a name and its alias are two), in alphabetical order
// without regard to letter case.
std::vector<PickerItem> MakePickerItems(const TFunctionList& list);

// From item `from` on (the first when negative), the first item that sorts
// after `prefix` without regard to letter case (an item starting with the
// prefix sorts after it); -1 when none does.
int MatchPrefix(const std::vector<PickerItem>& items, int from, std::string_view prefix);

// What F1 asks the help for: the text up to its first blank or "(".
std::string PickerKeyword(std::string_view itemText);

// The name and argument template an item inserts: its text without blanks,
// cut before the first "-" ("sin()", "Max(,{255})", "Pi").
std::string PickerTemplate(std::string_view itemText);

// Characters the picker list understands besides what is typed: the left
// and right arrow keys arrive as these two codes.
inline constexpr char kPickerLeft = '\x1C';
inline constexpr char kPickerRight = '\x1D';

enum class PickerKeyAction {
  kExtend,     // a letter: the prefix grows
  kBackspace,  // the prefix shrinks
  kCancel,     // Esc: keep what was typed
  kIgnore,     // other control characters
  kAccept,     // anything else inserts the selected item
};
PickerKeyAction ClassifyPickerKey(char c);

// What accepting with `typed` puts in place of the prefix, where the caret
// goes, counted from the start of that text, and a character the field then
// types itself as if the picker had not been open (so that it moves over a
// template's "," or ")" instead of doubling it).
struct PickerInsertion {
  std::string text;
  int caret;
  char passOn = 0;  // 0: none
};
// Accepting the item whose template is `templateText` while `prefix` is
// typed. Enter, blank, "(" and the arrow codes insert the template with the
// caret just inside its parenthesis (one back for left, one further for
// right); "," does so one further too when the template has a parenthesis,
// else it follows the name. ":", "=" and ";" (a name the user defines) keep
// the prefix as typed. Any other character accepts only a whole name ("pi"
// for "Pi"): it goes inside the first parenthesis ("sin()" and "2" give
// "sin(2)") or after a name without one ("Pi*"), and ")" follows the
// template; after a partial name ("a" of "Abs") the prefix stays as typed.
PickerInsertion AcceptPicked(std::string_view templateText, std::string_view prefix, char typed);
// Accepting while no item is selected: the typed name stays and the key
// follows it; Enter adds nothing and the arrows move the caret.
PickerInsertion AcceptUnmatched(std::string_view prefix, char typed);

}  // namespace vorla
