#pragma once

#include <QColor>
#include <QObject>
#include <QSet>

class QWidget;

// The mark on an editor whose value differs from what the transmitter is
// known to hold: an outline in the theme's amber, painted over the editor's
// own border band after the editor has painted itself. It takes no room and
// adds no widget, so the layout stays as it is; an editor without a mark
// paints exactly as before (it is not even watched).
class EditMarks : public QObject
{
public:
    using QObject::QObject;

    static QColor colour() { return QColor(255, 170, 0); }

    void setMarked(QWidget *editor, bool marked);
    bool isMarked(const QWidget *editor) const
    {
        return marked.contains(const_cast<QWidget *>(editor));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QSet<QWidget *> marked;
};
