#pragma once
// How the function picker draws an item: its category's icon, the name up to
// " - " in bold, then the rest ("- Func: Seno") in regular weight.

#include <QStyledItemDelegate>

namespace vorla {

// The item data holding its PickerCategory.
inline constexpr int kPickerCategoryRole = Qt::UserRole;

class PickerItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // Rows 13 pixels high, as the list's 11-pixel face needs.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace vorla
