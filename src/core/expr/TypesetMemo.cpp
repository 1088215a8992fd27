#include "core/expr/TypesetLayout.h"

#include <cstddef>
#include <functional>
#include <unordered_map>

namespace vorla::typeset {
namespace {

struct Key {
  const TEval* node;
  int size;
  TFont font;
  friend bool operator==(const Key&, const Key&) = default;
};

struct KeyHash {
  std::size_t operator()(const Key& key) const {
    std::size_t h = std::hash<const TEval*>{}(key.node);
    for (const int part : {key.size, static_cast<int>(key.font.Face), static_cast<int>(key.font.Style),
                           key.font.Height, static_cast<int>(key.font.Kind)})
      h = h * 1000003u ^ std::hash<int>{}(part);
    return h;
  }
};

struct Measured {
  TBox box;
  TFont fontAfter;
};

}  // namespace

struct TBoxMemo::Entries {
  std::unordered_map<Key, Measured, KeyHash> map;
};

TBoxMemo::TBoxMemo() : entries_(std::make_unique<Entries>()) {}
TBoxMemo::~TBoxMemo() = default;

TBox TBoxMemo::Measure(const TEval& node, TCanvas& canvas, int size,
                       TBox (*measure)(const TEval& node, TCanvas& canvas, int size)) {
  const Key key{&node, size, canvas.Font};
  if (const auto found = entries_->map.find(key); found != entries_->map.end()) {
    canvas.Font = found->second.fontAfter;
    return found->second.box;
  }
  const TBox box = Bounded(measure(node, canvas, size));
  entries_->map.emplace(key, Measured{box, canvas.Font});
  return box;
}

TMemoScope::TMemoScope(TCanvas& canvas) : canvas_(canvas) {
  if (canvas_.Memo != nullptr) return;
  own_ = std::make_unique<TBoxMemo>();
  canvas_.Memo = own_.get();
}

TMemoScope::~TMemoScope() {
  if (own_ != nullptr) canvas_.Memo = nullptr;
}

}  // namespace vorla::typeset
