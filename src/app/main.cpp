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
    parser.process(app);
    portlist::setPreferredPorts(parser.values(portOption));

    MainWindow window;
    window.show();
    return app.exec();
}
