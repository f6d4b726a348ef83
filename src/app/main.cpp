#include "formfonts.h"
#include "highdpi.h"
#include "historyhooks.h"
#include "language.h"
#include "mainwindow.h"
#include "portlist.h"
#include "standardstreams.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

namespace
{
const QCommandLineOption
    portOption("port",
               "Offer serial port <path> first in the port list (repeatable), for example a "
               "pseudo-terminal of the virtual transmitter, which the system does not list.",
               "path");
const QCommandLineOption
    langOption("lang",
               "Language of the window: zh (Chinese, the default) or en (English). "
               "Without the option, the environment variable TXCONFIG_LANG decides.",
               "code");
const QCommandLineOption
    historyOption("history",
                  "Keep a copy of every complete read and of every write or reset in the "
                  "settings history that txctl lists and restores.");

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription("Configuration tool for an eight-channel RC transmitter.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(portOption);
    parser.addOption(historyOption);
    parser.addOption(langOption);
}

void setNames()
{
    QCoreApplication::setApplicationName("txconfig");
    QCoreApplication::setApplicationVersion(TXCONFIG_VERSION);
}

// --help and --version need no window system: they are answered before the
// GUI application connects to one (and fails without it).
void answerHelpAndVersion(int argc, char *argv[])
{
    QCoreApplication core(argc, argv);
    setNames();
    QCommandLineParser parser;
    describe(parser);
    // Qt's own options (-platform, -style) are unknown here; the GUI
    // application takes them out before the real parse.
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet("help"))
        parser.showHelp(); // exits
    if (parser.isSet("version"))
        parser.showVersion(); // exits
}
} // namespace

int main(int argc, char *argv[])
{
    if (!files::openMissingStandardStreams())
        return 1;
    answerHelpAndVersion(argc, argv);

    enableHighDpiScaling();
    QApplication app(argc, argv);
    setNames();
    QApplication::setDesktopFileName("io.github.txconfig.TxConfig");

    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    if (parser.isSet(historyOption))
        historyhooks::enable();
    portlist::setPreferredPorts(parser.values(portOption));
    installFormFonts();

    QString error;
    const QString lang =
        language::choose(parser.value(langOption), qEnvironmentVariable("TXCONFIG_LANG"), &error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "txconfig: %s\n", qPrintable(error));
        if (parser.isSet(langOption))
            return 1; // a mistyped option is an error, a stray environment is not
    }
    // Before the window: the form takes its texts once, when it is built.
    const QString missing = language::apply(lang);
    if (!missing.isEmpty())
        std::fprintf(stderr, "txconfig: %s\n", qPrintable(missing));

    MainWindow window;
    window.show();
    return app.exec();
}
