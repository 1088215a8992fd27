#include "core/io/SvgDocumentText.h"

#include <array>
#include <utility>

#include "core/io/NumberText.h"

namespace vorla {
namespace {

constexpr std::string_view kOpen = "<vorlascope:documento";
constexpr std::string_view kClose = "</vorlascope:documento>";

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

// The value of `name="..."` within an element's opening tag; 0 when absent.
int Attribute(std::string_view tag, std::string_view name) {
  std::string key(" ");
  key.append(name).append("=\"");
  const std::size_t at = tag.find(key);
  if (at == std::string_view::npos) return 0;
  const std::size_t begin = at + key.size();
  const std::size_t end = tag.find('"', begin);
  if (end == std::string_view::npos) return 0;
  return ParseInteger(tag.substr(begin, end - begin)).value_or(0);
}

}  // namespace

std::string SvgDocumentMetadata(const SvgDocument& document) {
  return "<metadata>" + std::string(kOpen) + " xmlns:vorlascope=\"urn:vorlascope:documento\" ancho=\"" +
         std::to_string(document.width) + "\" alto=\"" + std::to_string(document.height) + "\">" +
         Escaped(document.text) + std::string(kClose) + "</metadata>";
}

std::optional<SvgDocument> ReadSvgDocument(std::string_view svg) {
  const std::size_t open = svg.find(kOpen);
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t tagEnd = svg.find('>', open);
  const std::size_t close = svg.find(kClose, open);
  if (tagEnd == std::string_view::npos || close == std::string_view::npos || close < tagEnd) return std::nullopt;
  const std::string_view tag = svg.substr(open, tagEnd - open);
  return SvgDocument{Attribute(tag, "ancho"), Attribute(tag, "alto"),
                     Unescaped(svg.substr(tagEnd + 1, close - tagEnd - 1))};
}

bool LooksLikeSvg(std::string_view head) {
  if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
  const std::size_t first = head.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return false;
  head.remove_prefix(first);
  return head.starts_with("<?xml") || head.starts_with("<svg");
}

}  // namespace vorla
