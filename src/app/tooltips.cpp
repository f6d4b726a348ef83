#include "tooltips.h"

#include "keyboardnavigation.h"

#include <QAbstractButton>
#include <QCoreApplication>

namespace tooltips
{
namespace
{

// What each command does, by button.
const struct {
    const char *button;
    const char *text;
} commandTexts[] = {
    {"toolButton_Read", QT_TRANSLATE_NOOP("Tooltips", "从遥控器读取全部设置")},
    {"toolButton_Load", QT_TRANSLATE_NOOP("Tooltips", "从文件加载设置")},
    {"toolButton_Send", QT_TRANSLATE_NOOP("Tooltips", "把全部设置写入遥控器")},
    {"toolButton_Save", QT_TRANSLATE_NOOP("Tooltips", "把设置保存到文件")},
    {"toolButton_Reset", QT_TRANSLATE_NOOP("Tooltips", "恢复出厂设置并写入遥控器")},
    {"openButton", QT_TRANSLATE_NOOP("Tooltips", "打开或关闭所选串口")},
};

QString commandText(const char *button)
{
    for (const auto &entry : commandTexts)
        if (qstrcmp(entry.button, button) == 0)
            return QCoreApplication::translate("Tooltips", entry.text);
    return QString();
}

void describeCommands(QWidget *window)
{
    for (const keyboardnavigation::Command &command : keyboardnavigation::commands()) {
        auto *button = window->findChild<QAbstractButton *>(command.button);
        button->setToolTip(QStringLiteral("%1 (%2)").arg(
            commandText(command.button), command.keys.toString(QKeySequence::NativeText)));
    }
}

} // namespace

void install(QWidget *window) { describeCommands(window); }

} // namespace tooltips
