#include "popupopening.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>

namespace
{
// The keys with which a box that takes no typed text opens its pop-up.
bool opensPopup(const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_F4:
    case Qt::Key_Space:
        return key->modifiers() == Qt::NoModifier;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return key->modifiers() & Qt::AltModifier;
    default:
        return false;
    }
}
} // namespace

PopupOpening::PopupOpening(QComboBox *box, std::function<void()> beforeOpen)
    : QObject(box), beforeOpen(std::move(beforeOpen))
{
    box->installEventFilter(this);
}

bool PopupOpening::eventFilter(QObject *, QEvent *event)
{
    const bool opening =
        (event->type() == QEvent::MouseButtonPress &&
         static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) ||
        (event->type() == QEvent::KeyPress && opensPopup(static_cast<QKeyEvent *>(event)));
    if (opening)
        beforeOpen();
    return false;
}
