#include "transfertexts.h"

#include "carriedfields.h"
#include "fieldcatalogue.h"
#include "uitexts.h"

#include <QStringList>

namespace transfertexts
{
namespace
{

using Outcome = TransmitterSession::Outcome;

using uitexts::pick;

// One line per name, the list cut short past a screenful.
QString listed(const QStringList &names)
{
    constexpr int shown = 12;
    QStringList lines = names.mid(0, shown);
    if (names.size() > shown)
        lines << pick("……另有 %1 项", "... and %1 more").arg(names.size() - shown);
    return lines.join(QLatin1Char('\n'));
}

// The settings the missing reply frames would have brought.
QStringList notReceived(const QVector<int> &missingFrames)
{
    QStringList names;
    for (const params::Field &f : params::fieldCatalogue()) {
        if (missingFrames.contains(protocol::replyFrameOf(f)))
            names << f.shownLabel();
    }
    return names;
}

QString readFailure(const ReadResult &read, Outcome outcome, bool portRefused)
{
    if (portRefused)
        return pick("读取请求无法发出：串口不接收数据。",
                    "The read request could not be sent: the port takes no bytes.");
    if (outcome == Outcome::NoAnswer)
        return pick("遥控器没有应答。", "The transmitter did not answer.");
    if (outcome == Outcome::Incomplete)
        return pick("读取不完整。以下设置没有收到，保留原值：\n%1",
                    "The read is incomplete. These settings were not received and keep "
                    "their values:\n%1")
            .arg(listed(notReceived(read.missing)));
    return pick("读取被中断，设置没有全部收到。",
                "The read was cut short: not every setting was received.");
}

// "S, G sent; H not sent", in frame order.
QString writeState(const TransmitterSession::Result &r)
{
    static const char *const frameNames[] = {"S", "G", "H"};
    QStringList sent, maybe, notSent;
    for (int i = 0; i < 3; ++i) {
        QStringList &into =
            i < r.framesSent ? sent : (i == r.framesSent && r.frameBegun ? maybe : notSent);
        into << QLatin1String(frameNames[i]);
    }
    const QString sep = pick("、", ", ");
    QStringList parts;
    if (!sent.isEmpty())
        parts << pick("%1 已发送", "%1 sent").arg(sent.join(sep));
    if (!maybe.isEmpty())
        parts << pick("%1 可能已发送", "%1 maybe sent").arg(maybe.join(sep));
    if (!notSent.isEmpty())
        parts << pick("%1 未发送", "%1 not sent").arg(notSent.join(sep));
    return parts.join(pick("，", "; "));
}

QString writeFailure(const TransmitterSession::Result &r)
{
    if (r.outcome == Outcome::NotTaken) {
        QStringList names;
        for (const params::FieldChange &c : r.mismatches)
            names << QStringLiteral("%1 (%2 → %3)")
                         .arg(c.field->shownLabel(), c.field->shownText(c.before),
                              c.field->shownText(c.after));
        return pick("写入后读回的设置与写入的不同，以下设置没有生效：\n%1",
                    "These settings did not take: they read back differently after the "
                    "write:\n%1")
            .arg(listed(names));
    }
    if (r.checking)
        return pick("设置已发送，但无法读回核对：\n%1",
                    "The settings were sent but could not be read back to check them:\n%1")
            .arg(readFailure(r.read, r.outcome, r.portRefused));
    return pick("写入被中断（%1）。遥控器可能只保存了部分新设置，请重新写入。",
                "The write was cut short (%1). The transmitter may hold part of the new "
                "settings: write them again.")
        .arg(writeState(r));
}

} // namespace

QString failureText(const TransmitterSession::Result &result)
{
    if (result.outcome == Outcome::Done)
        return {};
    return result.job == TransmitterSession::Job::Write
               ? writeFailure(result)
               : readFailure(result.read, result.outcome, result.portRefused);
}

QString lastResult(const TransmitterSession::Result &result, bool checked, const QTime &at)
{
    const bool write = result.job == TransmitterSession::Job::Write;
    QString what;
    if (result.outcome == Outcome::Done)
        what = !write    ? pick("读取完整", "read complete")
               : checked ? pick("已写入并核对", "written and checked")
                         : pick("已发送", "sent");
    else if (result.outcome == Outcome::NotTaken)
        what = pick("有设置没有生效", "some settings did not take");
    else if (write && result.checking) // the frames went out, the read-back failed
        what = pick("已发送，未能核对", "sent, not checked");
    else if (result.outcome == Outcome::Incomplete)
        what = pick("读取不完整", "read incomplete");
    else if (result.outcome == Outcome::NoAnswer)
        what = pick("遥控器没有应答", "no answer");
    else
        what = pick("被中断", "cut short");
    return pick("上次（%1）：%2", "Last (%1): %2")
        .arg(at.toString(QStringLiteral("HH:mm:ss")), what);
}

} // namespace transfertexts
