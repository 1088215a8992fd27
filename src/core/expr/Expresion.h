#pragma once
// TExpresion: an expression text, its compiled tree and its value, with the
// error state the windows read. Names resolve through a function list that a
// root expression owns and its children share.

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/expr/ErrorCodes.h"
#include "core/expr/ExprBase.h"

namespace vorla {

struct TFunctionEntry {
  std::string Name;  // as registered
  TMake* Maker;      // an entry and its alias share one maker
};

// Sorted without regard to letter case; adding a name already present keeps
// the first entry. Owns its makers and the variables registered in it.
class TFunctionList {
 public:
  // `names` is "name" or "name/alias".
  void Add(const std::string& names, TMake entry);
  // The entry named `name` in any letter case, or null.
  const TFunctionEntry* Find(std::string_view name) const;
  const std::vector<TFunctionEntry>& Entries() const { return entries_; }
  TVariable* NewVariable();

 private:
  void Insert(const std::string& name, TMake* maker);

  std::vector<TFunctionEntry> entries_;
  std::vector<std::unique_ptr<TMake>> makers_;
  std::vector<std::unique_ptr<TVariable>> variables_;
};

// The error code (11..20) of a failure raised while a tree was evaluated.
ExprError EvaluationErrorCode(const std::exception& failure);

class TExpresion {
 public:
  // Longest text compiled; longer texts fail with a message of their own, so
  // that no input can make compiling take long.
  static constexpr std::size_t MaxTextLength = 4000;

  TExpresion();
  ~TExpresion();
  TExpresion(const TExpresion&) = delete;
  TExpresion& operator=(const TExpresion&) = delete;

  // Share the function list of `root`; call right after construction. A
  // child must be destroyed no later than its root.
  void SetParent(TExpresion* root) { parent_ = root; }
  // On a root: fill the list with the built-in catalog when it is created.
  void SetWantsCatalog(bool wants);

  // Compiles `text` (Windows-1252) unless it equals the current text.
  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }
  // The text of `value` with up to 15 significant digits.
  void SetValueText(float value);

  // Evaluates when something the tree reads changed since the last call;
  // after a failure it is the last good value and HasError() is true. Only
  // failures of the expression language are caught; std::bad_alloc and
  // other exceptions propagate.
  float GetValue();
  // What GetValue gives after a failure. A caller that evaluated the same
  // tree elsewhere (over runs) hands back the last value that did not fail;
  // the next GetValue evaluates again, so that only a failure gives it.
  float LastGoodValue() const { return lastValue_; }
  void SetLastGoodValue(float value) {
    lastValue_ = value;
    dirty_ = true;
  }

  bool Compiled() const { return compiled_; }
  bool HasError() const { return hasError_; }
  // 0: success, or a compile whose checks failed ("(x", "max(1)"): see ErrorText.
  // The number of an ExprError (ErrorCodes.h lists them with examples).
  int ErrorCode() const { return CodeOf(errorCode_); }
  const std::string& ErrorText() const { return errorText_; }
  static std::string ErrorMessage(int code);

  // The compiled tree, or null.
  TEval* Root() const { return root_.get(); }

  const TFunctionList& Functions();
  // Registers an entry in the root's list ("name" or "name/alias").
  void Add(const std::string& names, TMake entry);
  // The variable lives as long as the root expression.
  TVariable* AddVariable(const std::string& names, TLeafBinding binding = {});
  void AddFunction0(const std::string& names, TFunc0 func, MakerKind kind, const std::string& description,
                    TLeafBinding binding = {});
  void AddFunction1(const std::string& names, TFunc1 func, TFunc1 inverse, const std::string& description);

  // "name/alias": the alias exists when a '/' stands after the first character.
  static std::pair<std::string, std::string> SplitNames(const std::string& names);
  // "**" becomes "^" and "//" becomes "\".
  static std::string NormalizeOperators(const std::string& text);
  // Drops blanks, control characters and {comments}; "(" right after ")"
  // becomes "*(".
  static std::string Preprocess(const std::string& text);

  // Called after SetText compiled a new text and after SetWantsCatalog.
  std::function<void(TExpresion&)> OnChange;

 private:
  friend class TParser;
  struct TDefinition {
    std::string Name;
    NodePtr Node;
  };

  void EnsureFunctions();
  TFunctionList& List();
  NodePtr Compile(const std::string& text);
  void ParseDefinitions(std::string& text);
  void DiscardTree();

  std::vector<TDefinition> definitions_;
  NodePtr root_;
  float lastValue_ = 0.0f;
  std::string text_;
  bool compiled_ = false;
  std::string parseMessage_;
  bool dirty_ = false;
  bool hasError_ = false;
  bool wantsCatalog_ = false;
  TExpresion* parent_ = nullptr;
  std::string errorText_;
  ExprError errorCode_ = ExprError::kNone;
  std::unique_ptr<TFunctionList> ownFunctions_;
  TFunctionList* functions_ = nullptr;
};

}  // namespace vorla
