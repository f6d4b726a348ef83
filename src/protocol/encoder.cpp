#include "encoder.h"

#include "frames.h"
#include "textlayout.h"

#include <QtGlobal>

namespace protocol
{
namespace
{

class FrameHeadWriter
{
public:
    void literal(char c) { head[length++] = c; }
    void digit(int field) { head[length++] = char('0' + qBound(0, field, 9)); }
    void hex(int field, int k)
    {
        static const char hexDigits[] = "0123456789ABCDEF";
        const int sum = qBound(16 - k, field, 255 - k) + k;
        head[length++] = hexDigits[sum >> 4];
        head[length++] = hexDigits[sum & 0xF];
    }
    void threeDigits(int field)
    {
        const int v = qBound(0, field, 999);
        head[length++] = char('0' + v / 100);
        head[length++] = char('0' + v / 10 % 10);
        head[length++] = char('0' + v % 10);
    }

    void replaceHeadOf(QString &buffer) const
    {
        buffer.replace(0, length, QLatin1String(head, length));
    }

private:
    char head[textFrameLength] = {};
    int length = 0;
};

} // namespace

void buildSFrame(const TxParamsRecord &p, QString &buffer)
{
    FrameHeadWriter w;
    visitSFrame(p, w);
    w.replaceHeadOf(buffer);
}

void buildGFrame(const TxParamsRecord &p, QString &buffer)
{
    FrameHeadWriter w;
    visitGFrame(p, w);
    w.replaceHeadOf(buffer);
}

void buildHFrame(const TxParamsRecord &p, QString &buffer)
{
    FrameHeadWriter w;
    visitHFrame(p, w);
    w.replaceHeadOf(buffer);
}

QStringList buildTextFrames(const TxParamsRecord &p)
{
    QString s = QString::fromLatin1(startupFrameTextS);
    QString g = QString::fromLatin1(startupFrameTextG);
    QString h = QString::fromLatin1(startupFrameTextH);
    buildSFrame(p, s);
    buildGFrame(p, g);
    buildHFrame(p, h);
    return {s, g, h};
}

} // namespace protocol
