#include "wheelguard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

namespace wheelguard
{
namespace
{

class Guard : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel || static_cast<QWidget *>(watched)->hasFocus())
            return false;
        // Not taken here: the application hands it on to the parent.
        event->ignore();
        return true;
    }
};

void guard(QWidget *field, Guard *guard)
{
    field->setFocusPolicy(Qt::StrongFocus);
    field->installEventFilter(guard);
}

} // namespace

void install(QWidget *form)
{
    auto *filter = new Guard(form);
    // A read-only box (the firmware version) only shows: it stays out of the
    // Tab chain, and the wheel changes nothing there anyway. Nor does a click
    // select its text, which would look like an edit begun.
    for (QAbstractSpinBox *field : form->findChildren<QAbstractSpinBox *>()) {
        if (!field->isReadOnly())
            guard(field, filter);
        else if (auto *text = field->findChild<QLineEdit *>())
            text->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    for (QWidget *field : form->findChildren<QComboBox *>())
        guard(field, filter);
}

} // namespace wheelguard
