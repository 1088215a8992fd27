#include "core/io/FigureDocumentText.h"

#include <array>
#include <utility>

#include "core/io/NumberText.h"

namespace vorla {
namespace {

constexpr std::array<std::pair<char, std::string_view>, 5> kEntities{{
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&apos;"}}};

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    bool replaced = false;
    for (const auto& [plain, entity] : kEntities)
      if (c == plain) {
        out += entity;
        replaced = true;
      }
    if (!replaced) out += c;
  }
  return out;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool replaced = false;
    for (const auto& [plain, entity] : kEntities)
      if (text.substr(i).starts_with(entity)) {
        out += plain;
        i += entity.size() - 1;
        replaced = true;
        break;
      }
    if (!replaced) out += text[i];
  }
  return out;
}

std::string Element(std::string_view name, std::string_view content) {
  std::string element("<vorlascope:");
  element.append(name).append(">").append(content).append("</vorlascope:").append(name).append(">");
  return element;
}

// The content of our element `name`, as written (still escaped).
std::optional<std::string_view> Content(std::string_view text, std::string_view name) {
  std::string open("<vorlascope:");
  open.append(name).append(">");
  std::string close("</vorlascope:");
  close.append(name).append(">");
  const std::size_t begin = text.find(open);
  if (begin == std::string_view::npos) return std::nullopt;
  const std::size_t end = text.find(close, begin);
  if (end == std::string_view::npos) return std::nullopt;
  return text.substr(begin + open.size(), end - begin - open.size());
}

bool StartsAfterBlanks(std::string_view head, std::string_view start) {
  if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
  const std::size_t first = head.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && head.substr(first).starts_with(start);
}

}  // namespace

std::string FigureDocumentElements(const FigureDocument& document) {
  return Element("ancho", std::to_string(document.width)) + Element("alto", std::to_string(document.height)) +
         Element("documento", Escaped(document.text));
}

std::optional<FigureDocument> ReadFigureDocument(std::string_view text) {
  const auto documentText = Content(text, "documento");
  if (!documentText) return std::nullopt;
  const auto side = [text](std::string_view name) {
    const auto content = Content(text, name);
    return content ? ParseInteger(*content).value_or(0) : 0;
  };
  return FigureDocument{side("ancho"), side("alto"), Unescaped(*documentText)};
}

bool LooksLikeSvg(std::string_view head) { return StartsAfterBlanks(head, "<?xml") || StartsAfterBlanks(head, "<svg"); }

bool LooksLikePdf(std::string_view head) { return head.starts_with("%PDF-"); }

}  // namespace vorla
