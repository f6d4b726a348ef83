#include "edittracker.h"

#include "carriedfields.h"
#include "changetext.h"
#include "dualrate.h"
#include "editmarks.h"
#include "fieldcatalogue.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>

#include <cmath>

namespace
{

// Write's tooltip shows this many changes, then how many more.
constexpr int kListedChanges = 10;

QString text(const char *source) { return QCoreApplication::translate("EditTracker", source); }

QString undoHint()
{
    return text(QT_TRANSLATE_NOOP("EditTracker", "Ctrl+Z 撤销，Ctrl+Shift+Z 或 Ctrl+Y 重做"));
}

const QKeySequence undoKeys(QStringLiteral("Ctrl+Z"));
const QKeySequence redoKeys[] = {QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                 QKeySequence(QStringLiteral("Ctrl+Y"))};

bool isUndoOrRedo(const QKeyEvent *key)
{
    const QKeySequence pressed(int(key->modifiers() & ~Qt::KeypadModifier) | key->key());
    return pressed == undoKeys || pressed == redoKeys[0] || pressed == redoKeys[1];
}

// A key that types into a value (digits, sign, point, deleting) continues
// the value being typed; any other key (a step, Enter) ends it.
bool typesText(const QKeyEvent *key)
{
    if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)
        return true;
    return !key->text().isEmpty() && key->text().at(0).isPrint() &&
           !(key->modifiers() & Qt::ControlModifier);
}

} // namespace

EditTracker::EditTracker(QWidget *window, const FormEditors &editors, std::function<void()> display)
    : QObject(window), window(window), editors(editors), display(std::move(display)),
      marks(new EditMarks(this)),
      tabs(window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))),
      writeButton(window->findChild<QAbstractButton *>(QStringLiteral("toolButton_Send"))),
      held(TxParams), history(TxParams)
{
    for (const FormEditors::Placed &p : editors.placed()) {
        if (!p.editor->store)
            continue;
        if (auto *spin = qobject_cast<QSpinBox *>(p.widget))
            connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this,
                    [this] { edited(false); });
        else if (auto *spin = qobject_cast<QDoubleSpinBox *>(p.widget))
            connect(spin, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
                    [this] { edited(false); });
        else if (auto *combo = qobject_cast<QComboBox *>(p.widget))
            connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                    [this] { edited(true); });
        if (qobject_cast<QAbstractSpinBox *>(p.widget))
            p.widget->installEventFilter(this);
    }
    // A drag or a key on a plot is a step, like a wheel step in a box.
    for (const char *plot : {"widget_3", "widget_4"})
        if (QWidget *w = window->findChild<QWidget *>(QLatin1String(plot)))
            w->installEventFilter(this);

    connect(new QShortcut(undoKeys, window), &QShortcut::activated, this, [this] { undo(); });
    for (const QKeySequence &keys : redoKeys)
        connect(new QShortcut(keys, window), &QShortcut::activated, this, [this] { redo(); });
}

bool EditTracker::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel:
    case QEvent::MouseButtonPress:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        ++stroke;
        break;
    case QEvent::KeyPress:
        if (!typesText(static_cast<QKeyEvent *>(event)))
            ++stroke;
        break;
    case QEvent::ShortcutOverride:
        // A spin box would take Ctrl+Z as its own text undo, which the
        // display refresh writes over at once: leave it to the window's.
        if (isUndoOrRedo(static_cast<QKeyEvent *>(event))) {
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void EditTracker::edited(bool wholeStep)
{
    if (displayDepth > 0)
        return;
    if (wholeStep)
        ++stroke;
    history.edited(TxParams, stroke);
    if (wholeStep)
        ++stroke;
}

void EditTracker::undo()
{
    if (!history.canUndo())
        return;
    ++stroke;
    TxParams = history.undo();
    display();
}

void EditTracker::redo()
{
    if (!history.canRedo())
        return;
    ++stroke;
    TxParams = history.redo();
    display();
}

void EditTracker::loaded()
{
    if (!transmitterKnown)
        takeReference(TxParams);
    history.replaced(TxParams);
    ++stroke;
}

void EditTracker::resetApplied()
{
    history.replaced(TxParams);
    ++stroke;
}

void EditTracker::transferEnded(const TransmitterSession::Result &result, const QString &kind)
{
    using Outcome = TransmitterSession::Outcome;
    // Whatever came of it, the command's tooltip was just rewritten.
    dirty = true;
    if (result.job == TransmitterSession::Job::Read) {
        if (result.outcome != Outcome::Done)
            return refresh();
        transmitterKnown = true;
        takeReference(TxParams);
        history.replaced(TxParams);
        ++stroke;
        return;
    }
    // Only a write that was read back tells what the transmitter holds.
    const bool checked = kind == QLatin1String("write") || kind == QLatin1String("reset");
    if (!checked || (result.outcome != Outcome::Done && result.outcome != Outcome::NotTaken))
        return refresh();
    // What the frames carried, through each field's store rule (the alarm
    // voltage keeps its two units); a field read back differently is held
    // as read, so it stays marked.
    TxParamsRecord r = held;
    for (const params::Field &f : params::recordFields())
        if (protocol::carriedToTransmitter(f))
            f.set(r, f.number(result.written));
    for (const params::FieldChange &c : result.mismatches)
        c.field->set(r, c.after);
    params::selectDualRate(r);
    transmitterKnown = true;
    takeReference(r);
}

void EditTracker::takeReference(const TxParamsRecord &r)
{
    held = r;
    dirty = true;
    refresh();
}

void EditTracker::refresh()
{
    if (!dirty && TxParams == lastSeen)
        return;
    dirty = false;
    lastSeen = TxParams;
    // The boxes that show the selected channel's rates compare with what the
    // reference holds for that same selection.
    TxParamsRecord selected = held;
    selected.drChannel = TxParams.drChannel;
    selected.drPosition = TxParams.drPosition;
    params::selectDualRate(selected);

    if (watched.isEmpty()) {
        // Until the form first differs from the reference there is nothing to
        // mark or list, and no mark to take off. Which fields the frames carry
        // is found by running the encoders once, which neither start-up nor
        // the display refresh of an unedited form should wait for.
        if (TxParams == held && selected == held)
            return showTooltips(QVector<int>(tabs->count(), 0));
        for (const FormEditors::Placed &p : editors.placed())
            if (p.editor->store)
                watched.append({p.field, p.widget,
                                tabs->indexOf(tabs->findChild<QWidget *>(p.editor->tab)),
                                protocol::carriedToTransmitter(*p.field)});
    }
    QVector<int> perPage(tabs->count(), 0);
    for (const Watched &w : watched) {
        const TxParamsRecord &ref = w.carried ? held : selected;
        const bool differs = std::abs(w.field->number(TxParams) - w.field->number(ref)) > 1e-9;
        marks->setMarked(w.widget, differs);
        if (differs && w.page >= 0)
            ++perPage[w.page];
    }
    showTooltips(perPage);
}

void EditTracker::showTooltips(const QVector<int> &perPage)
{
    if (perPage != shownCounts) {
        for (int i = 0; i < perPage.size(); ++i)
            tabs->setTabToolTip(
                i, perPage[i] == 0
                       ? QString()
                       : text(QT_TRANSLATE_NOOP("EditTracker", "本页有 %1 项改动未写入（%2）"))
                             .arg(perPage[i])
                             .arg(undoHint()));
        shownCounts = perPage;
    }
    const QVector<params::FieldChange> changes = protocol::writeChanges(held, TxParams);
    QString block;
    if (!changes.isEmpty())
        block =
            '\n' + text(QT_TRANSLATE_NOOP("EditTracker", "写入将更改：")) + '\n' +
            params::changeLines(changes, params::ChangeStyle::Window, kListedChanges).join('\n') +
            '\n' + undoHint();
    QString tip = writeButton->toolTip();
    if (!writeBlock.isEmpty() && tip.endsWith(writeBlock))
        tip.chop(writeBlock.size());
    writeBlock = block;
    if (tip + block != writeButton->toolTip())
        writeButton->setToolTip(tip + block);
}
