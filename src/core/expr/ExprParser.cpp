// The compiler of TExpresion: preprocessing is done, this reads definitions
// and runs the trial-split recursive descent.
//
// Each level scans its text from right to left for its operators, splits at a
// candidate and parses both sides; a side that fails sends the scan on to the
// next candidate. To keep compiling bounded on any input, every piece is a
// span of one source text with precomputed tables (parenthesis depths with a
// range minimum, operator positions), so each check is constant time, and a
// failed (level, span) is remembered with the message it left, so it is never
// parsed twice.

#include <algorithm>
#include <array>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/expr/ErrorMessages.h"
#include "core/expr/Expresion.h"
#include "core/expr/FloatErrors.h"
#include "core/expr/FloatMath.h"
#include "core/expr/TextFold.h"
#include "core/io/NumberText.h"

namespace vorla {
namespace {

// A set of characters answered by one lookup: trial splits ask it of the
// ends of every piece they try.
class CharSet {
 public:
  constexpr explicit CharSet(std::string_view chars) {
    for (const char c : chars) members_[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool Has(char c) const { return members_[static_cast<unsigned char>(c)]; }

 private:
  std::array<bool, 256> members_{};
};

constexpr CharSet kOperatorStart("*+,/\\^\xA3");
constexpr CharSet kOperatorEnd("*+,-./\\^\xA3");
constexpr CharSet kNumberCharacters("0123456789.eE+-");
constexpr CharSet kComparisonCharacters("<=>");

bool IsIn(char c, const CharSet& set) { return set.Has(c); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal order of magnitude of digits `whole`.`fraction` e`exponent`, to
// tell overflow from underflow when the value leaves the double range.
long long Magnitude(std::string_view whole, std::string_view fraction, long long exponent) {
  const std::size_t first = whole.find_first_not_of('0');
  if (first != std::string_view::npos) return static_cast<long long>(whole.size() - first) + exponent;
  const std::size_t firstFraction = fraction.find_first_not_of('0');
  return exponent - static_cast<long long>(firstFraction);
}

// Reads `text` when all of it is a decimal number: optional sign, digits,
// optional "." and digits, optional exponent letter, sign and digits. Digits
// of the mantissa may be missing (".5", "e2" = 0). The value is rounded to a
// 32-bit float; one beyond that range is an overflow.
bool ReadDecimal(std::string_view text, float* value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t wholeStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::string_view whole = text.substr(wholeStart, i - wholeStart);
  std::string_view fraction;
  bool hasPoint = false;
  if (i < text.size() && text[i] == '.') {
    hasPoint = true;
    const std::size_t start = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    fraction = text.substr(start, i - start);
  }
  std::string exponent;
  bool hasExponent = false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    hasExponent = true;
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) exponent += text[i++];
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) exponent += text[i++];
    if (i == start) return false;
  }
  if (i != text.size() || (whole.empty() && !hasPoint && !hasExponent)) return false;
  if (value == nullptr) return true;
  if (whole.empty() && fraction.empty()) {
    *value = 0.0f;
    return true;
  }
  std::string canonical = std::string(whole.empty() ? "0" : whole) + "." +
                          std::string(fraction.empty() ? "0" : fraction) + "e" +
                          (exponent.empty() ? "0" : exponent);
  double wide = 0;
  const auto wideResult = std::from_chars(canonical.data(), canonical.data() + canonical.size(), wide);
  if (wideResult.ec == std::errc::result_out_of_range) {
    long long power = 0;
    const std::string_view digits = std::string_view(exponent).substr(exponent[0] == '+' || exponent[0] == '-');
    for (char c : digits) power = power > 100000000 ? power : power * 10 + (c - '0');
    if (exponent[0] == '-') power = -power;
    if (Magnitude(whole, fraction, power) > 0) throw EOverflow();
    *value = negative ? -0.0f : 0.0f;
    return true;
  }
  float single = 0;
  if (std::fabs(wide) > FLT_MAX) {
    single = ToSingle(wide);
  } else if (std::from_chars(canonical.data(), canonical.data() + canonical.size(), single).ec !=
             std::errc()) {
    single = static_cast<float>(wide);  // a denormal or zero: underflow is silent
  }
  *value = negative ? -single : single;
  return true;
}

}  // namespace

class TParser {
 public:
  TParser(TExpresion& owner, std::string source) : owner_(owner), s_(std::move(source)) {
    const int n = Size();
    depth_.assign(n + 1, 0);
    for (int i = 0; i < n; ++i) depth_[i + 1] = depth_[i] + (s_[i] == '(') - (s_[i] == ')');
    BuildRangeMinimum();
    nextBadPair_.assign(n + 1, n);
    for (int i = n - 2; i >= 0; --i)
      nextBadPair_[i] = IsIn(s_[i], kOperatorEnd) && IsIn(s_[i + 1], kOperatorStart) ? i : nextBadPair_[i + 1];
    nextOpen_.assign(n + 1, n);
    nextNonNumeric_.assign(n + 1, n);
    for (int i = n - 1; i >= 0; --i) {
      nextOpen_[i] = s_[i] == '(' ? i : nextOpen_[i + 1];
      nextNonNumeric_[i] = IsIn(s_[i], kNumberCharacters) ? nextNonNumeric_[i + 1] : i;
    }
    prevLogic_ = PreviousOf(CharSet("!$&"));
    prevCompare_ = PreviousOf(kComparisonCharacters);
    prevAdditive_ = PreviousOf(CharSet("+-"));
    prevMultiplicative_ = PreviousOf(CharSet("*/"));
    prevPower_ = PreviousOf(CharSet("^\\\xA3"));
    prevComma_ = PreviousOf(CharSet(","));
  }

  NodePtr ParseAll() {
    NodePtr root = Expression(0, Size());
    PublishMessage();
    memo_.clear();
    return root;
  }

 private:
  enum Level { kExpression, kTerm, kFactor };

  int Size() const { return static_cast<int>(s_.size()); }
  std::string_view Piece(int b, int e) const { return std::string_view(s_).substr(b, e - b); }

  // prev[k]: the last position before k holding one of `chars`, or -1.
  std::vector<int> PreviousOf(const CharSet& chars) const {
    std::vector<int> prev(Size() + 1, -1);
    for (int i = 0; i < Size(); ++i) prev[i + 1] = IsIn(s_[i], chars) ? i : prev[i];
    return prev;
  }

  void BuildRangeMinimum() {
    const int n = Size() + 1;
    minimum_.push_back(depth_);
    for (int width = 1; 2 * width <= n; width *= 2) {
      const std::vector<int>& last = minimum_.back();
      std::vector<int> next(n - 2 * width + 1);
      for (int i = 0; i + 2 * width <= n; ++i) next[i] = std::min(last[i], last[i + width]);
      minimum_.push_back(std::move(next));
    }
  }

  // Smallest depth_[i] for b <= i < e (e > b).
  int MinimumDepth(int b, int e) const {
    int level = 0;
    while ((2 << level) <= e - b) ++level;
    return std::min(minimum_[level][b], minimum_[level][e - (1 << level)]);
  }

  // The message of the most recent failed check, kept cheap to write: the
  // scans fail checks by the thousand and read only the last message.
  struct Failure {
    enum Kind { kNone, kMissing, kEdge, kPair, kEarlyClose, kUnclosed, kText } kind = kNone;
    char first = 0;
    char second = 0;
    std::size_t text = 0;  // into texts_, for kText
  };

  bool Fail(Failure::Kind kind, char first = 0, char second = 0) {
    failure_ = Failure{kind, first, second, 0};
    return false;
  }

  bool Fail(std::string message) {
    texts_.push_back(std::move(message));
    failure_ = Failure{Failure::kText, 0, 0, texts_.size() - 1};
    return false;
  }

  // Hands the last failed check's message to the expression object.
  void PublishMessage() {
    switch (failure_.kind) {
      case Failure::kNone:
        return;
      case Failure::kMissing:
        owner_.parseMessage_ = msg::kMissingExpression;
        return;
      case Failure::kEdge:
        owner_.parseMessage_ = msg::kOperatorAtEdge;
        return;
      case Failure::kPair:
        owner_.parseMessage_ = msg::TwoOperators(failure_.first, failure_.second);
        return;
      case Failure::kEarlyClose:
      case Failure::kUnclosed:
        owner_.parseMessage_ = msg::Unbalanced(failure_.kind == Failure::kEarlyClose);
        return;
      case Failure::kText:
        owner_.parseMessage_ = texts_[failure_.text];
        return;
    }
  }

  // The checks every piece passes before any level parses it.
  bool Validate(int b, int e) {
    if (b >= e) return Fail(Failure::kMissing);
    if (IsIn(s_[b], kOperatorStart) || IsIn(s_[e - 1], kOperatorEnd)) return Fail(Failure::kEdge);
    const int pair = nextBadPair_[b];
    if (pair + 1 < e) return Fail(Failure::kPair, s_[pair], s_[pair + 1]);
    if (MinimumDepth(b + 1, e + 1) < depth_[b]) return Fail(Failure::kEarlyClose);
    if (depth_[e] != depth_[b]) return Fail(Failure::kUnclosed);
    return true;
  }

  // A lone "'" both starts and ends with a quote: an empty message.
  bool IsMessage(int b, int e) const { return s_[b] == '\'' && s_[e - 1] == '\''; }
  NodePtr Message(int b, int e) {
    return std::make_shared<TExprMsg>(e - b >= 2 ? std::string(Piece(b + 1, e - 1)) : std::string());
  }

  // Validates the piece, then parses it once per (level, span): a failure
  // is replayed with the message it left, a success hands out the same node
  // again (the memo holds it until the parse ends, so abandoned splits do
  // not destroy it, and lends it: trial splits take no share of their own).
  template <class Parse>
  const NodePtr& Remembered(Level level, int b, int e, Parse parse) {
    if (!Validate(b, e)) return kNone;
    const long long n = Size() + 1;
    const long long key = (static_cast<long long>(level) * n + b) * n + e;
    if (const auto it = memo_.find(key); it != memo_.end()) {
      if (it->second.node) return it->second.node;
      failure_ = it->second.failure;
      return kNone;
    }
    NodePtr node = parse();
    const Failure failure = node ? Failure{} : failure_;
    return memo_.emplace(key, Outcome{std::move(node), failure}).first->second.node;
  }

  const NodePtr& Expression(int b, int e) {
    return Remembered(kExpression, b, e, [&] { return ParseExpression(b, e); });
  }
  const NodePtr& Term(int b, int e) {
    return Remembered(kTerm, b, e, [&] { return ParseTerm(b, e); });
  }
  const NodePtr& Factor(int b, int e) {
    return Remembered(kFactor, b, e, [&] { return ParseFactor(b, e); });
  }

  // <expression> = <expression> ("!" | "$" | "&") <expression>    scanned right to left
  //              | <expression> <comparison> <expression>          scanned right to left
  //              | <expression> ("+" | "-") <term>                 from the last character to the second
  //              | "-" <expression>
  //              | <term>
  NodePtr ParseExpression(int b, int e) {
    if (IsMessage(b, e)) return Message(b, e);
    for (int k = prevLogic_[e]; k >= b; k = prevLogic_[k]) {
      const NodePtr& left = Expression(b, k);
      if (!left) continue;
      const NodePtr& right = Expression(k + 1, e);
      if (!right) continue;
      if (s_[k] == '!') return NewOp(NodeKind::kXor, left, right);
      if (s_[k] == '$') return NewOp(NodeKind::kOr, left, right);
      return NewOp(NodeKind::kAnd, left, right);
    }
    for (int k = prevCompare_[e]; k >= b; k = prevCompare_[k]) {
      const bool pair = k > b && IsIn(s_[k - 1], kComparisonCharacters);
      const NodePtr& left = Expression(b, pair ? k - 1 : k);
      if (!left) continue;
      const NodePtr& right = Expression(k + 1, e);
      if (!right) continue;
      return Compare(pair ? s_[k - 1] : '\0', s_[k], left, right);
    }
    for (int k = prevAdditive_[e]; k >= b + 1; k = prevAdditive_[k]) {
      // The sign of an exponent ("2e-3") is no operator.
      if (k >= b + 2 && (s_[k - 1] == 'e' || s_[k - 1] == 'E') && IsDigit(s_[k - 2])) continue;
      const NodePtr& left = Expression(b, k);
      if (!left) continue;
      const NodePtr& right = Term(k + 1, e);
      if (!right) continue;
      if (s_[k] == '+') return NewOp(NodeKind::kAdd, left, right);
      return NewOp(NodeKind::kSubtract, left, right);
    }
    if (s_[b] == '-') {
      const NodePtr& operand = Expression(b + 1, e);
      if (!operand) return nullptr;
      return NewOp(NodeKind::kSubtract, std::make_shared<TNum>(0.0f), operand);
    }
    return Term(b, e);
  }

  // "<" "<<" less, ">" ">>" greater, "=" "==" equal, "<=" "=<", ">=" "=>",
  // "<>" "><" not equal.
  static NodePtr Compare(char first, char second, const NodePtr& left, const NodePtr& right) {
    if (first == '\0' || first == second) {
      if (second == '<') return NewOp(NodeKind::kLess, left, right);
      if (second == '>') return NewOp(NodeKind::kGreater, left, right);
      return NewOp(NodeKind::kEqual, left, right);
    }
    if (first == '>' && second == '<') return NewOp(NodeKind::kNotEqual, left, right);
    if (first == '<' && second == '>') return NewOp(NodeKind::kNotEqual, left, right);
    if (first == '<' || second == '<') return NewOp(NodeKind::kAtMost, left, right);
    return NewOp(NodeKind::kAtLeast, left, right);
  }

  // <term> = <term> ("*" | "/") <factor>    from the last character to the second
  //        | <factor>
  NodePtr ParseTerm(int b, int e) {
    if (IsMessage(b, e)) return Message(b, e);
    for (int k = prevMultiplicative_[e]; k >= b + 1; k = prevMultiplicative_[k]) {
      const NodePtr& left = Term(b, k);
      if (!left) continue;
      const NodePtr& right = Factor(k + 1, e);
      if (!right) continue;
      if (s_[k] == '*') return NewOp(NodeKind::kMultiply, left, right);
      return NewOp(NodeKind::kDivide, left, right);
    }
    return Factor(b, e);
  }

  // <factor> = <number> | <prefixed number>
  //          | <positive number> <factor>               implicit product, split right to left
  //          | <factor> ("^" | "\" | "£") <factor>      from the last character to the second
  //          | <definition> | <name> [ "(" <expression> {"," <expression>} ")" ]
  //          | "(" <expression> ")"
  NodePtr ParseFactor(int b, int e) {
    if (IsMessage(b, e)) return Message(b, e);
    float value = 0;
    if (ReadDecimal(Piece(b, e), &value)) return std::make_shared<TNum>(value);
    if (PrefixedNumber(b, e, &value)) return std::make_shared<TNum>(value);
    // Only characters of a number can stand before the split of a product.
    for (int k = std::min(e - 1, nextNonNumeric_[b]); k >= b + 1; --k) {
      if (IsDigit(s_[k]) || s_[k] == '.') continue;
      float factor = 0;
      if (!ReadDecimal(Piece(b, k), &factor) || !(factor > 0)) continue;
      const NodePtr& right = Factor(k, e);
      if (!right) continue;
      return NewOp(NodeKind::kMultiply, std::make_shared<TNum>(factor), right);
    }
    for (int k = prevPower_[e]; k >= b + 1; k = prevPower_[k]) {
      const NodePtr& left = Factor(b, k);
      if (!left) continue;
      const NodePtr& right = Factor(k + 1, e);
      if (!right) continue;
      if (s_[k] == '^') return NewOp(NodeKind::kPower, left, right);
      if (s_[k] == '\\') return NewOp(NodeKind::kRoot, left, right);
      return NewOp(NodeKind::kLogBase, left, right);
    }
    for (const TExpresion::TDefinition& definition : owner_.definitions_)
      if (EqualFolded(definition.Name, Piece(b, e))) return definition.Node;
    bool callFailed = false;
    if (NodePtr call = Call(b, e, &callFailed)) return call;
    if (callFailed) return nullptr;
    if (s_[b] == '(' && s_[e - 1] == ')') return Expression(b + 1, e - 1);
    owner_.parseMessage_ = msg::UnknownName(std::string(Piece(b, e)));
    throw ECompilacion(owner_.parseMessage_);
  }

  // "b" binary (16-bit two's complement at 16 digits), "h" hexadecimal
  // (32-bit two's complement), "o" octal.
  bool PrefixedNumber(int b, int e, float* value) const {
    const std::string_view digits = Piece(b + 1, e);
    if (e - b < 2) return false;
    if (s_[b] == 'b') {
      if (e - b > 17 || digits.find_first_not_of("01") != std::string_view::npos) return false;
      long total = 0;
      for (std::size_t i = 0; i < digits.size(); ++i)
        if (digits[i] == '1') total += 1L << (digits.size() - 1 - i);
      if (e - b == 17 && digits[0] == '1') total -= 65536;
      *value = static_cast<float>(total);
      return true;
    }
    if (s_[b] == 'h') {
      const std::optional<std::uint32_t> total = ParseHex(digits);
      if (!total) return false;
      *value = static_cast<float>(static_cast<std::int32_t>(*total));
      return true;
    }
    if (s_[b] == 'o') {
      if (digits.find_first_not_of("01234567") != std::string_view::npos) return false;
      TExtended total = 0;
      for (char c : digits) total = total * 8 + (c - '0');
      *value = ToSingle(total);
      return true;
    }
    return false;
  }

  // A catalog name, with its arguments when a "(" follows it. Null with
  // *failed false means "not a call": the factor goes on to its last forms.
  NodePtr Call(int b, int e, bool* failed) {
    const int open = nextOpen_[b] < e ? nextOpen_[b] : e;
    const std::string name = ToUpperText(Piece(b, open));
    const TFunctionEntry* entry = owner_.functions_->Find(name);
    std::vector<NodePtr> args;
    if (open < e) {
      // A parenthesis pair with no function before it is parsed by the
      // parenthesized form; parsing it here too would double the work at
      // every nesting level.
      if (entry == nullptr && open == b && s_[e - 1] == ')' && !HasTopComma(open + 1, e - 1))
        return nullptr;
      // The last character is taken for the closing ")".
      const int end = e - 1;
      std::vector<int> bounds{end};
      for (int k = prevComma_[end]; k > open; k = prevComma_[k])
        if (depth_[k] == depth_[open + 1]) bounds.push_back(k);
      bounds.push_back(open);
      for (std::size_t i = bounds.size() - 1; i > 0; --i) {
        NodePtr argument = Expression(bounds[i] + 1, bounds[i - 1]);
        if (!argument) return nullptr;
        args.push_back(std::move(argument));
      }
    }
    if (entry == nullptr) return nullptr;
    const TMake& maker = *entry->Maker;
    const int count = static_cast<int>(args.size());
    if (count > maker.MaxArgs || count < maker.MinArgs) {
      *failed = true;
      if (count > maker.MaxArgs && maker.MaxArgs == 0) Fail(msg::TakesNoArguments(name));
      else if (count > maker.MaxArgs && maker.MinArgs == maker.MaxArgs) Fail(msg::TooManyExactly(name, maker.MaxArgs));
      else if (count > maker.MaxArgs) Fail(msg::TakesAtMost(name, maker.MaxArgs));
      else if (maker.MinArgs == maker.MaxArgs) Fail(msg::TooFewExactly(name, maker.MinArgs));
      else Fail(msg::TakesAtLeast(name, maker.MinArgs));
      return nullptr;
    }
    NodePtr node = Make(maker, args);
    node->Text = entry->Name;
    return node;
  }

  bool HasTopComma(int b, int e) const {
    for (int k = prevComma_[e]; k >= b; k = prevComma_[k])
      if (depth_[k] == depth_[b]) return true;
    return false;
  }

  TExpresion& owner_;
  const std::string s_;
  std::vector<int> depth_;  // depth_[i]: "(" minus ")" before position i
  std::vector<std::vector<int>> minimum_;
  std::vector<int> nextBadPair_;
  std::vector<int> nextOpen_;
  std::vector<int> nextNonNumeric_;
  std::vector<int> prevLogic_, prevCompare_, prevAdditive_, prevMultiplicative_, prevPower_, prevComma_;
  struct Outcome {
    NodePtr node;         // null when the piece failed
    Failure failure;      // for a failure: the message it left
  };
  std::unordered_map<long long, Outcome> memo_;  // its elements stay put as it grows
  static inline const NodePtr kNone;
  Failure failure_;
  std::vector<std::string> texts_;  // messages of kText failures
};

void TExpresion::ParseDefinitions(std::string& text) {
  for (std::size_t semicolon = text.find(';'); semicolon != std::string::npos; semicolon = text.find(';')) {
    const std::size_t colon = text.find(':');
    const std::string name = colon == std::string::npos ? std::string() : text.substr(0, colon);
    if (name.empty()) {
      parseMessage_ = msg::kMissingIdentifier;
      throw ECompilacion(parseMessage_);
    }
    const auto between = [&](std::size_t from, std::size_t to) {
      return from < to ? text.substr(from, to - from) : std::string();
    };
    if (colon + 1 < text.size() && text[colon + 1] == '"') {
      // A text substitution, also inside longer names.
      const std::string replacement = semicolon > 0 ? between(colon + 2, semicolon - 1) : std::string();
      text = ReplaceFolded(std::string_view(text).substr(semicolon + 1), name, replacement);
      if (text.size() > MaxTextLength) {
        parseMessage_ = msg::kTextTooLong;
        throw ECompilacion(parseMessage_);
      }
      continue;
    }
    const std::string body = between(colon + 1, semicolon);
    text.erase(0, semicolon + 1);
    NodePtr node = TParser(*this, body).ParseAll();
    if (!node) return;
    definitions_.push_back(TDefinition{name, std::move(node)});
  }
}

NodePtr TExpresion::Compile(const std::string& text) {
  hasError_ = false;
  EnsureFunctions();
  std::string body = Preprocess(text);
  errorCode_ = ExprError::kNone;
  NodePtr root;
  try {
    if (body.size() > MaxTextLength) {
      parseMessage_ = msg::kTextTooLong;
      throw ECompilacion(parseMessage_);
    }
    ParseDefinitions(body);
    root = TParser(*this, body).ParseAll();
  } catch (const EMathError& fault) {
    errorCode_ = fault.Code();
  } catch (const EExprError&) {
    // Anything else (memory exhausted, say) is no fault of the text: it
    // propagates to whoever set the text.
    errorCode_ = ExprError::kCompileFailure;
  }
  if (errorCode_ != ExprError::kNone) {
    hasError_ = true;
    errorText_ = errorCode_ == ExprError::kCompileFailure ? parseMessage_ : msg::ForCode(errorCode_);
    return nullptr;
  } else if (!root) {
    hasError_ = true;
    errorText_ = parseMessage_;
    return nullptr;
  }
  return root;
}

}  // namespace vorla
