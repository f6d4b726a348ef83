#include "curvedrag.h"

#include "fieldcatalogue.h"

#include <QSpinBox>

namespace curvedrag
{

QSpinBox *editorOf(const QWidget *plot, const QString &field)
{
    const params::Field *f = params::findField(field);
    return f ? plot->window()->findChild<QSpinBox *>(f->editor) : nullptr;
}

void setThrough(QSpinBox *box, int v)
{
    if (box && box->value() != v)
        box->setValue(v);
}

} // namespace curvedrag
