#pragma once

#include "formeditors.h"
#include "transmittersession.h"
#include "txparams.h"
#include "undohistory.h"

#include <QObject>
#include <QString>
#include <functional>

class EditMarks;
class QAbstractButton;
class QTabWidget;

// What the user has changed against what the transmitter is known to hold,
// and the way back.
//
// The reference is the record of the last complete read, or of the last
// verified write or factory reset (with the fields the read-back found
// different put back as read, so they stay marked). Before any of these it
// is the record at start, then that of each file loaded: the marks then mean
// "changed since loaded".
//
// After every display run the editors that differ are marked, each page's
// tab tooltip counts its marked fields and Write's tooltip lists what it
// would change. Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y step through the form's
// records (UndoHistory); a step is one wheel step, one typed value, one
// combo change, one drag on a plot, a load, a read or a reset.
class EditTracker : public QObject
{
public:
    EditTracker(QWidget *window, const FormEditors &editors, std::function<void()> display);

    // The display refresh writes the editors: the changes they report meanwhile
    // are not the user's. refresh() runs at the end of every display run.
    struct Displaying {
        explicit Displaying(EditTracker &t) : tracker(t) { ++tracker.displayDepth; }
        ~Displaying() { --tracker.displayDepth; }
        EditTracker &tracker;
    };
    void refresh();

    void loaded();       // a file's settings are in the store
    void resetApplied(); // the factory values are in the store
    void transferEnded(const TransmitterSession::Result &result, const QString &kind);

    void undo();
    void redo();

    const TxParamsRecord &reference() const { return held; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void edited(bool wholeStep);
    void takeReference(const TxParamsRecord &r);
    void showTooltips(const QVector<int> &perPage);

    QWidget *window;
    const FormEditors &editors;
    std::function<void()> display;
    EditMarks *marks;
    QTabWidget *tabs;
    QAbstractButton *writeButton;
    QString writeBlock; // what refresh() last added to Write's tooltip
    QVector<int> shownCounts;
    struct Watched {
        const params::Field *field;
        QWidget *widget;
        int page; // tab index
        bool carried;
    };
    QVector<Watched> watched; // the editors that store, found at the first refresh

    TxParamsRecord held;           // the reference
    bool transmitterKnown = false; // held came from the transmitter
    UndoHistory history;
    quint64 stroke = 1;
    int displayDepth = 0;
    TxParamsRecord lastSeen{TxParamsRecord::Zeroed{}};
    bool dirty = true;
};
