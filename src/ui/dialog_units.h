// Dialog templates keep Windows' dialog units; this turns them into pixels.
#pragma once

class QFontMetrics;
class QWidget;

// Pixels per 4 horizontal and per 8 vertical dialog units, as Windows derives
// them from the dialog's font.
struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};

// The templates' font: the system's dialog font at 9 points.
void UseTemplateFont(QWidget& dialog);

[[nodiscard]] DialogBaseUnits BaseUnitsOf(const QFontMetrics& metrics);

// The dialog's size and its children's geometry, as loaded from a .ui file
// written in dialog units, become pixels of the dialog's font. A combo box's
// height in the template is that of its open list; its closed height is its own.
// The dialog then keeps that size.
void LayOutInDialogUnits(QWidget& dialog);
