#include "formfonts.h"
#include "historyhooks.h"
#include "mainwindow.h"
#include "portlist.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("txconfig");
    QApplication::setApplicationVersion(TXCONFIG_VERSION);
    QApplication::setDesktopFileName("io.github.txconfig.TxConfig");

    QCommandLineParser parser;
    parser.setApplicationDescription("Configuration tool for an eight-channel RC transmitter.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(
        "port",
        "Offer serial port <path> first in the port list (repeatable), for example a "
        "pseudo-terminal of the virtual transmitter, which the system does not list.",
        "path");
    parser.addOption(portOption);
    const QCommandLineOption historyOption(
        "history", "Keep a copy of every complete read and of every write or reset in the "
                   "settings history that txctl lists and restores.");
    parser.addOption(historyOption);
    parser.process(app);
    if (parser.isSet(historyOption))
        historyhooks::enable();
    portlist::setPreferredPorts(parser.values(portOption));
    installFormFonts();

    MainWindow window;
    window.show();
    return app.exec();
}
