#include "uitexts.h"

int langFlag = 1;

namespace uitexts {
namespace {
QString pick(const char *chinese, const char *english)
{
    return langFlag ? QString::fromUtf8(chinese) : QString::fromLatin1(english);
}
} // namespace

QString openCaption() { return pick("打开串口", "OPEN"); }
QString closeCaption() { return pick("关闭串口", "CLOSE"); }
QString noteTitle() { return pick("提示", "Note"); }
QString portOpenErrorText() { return pick("无法打开串口！", "Cannot open the serial port!"); }
QString portClosedText() { return pick("无法打开串口！", "Please open the serial port!"); }
} // namespace uitexts
