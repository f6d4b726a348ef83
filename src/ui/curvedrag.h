#pragma once

#include <QString>

class QSpinBox;
class QWidget;

// A plot changes a setting the way the user would: through the setting's own
// box in the form, found by the field catalogue's editor name. Its slot then
// stores the value, so the file, Write, the marks and undo follow as for
// typing it.
namespace curvedrag
{

// The box of the field named `field` (e.g. "throttle_curve.point3") in the
// plot's window; null if the form has none.
QSpinBox *editorOf(const QWidget *plot, const QString &field);

// Sets the box to v unless it shows v already.
void setThrough(QSpinBox *box, int v);

} // namespace curvedrag
