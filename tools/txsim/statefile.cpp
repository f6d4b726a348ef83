#include "statefile.h"

#include "encoder.h"
#include "frames.h"
#include "parameterfile.h"

namespace statefile
{

bool load(const QString &path, TxParamsRecord &p, QString *error)
{
    QString text;
    if (!files::readParameterFile(path, &text, error))
        return false;
    TxParamsRecord parsed = p;
    const files::LoadedFrames loaded = files::parseParameterText(text, parsed);
    if (!(loaded.s && loaded.g && loaded.h)) {
        *error = QStringLiteral("not a parameter file (S, G and H frames of 81 characters "
                                "back to back expected)");
        return false;
    }
    p = parsed;
    return true;
}

bool save(const QString &path, const TxParamsRecord &p, QString *error)
{
    QString s = QString::fromLatin1(protocol::startupFrameTextS);
    QString g = QString::fromLatin1(protocol::startupFrameTextG);
    QString h = QString::fromLatin1(protocol::startupFrameTextH);
    protocol::buildSFrame(p, s);
    protocol::buildGFrame(p, g);
    protocol::buildHFrame(p, h);
    return files::writeParameterFile(path, files::parameterFileContent(s, g, h), error);
}

} // namespace statefile
