#include "textparser.h"

#include "frames.h"
#include "textlayout.h"

namespace protocol
{
namespace
{

// Positions are 64-bit: a start near INT_MAX, far beyond any text, must read
// as "beyond the text" rather than overflow on its way along the frame.
QChar charAt(const QString &text, qint64 pos)
{
    return pos >= 0 && pos < text.size() ? text.at(int(pos)) : QChar();
}

// -1 for anything that is not a hexadecimal digit.
int hexDigitValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

class LenientFieldReader
{
public:
    LenientFieldReader(const QString &text, qint64 start) : text(text), pos(start) {}

    void literal(char) { ++pos; }
    void digit(int &field) { field = nextDigit(); }
    void hex(int &field, int k)
    {
        const int high = hexDigitValue(charAt(text, pos));
        const int low = hexDigitValue(charAt(text, pos + 1));
        pos += 2;
        field = (high < 0 || low < 0 ? 0 : high * 16 + low) - k;
    }
    void threeDigits(int &field)
    {
        const int hundreds = nextDigit();
        const int tens = nextDigit();
        field = 100 * hundreds + 10 * tens + nextDigit();
    }

private:
    int nextDigit()
    {
        const int d = hexDigitValue(charAt(text, pos++));
        return d < 0 ? 0 : d;
    }

    const QString &text;
    qint64 pos;
};

class StrictFrameChecker
{
public:
    explicit StrictFrameChecker(const QString &frame) : frame(frame) {}

    void literal(char c) { accept(frame.at(pos) == QLatin1Char(c), 1); }
    void digit(int) { accept(isDecimal(frame.at(pos)), 1); }
    void hex(int, int) { accept(isUpperHex(frame.at(pos)) && isUpperHex(frame.at(pos + 1)), 2); }
    void threeDigits(int)
    {
        accept(isDecimal(frame.at(pos)) && isDecimal(frame.at(pos + 1)) &&
                   isDecimal(frame.at(pos + 2)),
               3);
    }

    bool wellFormed() const { return ok; }

private:
    static bool isDecimal(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
    static bool isUpperHex(QChar c)
    {
        return isDecimal(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    }
    void accept(bool fieldOk, int width)
    {
        ok = ok && fieldOk;
        pos += width;
    }

    const QString &frame;
    int pos = 0;
    bool ok = true;
};

// Walks a layout over a prototype record, so each field's offset is known.
class UnreadableFinder
{
public:
    UnreadableFinder(const QString &text, qint64 start, const TxParamsRecord &proto)
        : text(text), pos(start), proto(proto)
    {
    }

    void literal(char) { ++pos; }
    void digit(const int &field) { check(field, 1, false); }
    void hex(const int &field, int) { check(field, 2, true); }
    void threeDigits(const int &field) { check(field, 3, false); }

    QVector<UnreadableField> found;

private:
    void check(const int &field, int width, bool twoCharacter)
    {
        QString chars;
        bool readable = true;
        for (int i = 0; i < width; ++i) {
            const QChar c = charAt(text, pos + i);
            readable = readable && hexDigitValue(c) >= 0;
            if (!c.isNull())
                chars += c;
        }
        pos += width;
        if (!readable)
            found.append(
                {reinterpret_cast<const char *>(&field) - reinterpret_cast<const char *>(&proto),
                 chars, twoCharacter});
    }

    const QString &text;
    qint64 pos;
    const TxParamsRecord &proto;
};

} // namespace

QVector<UnreadableField> unreadableFields(const QString &text, int start, char letter)
{
    const TxParamsRecord proto;
    UnreadableFinder finder(text, start, proto);
    if (letter == 'S')
        visitSFrame(proto, finder);
    else if (letter == 'G')
        visitGFrame(proto, finder);
    else if (letter == 'H')
        visitHFrame(proto, finder);
    return finder.found;
}

void readSFrameFields(const QString &text, int start, TxParamsRecord &p)
{
    LenientFieldReader r(text, start);
    visitSFrame(p, r);
    p.alarmVolt = p.alarmVoltRaw / 10.0;
}

void readGFrameFields(const QString &text, int start, TxParamsRecord &p)
{
    LenientFieldReader r(text, start);
    visitGFrame(p, r);
}

void readHFrameFields(const QString &text, int start, TxParamsRecord &p)
{
    LenientFieldReader r(text, start);
    visitHFrame(p, r);
    p.extraWordScaled = p.extraWord / 10.0;
}

bool isWellFormedFrame(const QString &frame)
{
    if (frame.size() != textFrameLength)
        return false;
    const TxParamsRecord shape{}; // the checker looks at characters only
    StrictFrameChecker checker(frame);
    const QChar last = frame.at(textFrameLength - 1);
    switch (frame.at(0).unicode()) {
    case 'S':
        visitSFrame(shape, checker);
        return checker.wellFormed() && last == QLatin1Char('Y');
    case 'G':
        visitGFrame(shape, checker);
        return checker.wellFormed() && last == QLatin1Char('Z');
    case 'H':
        visitHFrame(shape, checker);
        return checker.wellFormed() && last == QLatin1Char('X');
    default:
        return false;
    }
}

} // namespace protocol
