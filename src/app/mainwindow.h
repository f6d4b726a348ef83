#pragma once

#include "closedeferral.h"
#include "transmittersession.h"
#include "windowrecords.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>
#include <QVector>

#include <initializer_list>
#include <memory>

class QAbstractButton;
class EditTracker;
class FormEditors;
class QComboBox;
class QTimer;
class TransferGate;

QT_BEGIN_NAMESPACE
namespace Ui
{
class MainWindow;
}
QT_END_NAMESPACE

// The tool's only window. Editor and button slots are connected by object
// name when the form is built, so their names are fixed; the order of the
// slot declarations is the order of the meta-object's methods.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

private slots:
    // Serial link and inbound frames
    void on_openButton_clicked();
    void serialPort_readyRead();
    int byteArrayToInt(QByteArray b, int a);

    // Commands
    void on_toolButton_Read_clicked();
    void on_toolButton_Load_clicked();
    void on_toolButton_Send_clicked();
    void on_toolButton_Save_clicked();
    void on_toolButton_Reset_clicked();

    // Live telemetry
    void Servo_Display();
    void Recieve_Display();

    // Settings display: copies the store into the editors
    void Rev_Display();
    void EPA_Display();
    void SubTrim_Display();
    void FS_Display();
    void Delay_Display();
    void Aux_Display();
    void DR_Display();
    void Parameter_Display();
    void Atti_Display();
    void Elev_Display();
    void Vtype_Display();
    void Prm_Display();
    void DRCure_Display();
    void THcure_Display();
    void ui_Display();

    // Editors: each stores its shown value as the field catalogue says
    void on_spinBox_sub1_valueChanged(int v);
    void on_spinBox_sub2_valueChanged(int v);
    void on_spinBox_sub3_valueChanged(int v);
    void on_spinBox_sub4_valueChanged(int v);
    void on_spinBox_sub5_valueChanged(int v);
    void on_spinBox_sub6_valueChanged(int v);
    void on_spinBox_sub7_valueChanged(int v);
    void on_spinBox_sub8_valueChanged(int v);
    void on_spinBox_Lepa1_valueChanged(int v);
    void on_spinBox_Lepa2_valueChanged(int v);
    void on_spinBox_Lepa3_valueChanged(int v);
    void on_spinBox_Lepa4_valueChanged(int v);
    void on_spinBox_Lepa5_valueChanged(int v);
    void on_spinBox_Lepa6_valueChanged(int v);
    void on_spinBox_Lepa7_valueChanged(int v);
    void on_spinBox_Lepa8_valueChanged(int v);
    void on_spinBox_Repa1_valueChanged(int v);
    void on_spinBox_Repa2_valueChanged(int v);
    void on_spinBox_Repa3_valueChanged(int v);
    void on_spinBox_Repa4_valueChanged(int v);
    void on_spinBox_Repa5_valueChanged(int v);
    void on_spinBox_Repa6_valueChanged(int v);
    void on_spinBox_Repa7_valueChanged(int v);
    void on_spinBox_Repa8_valueChanged(int v);
    void on_spinBox_FS1_valueChanged(int v);
    void on_spinBox_FS2_valueChanged(int v);
    void on_spinBox_FS3_valueChanged(int v);
    void on_spinBox_FS4_valueChanged(int v);
    void on_spinBox_FS5_valueChanged(int v);
    void on_spinBox_FS6_valueChanged(int v);
    void on_spinBox_FS7_valueChanged(int v);
    void on_spinBox_FS8_valueChanged(int v);
    void on_spinBox_delay1_valueChanged(int v);
    void on_spinBox_delay2_valueChanged(int v);
    void on_spinBox_delay3_valueChanged(int v);
    void on_spinBox_delay4_valueChanged(int v);
    void on_spinBox_delay5_valueChanged(int v);
    void on_spinBox_delay6_valueChanged(int v);
    void on_spinBox_delay7_valueChanged(int v);
    void on_comboBox_rev1_currentIndexChanged(int v);
    void on_comboBox_rev2_currentIndexChanged(int v);
    void on_comboBox_rev3_currentIndexChanged(int v);
    void on_comboBox_rev4_currentIndexChanged(int v);
    void on_comboBox_rev5_currentIndexChanged(int v);
    void on_comboBox_rev6_currentIndexChanged(int v);
    void on_comboBox_rev7_currentIndexChanged(int v);
    void on_comboBox_rev8_currentIndexChanged(int v);
    void on_comboBox_AUX5_currentIndexChanged(int v);
    void on_comboBox_AUX6_currentIndexChanged(int v);
    void on_comboBox_AUX7_currentIndexChanged(int v);
    void on_comboBox_AUX8_currentIndexChanged(int v);
    void on_comboBox_DR_MIX1_currentIndexChanged(int v);
    void on_comboBox_DR_CH1_currentIndexChanged(int v);
    void on_spinBox_DR_UP1_valueChanged(int v);
    void on_spinBox_DR_DOWN1_valueChanged(int v);
    void on_doubleSpinBox_Volt_valueChanged(double v);
    void on_spinBox_Mode_valueChanged(int v);
    void on_spinBox_Vertion_valueChanged(int v);
    void on_comboBox_AttiM_currentIndexChanged(int v);
    void on_spinBox_Atti1_valueChanged(int v);
    void on_spinBox_Atti2_valueChanged(int v);
    void on_spinBox_Atti3_valueChanged(int v);
    void on_spinBox_Atti4_valueChanged(int v);
    void on_spinBox_Atti5_valueChanged(int v);
    void on_spinBox_Atti6_valueChanged(int v);
    void on_comboBox_EleMix_currentIndexChanged(int v);
    void on_spinBox_Elev01_valueChanged(int v);
    void on_spinBox_Elev02_valueChanged(int v);
    void on_spinBox_Elev03_valueChanged(int v);
    void on_spinBox_Elev04_valueChanged(int v);
    void on_spinBox_Elev05_valueChanged(int v);
    void on_spinBox_Elev06_valueChanged(int v);
    void on_comboBox_RuMix_currentIndexChanged(int v);
    void on_spinBox_Ru1_valueChanged(int v);
    void on_spinBox_Ru2_valueChanged(int v);
    void on_spinBox_Ru3_valueChanged(int v);
    void on_spinBox_Ru4_valueChanged(int v);
    void on_comboBox_PRM01_Mix_currentIndexChanged(int v);
    void on_comboBox_PRM01_Master_currentIndexChanged(int v);
    void on_comboBox_PRM01_Slave_currentIndexChanged(int v);
    void on_spinBox_PRM01_Data1_valueChanged(int v);
    void on_spinBox_PRM01_Data2_valueChanged(int v);
    void on_spinBox_PRM01_Data3_valueChanged(int v);
    void on_comboBox_PRM02_Mix_currentIndexChanged(int v);
    void on_comboBox_PRM02_Master_currentIndexChanged(int v);
    void on_comboBox_PRM02_Slave_currentIndexChanged(int v);
    void on_spinBox_PRM02_Data1_valueChanged(int v);
    void on_spinBox_PRM02_Data2_valueChanged(int v);
    void on_spinBox_PRM02_Data3_valueChanged(int v);
    void on_comboBox_PRM03_Mix_currentIndexChanged(int v);
    void on_comboBox_PRM03_Master_currentIndexChanged(int v);
    void on_comboBox_PRM03_Slave_currentIndexChanged(int v);
    void on_spinBox_PRM03_Data1_valueChanged(int v);
    void on_spinBox_PRM03_Data2_valueChanged(int v);
    void on_spinBox_PRM03_Data3_valueChanged(int v);
    void on_comboBox_DR_MIX2_currentIndexChanged(int v);
    void on_comboBox_DR_CH2_currentIndexChanged(int v);
    void on_comboBox_DR_SW2_currentIndexChanged(int v);
    void on_comboBox_DR_POSI_currentIndexChanged(int v);
    void on_spinBox_DR_RATE_valueChanged(int v);
    void on_spinBox_DR_EXP_valueChanged(int v);
    void on_comboBox_PRM04_Mix_currentIndexChanged(int v);
    void on_comboBox_PRM04_Master_currentIndexChanged(int v);
    void on_comboBox_PRM04_Slave_currentIndexChanged(int v);
    void on_spinBox_PRM04_Data1_valueChanged(int v);
    void on_spinBox_PRM04_Data2_valueChanged(int v);
    void on_spinBox_PRM04_Data3_valueChanged(int v);
    void on_comboBox_THCURE_MIX_currentIndexChanged(int v);
    void on_spinBox_THCURE_Data01_valueChanged(int v);
    void on_spinBox_THCURE_Data02_valueChanged(int v);
    void on_spinBox_THCURE_Data03_valueChanged(int v);
    void on_spinBox_THCURE_Data04_valueChanged(int v);
    void on_spinBox_THCURE_Data05_valueChanged(int v);
    void on_spinBox_THCURE_Data06_valueChanged(int v);
    void on_spinBox_THCURE_Data07_valueChanged(int v);
    void on_spinBox_delay8_valueChanged(int v);

    // Factory values, dual-rate selection and repair of the store
    void RestData();
    void RestData2();

    // Outbound frames: build, write, pause
    void SendData1();
    void SendData2();
    void SendData3();

    void Dr_DataSelet();
    void FalseSaveData();

private:
    Ui::MainWindow *ui;
    QSerialPort serial{this}; // a child, so the window's object tree shows it
    QTimer *displayTimer;
    QString fileName;

    // The catalogue's editors in the form, and the display runs each combo
    // box has spent under the pointer (hover dwell).
    std::unique_ptr<FormEditors> formEditors;
    QHash<const QComboBox *, int> hoverTicks;
    // Marks, Write's list of changes, undo and redo (edittracker.h).
    EditTracker *edits;
    void showGroups(const QStringList &groups, std::initializer_list<QComboBox *> first = {});

    // Holds a close of the window back while settings are being written.
    CloseDeferral *closeDeferral;
    // Keeps one transfer from starting in the middle of another.
    TransferGate *transferGate;

    // Reads, writes and the frames in between (transmittersession.h): the
    // slots start its jobs and show what came of them.
    TransmitterSession *session;
    void liveFrameArrived(const QByteArray &frame);
    void replyFrameArrived(const QByteArray &frame, int number);
    void transferFinished(const TransmitterSession::Result &result);
    void noteLastResult(const TransmitterSession::Result &result);
    void startWrite(bool closingAck, bool verify);
    void endWriting();
    // A close asked for while settings are being written waits for the end.
    bool closeAfterTransfer = false;
    std::unique_ptr<CloseDeferral::Flow> writingFlow;
    QString transferKind; // "write", "reset" or "save", for the history

    void fillPortList();
    void refreshPortList();
    void writeToPort(const QByteArray &bytes);
    void enterClosedState(const QString &why);
    void linkLost(const QString &during = {});
    void tell(const QString &text);
    QString cutByLoss; // what the loss of the link did to a transfer
    void lockOut(QAbstractButton *button);
    bool lockOutAndCheckLink(QAbstractButton *button);
    bool linkLostPending = false;
};
