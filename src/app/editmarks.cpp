#include "editmarks.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace
{
// Inside the 4 px border band the form's editors draw, so the mark covers
// none of the value and nothing beside the editor.
constexpr int kOutline = 2;
} // namespace

void EditMarks::setMarked(QWidget *editor, bool mark)
{
    if (mark == marked.contains(editor))
        return;
    if (mark) {
        marked.insert(editor);
        editor->installEventFilter(this);
    } else {
        marked.remove(editor);
        editor->removeEventFilter(this);
    }
    editor->update();
}

bool EditMarks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint)
        return false;
    // The editor paints itself first (its own event handler, reached through
    // QObject's public one), then the outline goes on top.
    static_cast<QObject *>(watched)->event(event);
    auto *editor = static_cast<QWidget *>(watched);
    QPainter painter(editor);
    painter.setPen(QPen(colour(), kOutline));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(editor->rect())
            .adjusted(kOutline / 2.0, kOutline / 2.0, -kOutline / 2.0, -kOutline / 2.0));
    return true;
}
