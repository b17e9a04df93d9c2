#pragma once
// The factor of the run (the one the forms are scaled by) applied to what Qt
// draws for us: message boxes and tooltips. A box opened over a scaled form
// is read at the same size as the form.

#include <QFont>
#include <QRect>

class QMessageBox;

namespace pelo::ui {

// A font f times the size of base (points or pixels, whichever it has).
QFont scaledFont(const QFont& base, double f);

// The width at which a box's text wraps: wide enough for a sentence at the
// box's font, never wider than the area allows beside the icon and margins.
int wrapWidthFor(double f, const QRect& available);

// Scales a message box by f: its font, its icon, and the width at which a
// long text wraps, kept within the available area.
void scaleMessageBox(QMessageBox& box, double f, const QRect& available);

// Shows a box placed with its top-left corner at pos (or centred over its
// parent without one), moved so that the whole box, frame included, stays
// within the available area of its screen; then runs it.
int execPlaced(QMessageBox& box, const QPoint* pos);

// The tooltip font: the application's font times f.
void scaleToolTips(double f);

// The check-box and radio-button indicators of the style drawn f times their
// size (never smaller), so that they stand by their scaled labels.
void scaleIndicators(double f);
// The style's indicator size times f, as scaleIndicators draws it.
int scaledIndicator(int base, double f);

}  // namespace pelo::ui
