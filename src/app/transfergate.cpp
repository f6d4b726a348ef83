#include "transfergate.h"

#include <QAbstractButton>

TransferGate::TransferGate(const QVector<QAbstractButton *> &commands, QObject *parent)
    : QObject(parent), commands(commands)
{
    replyQuiet.setSingleShot(true);
    replyQuiet.setInterval(replyQuietMs);
    connect(&replyQuiet, &QTimer::timeout, this, &TransferGate::endReply);
}

TransferGate::Flow::Flow(TransferGate &gate, QAbstractButton *clicked)
    : gate(gate), admitted(!gate.busy())
{
    if (admitted)
        gate.close(clicked);
}

TransferGate::Flow::~Flow()
{
    if (!admitted)
        return;
    --gate.flows;
    gate.reopenIfIdle();
}

void TransferGate::close(QAbstractButton *clicked)
{
    ++flows;
    for (QAbstractButton *button : commands) {
        if (button != clicked && button->isEnabled()) {
            button->setEnabled(false);
            disabledByGate.append(button);
        }
    }
}

void TransferGate::reopenIfIdle()
{
    if (busy())
        return;
    for (QAbstractButton *button : disabledByGate)
        button->setEnabled(true);
    disabledByGate.clear();
}

void TransferGate::expectReply()
{
    awaitingReply = true;
    replySeen.clear();
    replyClock.start();
    replyQuiet.start();
}

void TransferGate::replyFrameDecoded(int frameNumber)
{
    if (!awaitingReply || frameNumber == 0)
        return;
    replySeen.insert(frameNumber);
    if (replySeen.size() >= replyFrames || replyClock.elapsed() >= replyLimitMs)
        endReply();
    else
        replyQuiet.start();
}

void TransferGate::linkClosed()
{
    if (awaitingReply)
        endReply();
}

void TransferGate::endReply()
{
    replyQuiet.stop();
    awaitingReply = false;
    reopenIfIdle();
}
