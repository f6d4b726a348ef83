#include "filetexts.h"

#include "uitexts.h"

#include <QStringList>

namespace filetexts
{
namespace
{
using uitexts::pick;

QString nothingLoaded(const QString &why)
{
    return why + pick("\n没有加载任何设置，表单保留原值。",
                      "\nNothing was loaded; the form keeps its values.");
}

QString frameList(const files::LoadedFrames &frames, bool found)
{
    QStringList names;
    if (frames.s == found)
        names << QStringLiteral("S");
    if (frames.g == found)
        names << QStringLiteral("G");
    if (frames.h == found)
        names << QStringLiteral("H");
    return names.join(pick("、", " and "));
}
} // namespace

QString loadProblemText(const files::ParameterReading &r)
{
    using files::ReadProblem;
    switch (r.problem) {
    case ReadProblem::None:
    case ReadProblem::Unreadable:
        break;
    case ReadProblem::Empty:
        return nothingLoaded(pick("文件是空的。", "The file is empty."));
    case ReadProblem::TooLarge:
        return nothingLoaded(pick("文件太大（超过 %1 字节），参数文件只有 %2 个字符。",
                                  "The file is too large (over %1 bytes); a parameter file is "
                                  "%2 characters.")
                                 .arg(r.count)
                                 .arg(files::fileLength));
    case ReadProblem::Utf16:
        return nothingLoaded(pick("文件是 UTF-16 文本，参数文件是 %1 个 ASCII 字符。",
                                  "The file is UTF-16 text; a parameter file is %1 ASCII "
                                  "characters.")
                                 .arg(files::fileLength));
    case ReadProblem::NulByte:
    case ReadProblem::ControlByte:
        return nothingLoaded(pick("文件不是文本文件（第 %1 字节是控制字符 0x%2）。",
                                  "The file is not text (byte %1 is the control character "
                                  "0x%2).")
                                 .arg(r.position)
                                 .arg(r.byte, 2, 16, QLatin1Char('0')));
    case ReadProblem::TooShort:
        return nothingLoaded(pick("文件只有 %1 个字符，参数文件是 %2 个字符。",
                                  "The file has only %1 characters; a parameter file is %2.")
                                 .arg(r.count)
                                 .arg(files::fileLength));
    case ReadProblem::TextAfterH:
        return nothingLoaded(pick("H 帧之后还有 %1 个字符（从第 %2 个字符起），"
                                  "一个参数文件只有 %3 个字符。",
                                  "There are %1 more characters after the H frame (from "
                                  "character %2 on); one parameter file is %3 characters.")
                                 .arg(r.count)
                                 .arg(r.position)
                                 .arg(files::fileLength));
    case ReadProblem::FramesMissing:
        if (r.nothingRead())
            return nothingLoaded(pick("文件中没有找到 S、G、H 帧（标记不在应有的位置）。",
                                      "The S, G and H frames were not found (their markers "
                                      "are not in place)."));
        return pick("文件中没有找到 %1 帧（标记不在应有的位置），表单保留这些设置的原值。\n"
                    "已加载 %2 帧。",
                    "The %1 frame(s) were not found (their markers are not in place); the "
                    "form keeps its values for them.\nLoaded: the %2 frame(s).")
            .arg(frameList(r.frames, false), frameList(r.frames, true));
    }
    return QString();
}

QString saveRefusalText(files::OutputTarget::Refusal refusal)
{
    using Refusal = files::OutputTarget::Refusal;
    if (refusal == Refusal::Folder)
        return pick("这是一个文件夹。", "It is a folder.");
    return pick("这是设备或管道，不是普通文件；参数只保存到文件。",
                "It is a device or a pipe, not a regular file; settings are saved to files "
                "only.");
}
} // namespace filetexts
