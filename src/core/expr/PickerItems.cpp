#include "core/expr/PickerItems.h"

#include <algorithm>

#include "core/expr/ExprBase.h"
#include "core/expr/Expresion.h"
#include "core/expr/TextFold.h"
#include "core/expr/TypingAids.h"

namespace vorla {
namespace {

std::string ArgumentPattern(const TMake& maker) {
  std::string pattern = " ";
  for (int i = 1; i < maker.MinArgs; ++i) pattern += ", ";
  if (maker.MaxArgs != maker.MinArgs) pattern.append("{").append(std::to_string(maker.MaxArgs)).append("}");
  return pattern;
}

}  // namespace

PickerItem MakePickerItem(const std::string& name, const TMake& maker) {
  PickerItem item{name, PickerCategory::kFunction};
  switch (maker.Kind) {
    case MakerKind::kConstant:
      item.text += " - Const";
      item.category = PickerCategory::kConstant;
      break;
    case MakerKind::kVariable:
      item.text += " - Variable";
      item.category = PickerCategory::kVariable;
      break;
    case MakerKind::kFunction0:
      item.text += " - Entorno";
      item.category = PickerCategory::kEnvironment;
      break;
    case MakerKind::kFunction1:
      item.text += maker.MinArgs > 0 ? "( ) - Func" : " - Func";
      break;
    default:
      item.text.append("(").append(ArgumentPattern(maker)).append(") - Func");
      break;
  }
  if (!maker.Description.empty()) item.text.append(": ").append(maker.Description);
  return item;
}

std::vector<PickerItem> MakePickerItems(const TFunctionList& list) {
  std::vector<PickerItem> items;
  items.reserve(list.Entries().size());
  for (const TFunctionEntry& entry : list.Entries()) items.push_back(MakePickerItem(entry.Name, *entry.Maker));
  std::stable_sort(items.begin(), items.end(), [](const PickerItem& a, const PickerItem& b) {
    return CompareFolded(a.text, b.text) < 0;
  });
  return items;
}

int MatchPrefix(const std::vector<PickerItem>& items, int from, std::string_view prefix) {
  for (std::size_t i = static_cast<std::size_t>(std::max(from, 0)); i < items.size(); ++i)
    if (CompareFolded(items[i].text, prefix) > 0) return static_cast<int>(i);
  return -1;
}

std::string PickerKeyword(std::string_view itemText) {
  return std::string(itemText.substr(0, itemText.find_first_of(" (")));
}

std::string PickerTemplate(std::string_view itemText) {
  std::string result;
  for (char c : itemText) {
    if (c == '-') break;
    if (c != ' ') result += c;
  }
  return result;
}

PickerKeyAction ClassifyPickerKey(char c) {
  if (IsNameLetter(c)) return PickerKeyAction::kExtend;
  switch (c) {
    case '\b': return PickerKeyAction::kBackspace;
    case '\x1B': return PickerKeyAction::kCancel;
    case '\r':
    case kPickerLeft:
    case kPickerRight: return PickerKeyAction::kAccept;
    default: break;
  }
  return static_cast<unsigned char>(c) < 32 ? PickerKeyAction::kIgnore : PickerKeyAction::kAccept;
}

PickerInsertion AcceptPicked(std::string_view templateText, std::string_view prefix, char typed) {
  const std::size_t paren = templateText.find('(');
  const bool hasParen = paren != std::string_view::npos;
  const int inside = static_cast<int>(hasParen ? paren + 1 : templateText.size());
  PickerInsertion result{std::string(templateText), inside};
  switch (typed) {
    case '\r':
    case ' ':
    case '(': return result;
    case kPickerRight: ++result.caret; return result;
    case kPickerLeft: --result.caret; return result;
    case ',':
      if (hasParen) ++result.caret;
      else result.passOn = typed;
      return result;
    case ':':
    case '=':
    case ';': return AcceptUnmatched(prefix, typed);
    default: break;
  }
  if (!EqualFolded(PickerKeyword(templateText), prefix)) return AcceptUnmatched(prefix, typed);
  if (typed == ')') {
    result.passOn = typed;
    return result;
  }
  result.text.insert(static_cast<std::size_t>(inside), 1, typed);
  ++result.caret;
  return result;
}

PickerInsertion AcceptUnmatched(std::string_view prefix, char typed) {
  PickerInsertion result{std::string(prefix), static_cast<int>(prefix.size())};
  if (typed == kPickerLeft) {
    --result.caret;
  } else if (typed == kPickerRight) {
    ++result.caret;
  } else if (typed != '\r') {
    result.passOn = typed;
  }
  return result;
}

}  // namespace vorla
