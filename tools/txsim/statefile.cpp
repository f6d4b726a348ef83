#include "statefile.h"

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
    return files::writeParameterFile(path, files::parameterFileContent(p), error);
}

} // namespace statefile
