// Mapping dialog units to pixels with the dialog font's metrics.
#include "ui/dialog_units.h"

#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QWidget>
#include <algorithm>

namespace {

constexpr int MulDiv(int value, int numerator, int denominator) {
  return (2 * value * numerator + denominator) / (2 * denominator);
}

}  // namespace

void UseTemplateFont(QWidget& dialog) {
  QFont font = dialog.font();
  font.setPointSize(9);
  dialog.setFont(font);
}

DialogBaseUnits BaseUnitsOf(const QFontMetrics& metrics) {
  // Windows averages the 52 Latin letters and rounds half up.
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters / 26 + 1) / 2, metrics.height()};
}

void LayOutInDialogUnits(QWidget& dialog) {
  const DialogBaseUnits base = BaseUnitsOf(dialog.fontMetrics());
  const auto toPixels = [base](const QRect& units) {
    return QRect(MulDiv(units.x(), base.x, 4), MulDiv(units.y(), base.y, 8),
                 MulDiv(units.width(), base.x, 4), MulDiv(units.height(), base.y, 8));
  };
  for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    QRect pixels = toPixels(child->geometry());
    if (auto* combo = qobject_cast<QComboBox*>(child)) {
      const int closed = combo->sizeHint().height();
      const int itemHeight = std::max(1, combo->fontMetrics().height());
      combo->setMaxVisibleItems(std::max(1, (pixels.height() - closed) / itemHeight));
      pixels.setHeight(closed);
    }
    child->setGeometry(pixels);
  }
  dialog.setFixedSize(toPixels(QRect(0, 0, dialog.width(), dialog.height())).size());
}
