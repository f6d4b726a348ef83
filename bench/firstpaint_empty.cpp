// The yardstick for start-up: an empty main window of the tool's size.
//
//   bench_firstpaint_empty [--label]
//
// With --label the window holds one line of bold Chinese text, as every
// caption of the tool is: the price of the CJK font alone.
#include "firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1100, 680);
    if (QCoreApplication::arguments().contains(QStringLiteral("--label"))) {
        auto *label = new QLabel(QStringLiteral("打开串口 读取 写入 保存"));
        label->setStyleSheet(QStringLiteral("font: bold 20px;"));
        window.setCentralWidget(label);
    }
    showAndReportFirstPaint(window);
}
