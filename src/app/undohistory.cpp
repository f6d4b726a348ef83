#include "undohistory.h"

UndoHistory::UndoHistory(const TxParamsRecord &start) { states.push_back(start); }

void UndoHistory::edited(const TxParamsRecord &now, quint64 stroke)
{
    if (now == states.at(at))
        return;
    if (strokeOpen && stroke == lastStroke && at + 1 == int(states.size()) && at > 0) {
        states[at] = now;
        return;
    }
    push(now);
    lastStroke = stroke;
    strokeOpen = true;
}

void UndoHistory::replaced(const TxParamsRecord &now)
{
    strokeOpen = false;
    if (now != states.at(at))
        push(now);
}

const TxParamsRecord &UndoHistory::undo()
{
    strokeOpen = false;
    return states.at(--at);
}

const TxParamsRecord &UndoHistory::redo()
{
    strokeOpen = false;
    return states.at(++at);
}

void UndoHistory::push(const TxParamsRecord &now)
{
    states.erase(states.begin() + at + 1, states.end());
    states.push_back(now);
    if (int(states.size()) > kept)
        states.erase(states.begin());
    at = int(states.size()) - 1;
}
