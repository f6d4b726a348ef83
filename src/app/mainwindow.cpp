#include "mainwindow.h"

#include "closedeferral.h"
#include "edittracker.h"
#include "encoder.h"
#include "firstshow.h"
#include "focusframe.h"
#include "formeditors.h"
#include "formtexts.h"
#include "frames.h"
#include "historyhooks.h"
#include "keyboardnavigation.h"
#include "popupopening.h"
#include "popuprows.h"
#include "portaccess.h"
#include "portlist.h"
#include "qtcompat.h"
#include "serialsetup.h"
#include "spinarrows.h"
#include "telemetry.h"
#include "tooltips.h"
#include "transfergate.h"
#include "transfertexts.h"
#include "txparams.h"
#include "ui_mainwindow.h"
#include "uitexts.h"
#include "validation.h"
#include "waitms.h"
#include "wheelguard.h"

#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

static void registerResources()
{
    // The resources live in a static library; referencing them here keeps the
    // linker from dropping them. Register once even with several windows.
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    registerResources();
    spinarrows::install(); // before the form, which then is styled once
    ui->setupUi(this);
    formEditors = std::make_unique<FormEditors>(this, this);
    edits = new EditTracker(this, *formEditors, [this] { ui_Display(); });
    qtcompat::keepQt5TextHeights(this);
    popuprows::install(this);
    wheelguard::install(this);
    focusframe::install(this);
    keyboardnavigation::install(this);
    tooltips::install(this);
    // The form gives the first page its title outside its translated texts.
    ui->tabWidget->setTabText(0, tr("舵量显示"));
    formtexts::apply(this);

    connect(&serial, &QSerialPort::readyRead, this, &MainWindow::serialPort_readyRead);
    session = new TransmitterSession(serial, TransmitterSession::Ack::PerDelivery, this);
    connect(session, &TransmitterSession::liveFrame, this, &MainWindow::liveFrameArrived);
    connect(session, &TransmitterSession::replyFrame, this, &MainWindow::replyFrameArrived);
    connect(session, &TransmitterSession::framesHandled, this, [this] {
        params::settle(
            TxParams, [this] { Dr_DataSelet(); }, [this] { FalseSaveData(); });
    });
    connect(session, &TransmitterSession::finished, this, &MainWindow::transferFinished);
    // Once the frames are out, a close of the port or the window waits no
    // longer; the check that follows is given up (and said to be).
    connect(session, &TransmitterSession::framesSent, this, [this] { endWriting(); });

    // An unplugged adapter shows up as a resource error, or (pseudo-terminals,
    // some adapters) as a flood of read errors while the port stays open.
    connect(&serial, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if ((e == QSerialPort::ResourceError || e == QSerialPort::ReadError) && serial.isOpen() &&
            !linkLostPending) {
            linkLostPending = true;
            // Leave the port's own signal handling before closing it.
            QMetaObject::invokeMethod(
                this, [this] { linkLost(); }, Qt::QueuedConnection);
        }
    });

    fillPortList();
    // An adapter plugged in since shows up when the list is next opened.
    new PopupOpening(ui->portNameBox, [this] {
        if (ui->openButton->text() == uitexts::openCaption())
            refreshPortList();
    });
    ui->tabWidget->setCurrentIndex(0);
    onFirstShow(ui->tabWidget, [](QWidget *page) {
        keyboardnavigation::orderPage(page);
        tooltips::describePage(page);
    });
    transferGate = new TransferGate({ui->toolButton_Read, ui->toolButton_Load, ui->toolButton_Send,
                                     ui->toolButton_Save, ui->toolButton_Reset},
                                    this);
    // The last frame of a write must not be dropped with the port when the
    // program ends right after it. Meanwhile the window shows that it is
    // closing: nothing in it can be started any more.
    closeDeferral = new CloseDeferral(
        this, [this] { centralWidget()->setEnabled(false); },
        [this] {
            session->abort(uitexts::closeCaption());
            if (serial.isOpen())
                serial.flush();
        });

    displayTimer = new QTimer(this);
    displayTimer->start(100);
    connect(displayTimer, SIGNAL(timeout()), this, SLOT(ui_Display()));
}

MainWindow::~MainWindow() { delete ui; }

// The ports as the system reports them now, the first one current. The box
// has no slot of its own, so refilling it starts nothing.
void MainWindow::fillPortList()
{
    QComboBox *box = ui->portNameBox;
    box->clear();
    for (const portlist::Entry &port : portlist::availablePorts()) {
        box->addItem(port.name);
        if (!port.toolTip.isEmpty())
            box->setItemData(box->count() - 1, port.toolTip, Qt::ToolTipRole);
    }
}

// As fillPortList, but the chosen port stays chosen while it is still there.
void MainWindow::refreshPortList()
{
    const QString chosen = ui->portNameBox->currentText();
    fillPortList();
    ui->portNameBox->setCurrentIndex(qMax(0, ui->portNameBox->findText(chosen)));
}

// A closed port takes no bytes; skip the write rather than have Qt complain.
void MainWindow::writeToPort(const QByteArray &bytes)
{
    if (serial.isOpen())
        serial.write(bytes);
}

void MainWindow::on_openButton_clicked()
{
    if (ui->openButton->text() == uitexts::openCaption()) {
        // The device's own name, as txctl takes it, so that a link and the
        // device lock alike; a live lock is respected before the serial port
        // looks at it (root is not kept out by the exclusive open).
        const QString device = portlist::resolveDevice(ui->portNameBox->currentText());
        QString holder = portlist::lockHolder(device);
        serial.setPortName(device);
        configureTransmitterLine(serial);
        if (!holder.isEmpty() || !serial.open(QIODevice::ReadWrite)) {
            const portlist::OpenFailure cause = holder.isEmpty()
                                                    ? portlist::openFailure(serial.error(), device)
                                                    : portlist::OpenFailure::Busy;
            if (cause == portlist::OpenFailure::Busy && holder.isEmpty())
                holder = portlist::deviceHolder(device);
            QMessageBox::about(nullptr, uitexts::noteTitle(),
                               uitexts::portOpenErrorText(cause, holder));
            return;
        }
        linkLostPending = false;
        session->restart(); // nothing of an earlier link is held
        ui->portNameBox->setEnabled(false);
        ui->openButton->setText(uitexts::closeCaption());
        ui->toolButton_led->setIcon(QIcon(":/myImage/images/green.png"));
        writeToPort(protocol::commandConnect);
        return;
    }
    // Settings half-written are worse than a close that waits 2.4 s at most.
    if (writingFlow) {
        closeAfterTransfer = true;
        return;
    }
    writeToPort(protocol::commandDisconnect);
    // Qt drops unwritten bytes on close: make sure the notice leaves first.
    serial.flush();
    enterClosedState(uitexts::closeCaption());
}

// Port closed, channels parked at their centre, port list refreshed. A
// transfer still running ends as cut short, for `why`.
void MainWindow::enterClosedState(const QString &why)
{
    closeAfterTransfer = false;
    session->abort(why);
    serial.close();
    std::fill(std::begin(Telemetry.servo), std::end(Telemetry.servo), 1000);
    Servo_Display();
    ui->portNameBox->setEnabled(true);
    ui->openButton->setText(uitexts::openCaption());
    ui->toolButton_led->setIcon(QIcon(":/myImage/images/red.png"));
    fillPortList();
}

// One box says both that the link is gone and what became of a transfer it
// cut (`during`, or what the session says as it is stopped).
void MainWindow::linkLost(const QString &during)
{
    if (!serial.isOpen())
        return;
    cutByLoss.clear();
    enterClosedState(uitexts::linkLostText());
    const QString cut = during.isEmpty() ? cutByLoss : during;
    tell(cut.isEmpty() ? uitexts::linkLostText() : uitexts::linkLostText() + '\n' + cut);
}

// Out of the caller (which may be inside a delivery), over the window; a
// close of the window waits until the box is answered.
void MainWindow::tell(const QString &text)
{
    closeDeferral->holdWhile(
        [this, text] { QMessageBox::about(this, uitexts::noteTitle(), text); });
}

// The 200 ms lock-out every command starts with. Disabling the focused
// button would move the focus on to the next control, where a second Enter
// or Space would trigger it (OPEN/CLOSE, closing the port mid-command). So
// the focus rests nowhere meanwhile and comes back to the button, unless the
// user has put it elsewhere; a second key press then finds the command busy.
void MainWindow::lockOut(QAbstractButton *button)
{
    const bool hadFocus = button->hasFocus();
    if (hadFocus)
        button->clearFocus();
    button->setEnabled(false);
    waitMs(200);
    button->setEnabled(true);
    if (hadFocus && !QApplication::focusWidget())
        button->setFocus(Qt::OtherFocusReason);
}

// The lock-out, then the link test: false (after telling the user) when the
// port is closed.
bool MainWindow::lockOutAndCheckLink(QAbstractButton *button)
{
    lockOut(button);
    if (ui->openButton->text() == uitexts::openCaption()) {
        QMessageBox::about(nullptr, uitexts::noteTitle(), uitexts::portClosedText());
        return false;
    }
    return true;
}

// How long the window waits for a reply: three requests, each given two
// seconds before its first frame and a second of quiet once frames come.
static ReadOptions windowReadOptions()
{
    ReadOptions options;
    options.replyTimeoutMs = 2000;
    return options;
}

void MainWindow::on_toolButton_Read_clicked()
{
    TransferGate::Flow transfer(*transferGate, ui->toolButton_Read);
    if (!transfer || !lockOutAndCheckLink(ui->toolButton_Read))
        return;
    transferKind.clear();
    if (session->read(windowReadOptions()))
        transfer.handOver();
}

void MainWindow::on_toolButton_Send_clicked()
{
    TransferGate::Flow transfer(*transferGate, ui->toolButton_Send);
    if (!transfer)
        return;
    writingFlow = std::make_unique<CloseDeferral::Flow>(*closeDeferral);
    if (!lockOutAndCheckLink(ui->toolButton_Send)) {
        endWriting();
        return;
    }
    transferKind = QStringLiteral("write");
    startWrite(true, true);
    transfer.handOver();
}

void MainWindow::on_toolButton_Reset_clicked()
{
    TransferGate::Flow transfer(*transferGate, ui->toolButton_Reset);
    if (!transfer)
        return;
    writingFlow = std::make_unique<CloseDeferral::Flow>(*closeDeferral);
    if (!lockOutAndCheckLink(ui->toolButton_Reset)) {
        endWriting();
        return;
    }
    RestData();
    RestData2();
    edits->resetApplied();
    transferKind = QStringLiteral("reset");
    startWrite(true, true);
    transfer.handOver();
}

// The encoders build their frame into its buffer, which Save writes to the
// file and startWrite hands to the session.
void MainWindow::SendData1() { protocol::buildSFrame(TxParams, frameTextS); }

void MainWindow::SendData2() { protocol::buildGFrame(TxParams, frameTextG); }

void MainWindow::SendData3() { protocol::buildHFrame(TxParams, frameTextH); }

// The three frames from the store, sent by the session with their pauses;
// a close of the window meanwhile waits for the end.
void MainWindow::startWrite(bool closingAck, bool verify)
{
    SendData1();
    SendData2();
    SendData3();
    TransmitterSession::WriteOptions options;
    options.closingAck = closingAck;
    options.verify = verify;
    options.check = windowReadOptions();
    if (!writingFlow)
        writingFlow = std::make_unique<CloseDeferral::Flow>(*closeDeferral);
    session->write({frameTextS, frameTextG, frameTextH}, options);
}

void MainWindow::transferFinished(const TransmitterSession::Result &result)
{
    const bool closedByUser = result.outcome == TransmitterSession::Outcome::CutShort &&
                              result.job == TransmitterSession::Job::Read &&
                              result.error == uitexts::closeCaption();
    if (result.outcome == TransmitterSession::Outcome::Done) {
        if (result.job == TransmitterSession::Job::Read)
            historyhooks::readCompleted();
        else
            historyhooks::settingsSent(transferKind);
    }
    transferGate->end();
    noteLastResult(result);
    edits->transferEnded(result, transferKind);
    const QString failure = transfertexts::failureText(result);
    if (result.portRefused && serial.isOpen() && !linkLostPending) {
        // A port that takes no bytes is no link.
        linkLostPending = true;
        QMetaObject::invokeMethod(
            this, [this, failure] { linkLost(failure); }, Qt::QueuedConnection);
    } else if (result.error == uitexts::linkLostText()) {
        cutByLoss = failure;
    } else if (!failure.isEmpty() && !closedByUser) {
        tell(failure);
    }
    endWriting();
}

// The command's tooltip ends with how its last transfer went, and when.
void MainWindow::noteLastResult(const TransmitterSession::Result &result)
{
    QAbstractButton *button = result.job == TransmitterSession::Job::Read ? ui->toolButton_Read
                              : transferKind == QLatin1String("reset")    ? ui->toolButton_Reset
                              : transferKind == QLatin1String("save")     ? ui->toolButton_Save
                                                                          : ui->toolButton_Send;
    const bool checked = transferKind != QLatin1String("save");
    button->setToolTip(button->toolTip().section('\n', 0, 0) + '\n' +
                       transfertexts::lastResult(result, checked, QTime::currentTime()));
}

// The frames are out: a close of the window or the port asked for meanwhile
// is carried out now.
void MainWindow::endWriting()
{
    const bool closePort = closeAfterTransfer;
    closeAfterTransfer = false;
    writingFlow.reset();
    if (closePort && serial.isOpen())
        on_openButton_clicked();
}
