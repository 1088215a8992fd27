#include "core/expr/Expresion.h"

#include <algorithm>

#include "core/expr/Catalog.h"
#include "core/expr/ErrorMessages.h"
#include "core/expr/FloatErrors.h"
#include "core/expr/TextFold.h"
#include "core/io/NumberText.h"

namespace vorla {

// ---- function list ---------------------------------------------------------

void TFunctionList::Add(const std::string& names, TMake entry) {
  auto maker = std::make_unique<TMake>(std::move(entry));
  const auto [name, alias] = TExpresion::SplitNames(names);
  Insert(name, maker.get());
  if (!alias.empty()) Insert(alias, maker.get());
  makers_.push_back(std::move(maker));
}

void TFunctionList::Insert(const std::string& name, TMake* maker) {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), name,
                                   [](const TFunctionEntry& entry, const std::string& key) {
                                     return CompareFolded(entry.Name, key) < 0;
                                   });
  if (it != entries_.end() && CompareFolded(it->Name, name) == 0) return;
  entries_.insert(it, TFunctionEntry{name, maker});
}

const TFunctionEntry* TFunctionList::Find(std::string_view name) const {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), name,
                                   [](const TFunctionEntry& entry, std::string_view key) {
                                     return CompareFolded(entry.Name, key) < 0;
                                   });
  if (it == entries_.end() || CompareFolded(it->Name, name) != 0) return nullptr;
  return &*it;
}

TVariable* TFunctionList::NewVariable() {
  variables_.push_back(std::make_unique<TVariable>());
  return variables_.back().get();
}

// ---- expression object -----------------------------------------------------

ExprError EvaluationErrorCode(const std::exception& failure) {
  if (const auto* fault = dynamic_cast<const EMathError*>(&failure)) return fault->Code();
  if (dynamic_cast<const EExprMsj*>(&failure)) return ExprError::kMessage;
  return ExprError::kEvaluationFailure;
}

TExpresion::TExpresion() = default;

TExpresion::~TExpresion() { DiscardTree(); }

void TExpresion::DiscardTree() {
  root_.reset();
  definitions_.clear();
}

void TExpresion::SetWantsCatalog(bool wants) {
  if (parent_ == nullptr) wantsCatalog_ = wants;
  if (OnChange) OnChange(*this);
}

void TExpresion::EnsureFunctions() {
  if (functions_ != nullptr) return;
  if (parent_ != nullptr) {
    parent_->EnsureFunctions();
    functions_ = parent_->functions_;
    return;
  }
  ownFunctions_ = std::make_unique<TFunctionList>();
  functions_ = ownFunctions_.get();
  functions_->Add("Si/If", TMake{.Node = NodeKind::kSelect, .Kind = MakerKind::kFunctionN, .MinArgs = 3,
                                 .MaxArgs = 3, .FuncN = Conditional});
  functions_->Add("LogBase/LogN",
                  TMake{.Node = NodeKind::kLogBase, .Kind = MakerKind::kFunctionN, .MinArgs = 2, .MaxArgs = 2});
  if (wantsCatalog_) RegisterCatalog(*this);
}

TFunctionList& TExpresion::List() {
  EnsureFunctions();
  return *functions_;
}

const TFunctionList& TExpresion::Functions() { return List(); }

void TExpresion::SetText(const std::string& text) {
  if (text == text_) return;
  EnsureFunctions();
  compiled_ = false;
  hasError_ = false;
  dirty_ = true;
  text_ = text;
  DiscardTree();
  root_ = Compile(text);
  compiled_ = static_cast<bool>(root_);
  if (OnChange) OnChange(*this);
}

void TExpresion::SetValueText(float value) { SetText(FormatG(value, 15)); }

float TExpresion::GetValue() {
  if (functions_ == nullptr) root_ = Compile(text_);
  compiled_ = static_cast<bool>(root_);
  if (!root_) return lastValue_;
  if (dirty_ || !root_->IsUnchanged()) {
    dirty_ = false;
    hasError_ = false;
    errorCode_ = ExprError::kNone;
    TVariable::NextPoint();
    try {
      lastValue_ = root_->Evaluate();
    } catch (const EMathError& fault) {
      errorCode_ = fault.Code();
    } catch (const EExprMsj& message) {
      errorCode_ = ExprError::kMessage;
      errorText_ = message.Message();
    } catch (const EExprError&) {
      errorCode_ = ExprError::kEvaluationFailure;
    }
    // Anything else (memory exhausted, say) is no failure of the expression:
    // it propagates, to fail whatever evaluation asked for the value.
    if (errorCode_ != ExprError::kNone) {
      hasError_ = true;
      // Copied into the text's own buffer: once it has grown, failing pixels
      // allocate nothing.
      if (errorCode_ != ExprError::kMessage) errorText_.assign(msg::ForCode(errorCode_));
    }
  }
  return lastValue_;
}

std::string TExpresion::ErrorMessage(int code) { return msg::ForCode(static_cast<ExprError>(code)); }

void TExpresion::Add(const std::string& names, TMake entry) { List().Add(names, std::move(entry)); }

TVariable* TExpresion::AddVariable(const std::string& names, TLeafBinding binding) {
  TFunctionList& list = List();
  TVariable* variable = list.NewVariable();
  list.Add(names, TMake{.Node = NodeKind::kVariable, .Kind = MakerKind::kVariable, .Variable = variable,
                        .Binding = binding});
  return variable;
}

void TExpresion::AddFunction0(const std::string& names, TFunc0 func, MakerKind kind,
                              const std::string& description, TLeafBinding binding) {
  Add(names, TMake{.Node = NodeKind::kFunction0, .Kind = kind, .Description = description,
                   .Func0 = std::move(func), .Binding = binding});
}

void TExpresion::AddFunction1(const std::string& names, TFunc1 func, TFunc1 inverse,
                              const std::string& description) {
  Add(names, TMake{.Node = NodeKind::kCall1, .Kind = MakerKind::kFunction1, .MinArgs = 1, .MaxArgs = 1,
                   .Description = description, .Func1 = func, .Inverse = inverse});
}

std::pair<std::string, std::string> TExpresion::SplitNames(const std::string& names) {
  const std::size_t slash = names.find('/');
  if (slash == std::string::npos || slash == 0) return {names, std::string()};
  return {names.substr(0, slash), names.substr(slash + 1)};
}

std::string TExpresion::NormalizeOperators(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i + 1 < text.size() && text[i] == text[i + 1] && (text[i] == '*' || text[i] == '/')) {
      result += text[i] == '*' ? '^' : '\\';
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

std::string TExpresion::Preprocess(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  bool inComment = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) < 33) continue;
    if (inComment) {
      inComment = c != '}';
    } else if (c == '{') {
      inComment = true;
    } else if (c == '(' && i >= 4 && text[i - 1] == ')') {
      // Juxtaposed parentheses multiply; the first few characters are left
      // alone, so "(x)(y)" stays unbalanced-looking and fails.
      result += "*(";
    } else {
      result += c;
    }
  }
  return result;
}

}  // namespace vorla
