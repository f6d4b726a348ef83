// Writes one PNG of the main window per tab, for the README, and one of the
// basic menu with edited fields marked and Write's tooltip listing them
// (edits.png). Runs offscreen:
//   txscreenshots [--lang zh|en] [--focus OBJECT] [OUTPUT_DIR]
// (default docs/screenshots). --focus gives keyboard focus to a control of the
// form, to show how focus looks; its page is the picture to look at.
// QT_SCALE_FACTOR=2 draws the pictures as a screen of twice the density shows
// the window.
#include "demoscene.h"
#include "editscene.h"
#include "formfonts.h"
#include "highdpi.h"
#include "language.h"
#include "mainwindow.h"
#include "portlist.h"
#include "quietline.h"
#include "tabcapture.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPushButton>
#include <cstdio>

int main(int argc, char *argv[])
{
    enableHighDpiScaling();
    // The pictures show the window at its own size (times QT_SCALE_FACTOR)
    // as on a plain 96 dpi screen, not at the offscreen screen's 100 dpi.
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    QApplication::setApplicationName("txconfig");
    installFormFonts();
    QCommandLineParser parser;
    const QCommandLineOption langOption("lang", "Language of the window: zh or en.", "code");
    parser.addOption(langOption);
    const QCommandLineOption focusOption("focus", "Give keyboard focus to <object>.", "object");
    parser.addOption(focusOption);
    parser.addPositionalArgument("dir", "Where the pictures go.");
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    const QString outputDir = args.isEmpty() ? QString("docs/screenshots") : args.first();

    QString error;
    const QString lang = language::choose(parser.value(langOption), {}, &error);
    if (error.isEmpty())
        error = language::apply(lang);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "txscreenshots: %s\n", qPrintable(error));
        return 1;
    }

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

    if (auto *focused = window.findChild<QWidget *>(parser.value(focusOption))) {
        QApplication::setActiveWindow(&window);
        focused->setFocus(Qt::TabFocusReason);
    }

    // Three display refreshes and curve repaints per page.
    QStringList files = screenshots::captureTabs(window, outputDir, 350);
    // Last, as it edits the form: marks and Write's list of changes.
    const QString edits =
        files.isEmpty() ? QString() : screenshots::captureEdits(window, outputDir, 350);
    if (!edits.isEmpty())
        files << edits;
    for (const QString &f : files)
        std::printf("%s\n", qPrintable(f));
    if (edits.isEmpty()) {
        std::fprintf(stderr, "txscreenshots: could not write the screenshots to %s\n",
                     qPrintable(outputDir));
        return 1;
    }
    return 0;
}
