#pragma once

#include "txparams.h"

#include <QtGlobal>

#include <vector>

// The form's settings, step by step, for undo and redo. A step is a whole
// record: undoing puts back every field as it was, whatever changed it (an
// edit, a load, a read, a factory reset). Nothing here sends anything.
class UndoHistory
{
public:
    explicit UndoHistory(const TxParamsRecord &start);

    // The form was edited. An edit of the same `stroke` as the step before
    // (the keys of one typed value, the moves of one drag) joins that step.
    void edited(const TxParamsRecord &now, quint64 stroke);
    // A load, a completed read or a factory reset: always a step of its own.
    void replaced(const TxParamsRecord &now);

    bool canUndo() const { return at > 0; }
    bool canRedo() const { return at + 1 < int(states.size()); }
    // The record to show after stepping back or forward; call only when
    // canUndo() / canRedo().
    const TxParamsRecord &undo();
    const TxParamsRecord &redo();

    // Steps kept; the oldest go first.
    static constexpr int kept = 200;

private:
    void push(const TxParamsRecord &now);

    std::vector<TxParamsRecord> states; // states[at] is what the form holds
    int at = 0;
    quint64 lastStroke = 0;
    bool strokeOpen = false; // the newest step may still take edits
};
