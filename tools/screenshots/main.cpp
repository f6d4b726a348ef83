// Writes one PNG of the main window per tab, for the README. Runs offscreen:
//   txscreenshots [OUTPUT_DIR]     (default docs/screenshots)
#include "demoscene.h"
#include "formfonts.h"
#include "mainwindow.h"
#include "portlist.h"
#include "quietline.h"
#include "tabcapture.h"

#include <QApplication>
#include <QPushButton>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("txconfig");
    installFormFonts();
    const QStringList args = QApplication::arguments();
    const QString outputDir = args.size() > 1 ? args.at(1) : QString("docs/screenshots");

    // Both records are read by the first display refresh, so they are set
    // before the window exists.
    TxParams = screenshots::demoSettings();
    Telemetry = screenshots::demoTelemetry();

    screenshots::QuietLine line;
    if (line.isOpen())
        portlist::setPreferredPorts({line.portPath()});

    MainWindow window;
    window.show();
    if (line.isOpen())
        window.findChild<QPushButton *>("openButton")->click();

    // Three display refreshes and curve repaints per page.
    const QStringList files = screenshots::captureTabs(window, outputDir, 350);
    for (const QString &f : files)
        std::printf("%s\n", qPrintable(f));
    if (files.isEmpty()) {
        std::fprintf(stderr, "txscreenshots: could not write the screenshots to %s\n",
                     qPrintable(outputDir));
        return 1;
    }
    return 0;
}
