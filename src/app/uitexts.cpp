#include "uitexts.h"

#include "windowrecords.h"

#include <QCoreApplication>
#include <QDir>

namespace uitexts
{
QString pick(const char *chinese, const char *english)
{
    return langFlag ? QString::fromUtf8(chinese) : QString::fromLatin1(english);
}

QString openCaption() { return QCoreApplication::translate("MainWindow", "打开串口"); }
QString closeCaption() { return QCoreApplication::translate("MainWindow", "关闭串口"); }
QString noteTitle() { return pick("提示", "Note"); }
QString portOpenErrorText() { return pick("无法打开串口！", "Cannot open the serial port!"); }
QString portClosedText() { return pick("无法打开串口！", "Please open the serial port!"); }
QString linkLostText() { return pick("串口已断开！", "The serial port was disconnected!"); }
QString errorTitle() { return pick("错误", "ERROR"); }
QString fileErrorText() { return pick("不能读取指定的文件!", "Cannot read the specified file!"); }
QString saveFailedText(const QString &path, const QString &reason)
{
    return pick("无法写入文件 %1：\n%2", "Could not write the file %1:\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}
QString saveDialogTitle() { return pick("保存数据", "SAVE"); }
QString saveDialogFilter()
{
    return pick("文本文件 (*.txt *.dat);;所有文件 (*.*)", "file (*.txt *.dat);;allfile (*.*)");
}
QString loadDialogTitle() { return pick("打开文件", "Open file"); }
QString loadDialogFilter()
{
    return pick("所有文件 (*.*);;文本文件 (*.txt *.dat)", "All file (*.*);;file (*.txt *.dat)");
}

QString portOpenErrorText(portlist::OpenFailure cause, const QString &holder)
{
    switch (cause) {
    case portlist::OpenFailure::Busy:
        if (!holder.isEmpty())
            return portOpenErrorText() +
                   pick("\n串口正被其他程序（%1）占用。\n请关闭该程序后重试。",
                        "\nAnother program (%1) is using the port.\n"
                        "Close that program and try again.")
                       .arg(holder);
        return portOpenErrorText() +
               pick("\n串口正被其他程序（例如 ModemManager）占用。\n请关闭该程序后重试。",
                    "\nAnother program (ModemManager, for example) is using the port.\n"
                    "Close that program and try again.");
    case portlist::OpenFailure::AccessDenied:
        return portOpenErrorText() +
               pick("\n没有打开该串口的权限。\n请把当前用户加入 dialout 组，然后重新登录。",
                    "\nYou may not open this port.\n"
                    "Add your user to the group dialout, then log in again.");
    case portlist::OpenFailure::Other:
        break;
    }
    return portOpenErrorText();
}
} // namespace uitexts
