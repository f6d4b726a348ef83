#include "historyhooks.h"

#include "history.h"
#include "parameterfile.h"
#include "txparams.h"
#include "windowrecords.h"

#include <QDebug>

namespace historyhooks
{
namespace
{

bool enabled = false;

void keep(const QByteArray &content, const QString &kind)
{
    QString error;
    if (!files::history::record(content, kind, nullptr, &error))
        qWarning("history: %s", qUtf8Printable(error));
}

} // namespace

void enable() { enabled = true; }

void readCompleted()
{
    if (enabled)
        keep(files::parameterFileContent(TxParams), QStringLiteral("read"));
}

void settingsSent(const QString &kind)
{
    if (enabled)
        keep(files::parameterFileContent(frameTextS, frameTextG, frameTextH), kind);
}

} // namespace historyhooks
