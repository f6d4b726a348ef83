#include "transfergate.h"

#include <QAbstractButton>

TransferGate::TransferGate(const QVector<QAbstractButton *> &commands, QObject *parent)
    : QObject(parent), commands(commands)
{
}

TransferGate::Flow::Flow(TransferGate &gate, QAbstractButton *clicked)
    : gate(gate), admitted(!gate.busy())
{
    if (!admitted)
        return;
    gate.running = true;
    for (QAbstractButton *button : gate.commands) {
        if (button != clicked && button->isEnabled()) {
            button->setEnabled(false);
            gate.disabledByGate.append(button);
        }
    }
}

TransferGate::Flow::~Flow()
{
    if (admitted)
        gate.end();
}

void TransferGate::end()
{
    running = false;
    for (QAbstractButton *button : disabledByGate)
        button->setEnabled(true);
    disabledByGate.clear();
}
