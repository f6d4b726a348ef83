#include "statefile.h"

#include "parameterfile.h"
#include "parameterreader.h"

namespace statefile
{

bool load(const QString &path, TxParamsRecord &p, QString *error)
{
    TxParamsRecord parsed = p;
    const files::ParameterReading read = files::readParameterFile(path, parsed);
    if (!read.complete()) {
        *error = files::readProblemText(read);
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
