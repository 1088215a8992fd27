#include "gui/input/PickerItemDelegate.h"

#include <QIcon>
#include <QPainter>

#include <array>

#include "core/expr/PickerItems.h"
#include "gui/common/ToolButtons.h"

namespace vorla {
namespace {

constexpr int kItemHeight = 13;
constexpr int kIconSize = 12;
constexpr int kNameLeft = 15;  // the bold name, after the icon; the rest follows it

const QIcon& CategoryIcon(PickerCategory category) {
  static const std::array<QIcon, 4> icons = [] {
    InitGuiResources();
    return std::array<QIcon, 4>{QIcon(QStringLiteral(":/icons/constante.svg")),
                                QIcon(QStringLiteral(":/icons/variable.svg")),
                                QIcon(QStringLiteral(":/icons/entorno.svg")),
                                QIcon(QStringLiteral(":/icons/funcion.svg"))};
  }();
  return icons[static_cast<std::size_t>(category)];
}

}  // namespace

void PickerItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  const QRect& rect = option.rect;
  painter->save();
  painter->fillRect(rect, selected ? option.palette.highlight() : option.palette.base());
  const auto category = static_cast<PickerCategory>(index.data(kPickerCategoryRole).toInt());
  CategoryIcon(category).paint(painter, QRect(rect.left() + 2, rect.top() + 1, kIconSize, kIconSize));

  const QString text = index.data(Qt::DisplayRole).toString();
  const qsizetype dash = text.indexOf(QStringLiteral(" - "));
  const QString name = dash < 0 ? text : text.left(dash + 1);
  QFont bold = option.font;
  bold.setBold(true);
  painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
  painter->setFont(bold);
  painter->drawText(rect.adjusted(kNameLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, name);
  if (dash >= 0) {
    painter->setFont(option.font);
    const int restLeft = kNameLeft + QFontMetrics(bold).horizontalAdvance(name);
    painter->drawText(rect.adjusted(restLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text.mid(dash + 1));
  }
  painter->restore();
}

QSize PickerItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return {option.rect.width(), kItemHeight};
}

}  // namespace vorla
