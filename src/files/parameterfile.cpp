#include "parameterfile.h"

#include "encoder.h"
#include "frames.h"
#include "textparser.h"

#include <QSaveFile>

namespace files
{

namespace
{
bool framePresent(const QString &text, int start, QChar first, QChar last)
{
    return text.at(start) == first && text.at(start + frameLength - 1) == last;
}
} // namespace

LoadedFrames parseParameterText(const QString &text, TxParamsRecord &p)
{
    LoadedFrames loaded;
    if (text.size() > 2 * frameLength - 1) {
        if (framePresent(text, 0, 'S', 'Y')) {
            loaded.s = true;
            protocol::readSFrameFields(text, 0, p);
        }
        if (framePresent(text, frameLength, 'G', 'Z')) {
            loaded.g = true;
            protocol::readGFrameFields(text, frameLength, p);
        }
    }
    if (text.size() > fileLength - 1 && framePresent(text, 2 * frameLength, 'H', 'X')) {
        loaded.h = true;
        protocol::readHFrameFields(text, 2 * frameLength, p);
    }
    return loaded;
}

QByteArray parameterFileContent(const QString &s, const QString &g, const QString &h)
{
    return s.toLatin1() + g.toLatin1() + h.toLatin1();
}

QByteArray parameterFileContent(const TxParamsRecord &p)
{
    const QStringList frames = protocol::buildTextFrames(p);
    return parameterFileContent(frames[0], frames[1], frames[2]);
}

QVector<protocol::UnreadableField> unreadableFields(const QString &text)
{
    QVector<protocol::UnreadableField> all;
    const char letters[] = {'S', 'G', 'H'};
    for (int i = 0; i < 3; ++i)
        all += protocol::unreadableFields(text, i * frameLength, letters[i]);
    return all;
}

bool writeParameterFile(const QString &path, const QByteArray &content, QString *error)
{
    QSaveFile file(path);
    // The explicit flush matters: commit() flushes the write buffer too but
    // ignores a failure there, and would put a cut-short file in place.
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.flush() || !file.commit()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace files
