#include "focusframe.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace focusframe
{
namespace
{

const QColor ringColour(255, 215, 0);
const QColor edgeColour(0, 0, 0);
constexpr int ringWidth = 3; // the form's editors have a 4 px border band
constexpr int edgeWidth = 1;

class Ring : public QWidget
{
public:
    explicit Ring(QWidget *window) : QWidget(window)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

    void follow(QWidget *control)
    {
        if (target)
            target->removeEventFilter(this);
        target = control;
        if (!target) {
            hide();
            return;
        }
        target->installEventFilter(this);
        place();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == target) {
            switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::ParentChange:
                place();
                break;
            default:
                break;
            }
        }
        return false;
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRect all = rect();
        p.fillRect(all, ringColour);
        const QRect inner = all.adjusted(ringWidth, ringWidth, -ringWidth, -ringWidth);
        p.fillRect(inner, edgeColour);
    }

private:
    QPointer<QWidget> target;

    // Over the control's border band, above everything in the window. The
    // ring is the window's own child, not one of the form's containers, so
    // the form keeps exactly the children it was built with.
    void place()
    {
        if (!target->isVisible()) {
            hide();
            return;
        }
        setGeometry(QRect(target->mapTo(parentWidget(), QPoint(0, 0)), target->size()));
        const QRect band = rect();
        const int hole = ringWidth + edgeWidth;
        setMask(QRegion(band) - QRegion(band.adjusted(hole, hole, -hole, -hole)));
        raise();
        show();
    }
};

} // namespace

void install(QWidget *window)
{
    auto *ring = new Ring(window);
    ring->hide();
    QObject::connect(qApp, &QApplication::focusChanged, ring,
                     [ring, window](QWidget *, QWidget *now) {
                         // Only controls: Qt may park focus on a container (the central
                         // widget), which no ring should frame.
                         const bool control =
                             now && window->isAncestorOf(now) && now->focusPolicy() != Qt::NoFocus;
                         ring->follow(control ? now : nullptr);
                     });
}

} // namespace focusframe
