#include "parameterreader.h"

#include "txparams.h"

#include <QFile>
#include <QStringList>

#include <cstdio>

namespace files
{
namespace
{

// Reads until the end or one byte past the limit, whichever comes first: a
// pipe or a terminal delivers in pieces, and a single read would cut a file
// short that a regular file gives whole.
bool readUpToLimit(QFile &in, QByteArray *bytes, QString *error)
{
    char chunk[8192];
    while (bytes->size() <= maxFileBytes) {
        const qint64 n =
            in.read(chunk, qMin<qint64>(sizeof chunk, maxFileBytes + 1 - bytes->size()));
        if (n < 0) {
            *error = in.errorString();
            return false;
        }
        if (n == 0)
            break;
        bytes->append(chunk, int(n));
    }
    return true;
}

// TAB, LF and CR are what text files hold besides printable characters; any
// other control byte means the file is binary data.
bool isControlByte(unsigned char c)
{
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7f;
}

int lineBreakAt(const QByteArray &b, int pos)
{
    if (pos < b.size() && b.at(pos) == '\r')
        return pos + 1 < b.size() && b.at(pos + 1) == '\n' ? 2 : 1;
    return pos < b.size() && b.at(pos) == '\n' ? 1 : 0;
}

} // namespace

ParameterReading readParameterFile(const QString &path, TxParamsRecord &p)
{
    QFile in;
    bool opened;
    if (path == QLatin1String("-")) {
        opened = in.open(stdin, QIODevice::ReadOnly);
    } else {
        in.setFileName(path);
        opened = in.open(QIODevice::ReadOnly);
    }
    ParameterReading r;
    QByteArray bytes;
    if (!opened || !readUpToLimit(in, &bytes, &r.reason)) {
        r.problem = ReadProblem::Unreadable;
        if (r.reason.isEmpty())
            r.reason = in.errorString();
        return r;
    }
    return readParameterBytes(bytes, p);
}

ParameterReading readParameterBytes(const QByteArray &bytes, TxParamsRecord &p)
{
    ParameterReading r;
    const auto refuse = [&r](ReadProblem problem, qint64 position = 0, qint64 count = 0) {
        r.problem = problem;
        r.position = position;
        r.count = count;
        return r;
    };
    if (bytes.isEmpty())
        return refuse(ReadProblem::Empty);
    if (bytes.size() > maxFileBytes)
        return refuse(ReadProblem::TooLarge, 0, maxFileBytes);
    r.raw = QString::fromLatin1(bytes.constData(), int(bytes.size()));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return refuse(ReadProblem::Utf16);
    for (int i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes.at(i));
        if (c == 0)
            return refuse(ReadProblem::NulByte, i + 1);
        if (isControlByte(c)) {
            r.byte = c;
            return refuse(ReadProblem::ControlByte, i + 1);
        }
    }

    int pos = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    QByteArray frames;
    for (int i = 0; i < 3; ++i) {
        frames += bytes.mid(pos, frameLength);
        pos = qMin(pos + frameLength, int(bytes.size()));
        if (i < 2)
            pos += lineBreakAt(bytes, pos);
    }
    r.text = QString::fromLatin1(frames);
    int end = int(bytes.size());
    while (end > pos && (bytes.at(end - 1) == '\n' || bytes.at(end - 1) == '\r'))
        --end;

    if (r.text.size() < 2 * frameLength)
        return refuse(ReadProblem::TooShort, 0, r.text.size());
    TxParamsRecord read = p;
    r.frames = parseParameterText(r.text, read);
    if (!(r.frames.s && r.frames.g && r.frames.h)) {
        p = read;
        return refuse(ReadProblem::FramesMissing);
    }
    if (end > pos) {
        r.frames = LoadedFrames{};
        return refuse(ReadProblem::TextAfterH, pos + 1, end - pos);
    }
    p = read;
    return r;
}

QString readProblemText(const ParameterReading &r)
{
    switch (r.problem) {
    case ReadProblem::None:
        break;
    case ReadProblem::Unreadable:
        return r.reason;
    case ReadProblem::Empty:
        return QStringLiteral("the file is empty");
    case ReadProblem::TooLarge:
        return QStringLiteral("larger than %1 bytes; a parameter file is %2 characters")
            .arg(r.count)
            .arg(fileLength);
    case ReadProblem::Utf16:
        return QStringLiteral("UTF-16 text; a parameter file is %1 ASCII characters")
            .arg(fileLength);
    case ReadProblem::NulByte:
        return QStringLiteral("a NUL byte at byte %1: not a text file").arg(r.position);
    case ReadProblem::ControlByte:
        return QStringLiteral("control byte 0x%1 at byte %2: not a text file")
            .arg(r.byte, 2, 16, QLatin1Char('0'))
            .arg(r.position);
    case ReadProblem::TooShort:
        return QStringLiteral("not a parameter file: %1 character(s), where the S, G and H "
                              "frames take %2")
            .arg(r.count)
            .arg(fileLength);
    case ReadProblem::FramesMissing: {
        QStringList missing;
        if (!r.frames.s)
            missing << QStringLiteral("S");
        if (!r.frames.g)
            missing << QStringLiteral("G");
        if (!r.frames.h)
            missing << QStringLiteral("H");
        return QStringLiteral("not a parameter file (%1 frame missing or out of place)")
            .arg(missing.join(QStringLiteral(", ")));
    }
    case ReadProblem::TextAfterH:
        return QStringLiteral("%1 more character(s) after the H frame, from character %2 on; "
                              "one parameter file is %3 characters")
            .arg(r.count)
            .arg(r.position)
            .arg(fileLength);
    }
    return QString();
}

} // namespace files
