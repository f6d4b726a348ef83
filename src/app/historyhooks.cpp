#include "historyhooks.h"

#include "history.h"
#include "parameterfile.h"
#include "txparams.h"
#include "windowrecords.h"

#include <QDebug>
#include <QSet>

namespace historyhooks
{
namespace
{

constexpr int framesOfARead = 19;

bool enabled = false;
QSet<int> framesSinceRequest;

void keep(const QByteArray &content, const QString &kind)
{
    QString error;
    if (!files::history::record(content, kind, nullptr, &error))
        qWarning("history: %s", qUtf8Printable(error));
}

} // namespace

void enable() { enabled = true; }

void readRequested() { framesSinceRequest.clear(); }

void frameDecoded(int frameNumber)
{
    if (!enabled || frameNumber == 0)
        return;
    framesSinceRequest.insert(frameNumber);
    if (framesSinceRequest.size() < framesOfARead)
        return;
    framesSinceRequest.clear();
    keep(files::parameterFileContent(TxParams), QStringLiteral("read"));
}

void settingsSent(const QString &kind)
{
    if (enabled)
        keep(files::parameterFileContent(frameTextS, frameTextG, frameTextH), kind);
}

} // namespace historyhooks
