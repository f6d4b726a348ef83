// The display refresh: every 100 ms (and after each settings frame) the live
// values and every editor are rewritten from the stores. An editor whose shown
// value changes reports it to its slot; an unchanged one stays quiet, so a
// quiet refresh calls no editor slot at all.
#include "mainwindow.h"

#include "hoverdwell.h"
#include "txparams.h"
#include "ui_mainwindow.h"

#include <initializer_list>

namespace
{
// A box that already shows the stored value is left alone. For the box being
// typed into this keeps half-typed text ("-" on the way to "-50" is not a
// value yet, and setValue would turn it back into the old number); any other
// path that changes the stored value makes the two differ, and the box is
// rewritten at once. It also spares the repaint that every setValue causes,
// unchanged or not, of the box and the styled page behind it.
template <typename Editor, typename Value> void showValue(Editor *editor, Value value)
{
    if (editor->value() == value)
        return;
    editor->setValue(value);
}

template <typename Editor, std::size_t N>
void showValues(Editor *const (&editors)[N], const int (&values)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        showValue(editors[i], values[i]);
}

template <std::size_t N> void showIndexes(QComboBox *const (&boxes)[N], const int (&values)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        boxes[i]->setCurrentIndex(values[i]);
}
} // namespace

void MainWindow::dwell(std::initializer_list<QComboBox *> boxes)
{
    for (QComboBox *box : boxes)
        hoverdwell::run(box, hoverTicks[box]);
}

void MainWindow::ui_Display()
{
    Servo_Display();
    Recieve_Display();
    Rev_Display();
    EPA_Display();
    SubTrim_Display();
    FS_Display();
    Delay_Display();
    Aux_Display();
    DR_Display();
    Parameter_Display();
    Atti_Display();
    Elev_Display();
    Vtype_Display();
    Prm_Display();
    DRCure_Display();
    THcure_Display();
}

void MainWindow::Rev_Display()
{
    QComboBox *const boxes[] = {ui->comboBox_rev1, ui->comboBox_rev2, ui->comboBox_rev3,
                                ui->comboBox_rev4, ui->comboBox_rev5, ui->comboBox_rev6,
                                ui->comboBox_rev7, ui->comboBox_rev8};
    showIndexes(boxes, TxParams.rev);
    for (QComboBox *box : boxes)
        dwell({box});
}

void MainWindow::EPA_Display()
{
    QSpinBox *const left[] = {ui->spinBox_Lepa1, ui->spinBox_Lepa2, ui->spinBox_Lepa3,
                              ui->spinBox_Lepa4, ui->spinBox_Lepa5, ui->spinBox_Lepa6,
                              ui->spinBox_Lepa7, ui->spinBox_Lepa8};
    QSpinBox *const right[] = {ui->spinBox_Repa1, ui->spinBox_Repa2, ui->spinBox_Repa3,
                               ui->spinBox_Repa4, ui->spinBox_Repa5, ui->spinBox_Repa6,
                               ui->spinBox_Repa7, ui->spinBox_Repa8};
    showValues(left, TxParams.epaLeft);
    showValues(right, TxParams.epaRight);
}

void MainWindow::SubTrim_Display()
{
    QSpinBox *const trims[] = {ui->spinBox_sub1, ui->spinBox_sub2, ui->spinBox_sub3,
                               ui->spinBox_sub4, ui->spinBox_sub5, ui->spinBox_sub6,
                               ui->spinBox_sub7, ui->spinBox_sub8};
    showValues(trims, TxParams.subTrim);
}

void MainWindow::FS_Display()
{
    QSpinBox *const failSafe[] = {ui->spinBox_FS1, ui->spinBox_FS2, ui->spinBox_FS3,
                                  ui->spinBox_FS4, ui->spinBox_FS5, ui->spinBox_FS6,
                                  ui->spinBox_FS7, ui->spinBox_FS8};
    showValues(failSafe, TxParams.failSafe);
}

void MainWindow::Delay_Display()
{
    QSpinBox *const delays[] = {ui->spinBox_delay1, ui->spinBox_delay2, ui->spinBox_delay3,
                                ui->spinBox_delay4, ui->spinBox_delay5, ui->spinBox_delay6,
                                ui->spinBox_delay7, ui->spinBox_delay8};
    showValues(delays, TxParams.delay);
}

void MainWindow::Aux_Display()
{
    // CH1..CH4 have no selectable source: their boxes always show "reserved".
    QComboBox *const reserved[] = {ui->comboBox_AUX1, ui->comboBox_AUX2, ui->comboBox_AUX3,
                                   ui->comboBox_AUX4};
    QComboBox *const sources[] = {ui->comboBox_AUX5, ui->comboBox_AUX6, ui->comboBox_AUX7,
                                  ui->comboBox_AUX8};
    for (QComboBox *box : reserved)
        box->setCurrentIndex(0);
    showIndexes(sources, TxParams.aux);
    for (QComboBox *box : reserved)
        dwell({box});
    for (QComboBox *box : sources)
        dwell({box});
}

void MainWindow::DR_Display()
{
    ui->comboBox_DR_MIX1->setCurrentIndex(TxParams.drMix);
    ui->comboBox_DR_CH1->setCurrentIndex(TxParams.drChannel);
    ui->comboBox_DR_SW1->setCurrentIndex(TxParams.drSwitch);
    showValue(ui->spinBox_DR_UP1, TxParams.drUp);
    showValue(ui->spinBox_DR_DOWN1, TxParams.drDown);
    dwell({ui->comboBox_DR_MIX1, ui->comboBox_DR_CH1, ui->comboBox_DR_SW1});
}

void MainWindow::Parameter_Display()
{
    showValue(ui->doubleSpinBox_Volt, TxParams.alarmVolt);
    showValue(ui->spinBox_Mode, TxParams.stickMode);
    showValue(ui->spinBox_Vertion, TxParams.firmwareVersion);
}

void MainWindow::Atti_Display()
{
    QSpinBox *const atti[] = {ui->spinBox_Atti1, ui->spinBox_Atti2, ui->spinBox_Atti3,
                              ui->spinBox_Atti4, ui->spinBox_Atti5, ui->spinBox_Atti6};
    ui->comboBox_AttiM->setCurrentIndex(TxParams.attiMode);
    showValues(atti, TxParams.atti);
    dwell({ui->comboBox_AttiM});
}

void MainWindow::Elev_Display()
{
    QSpinBox *const elev[] = {ui->spinBox_Elev01, ui->spinBox_Elev02, ui->spinBox_Elev03,
                              ui->spinBox_Elev04, ui->spinBox_Elev05, ui->spinBox_Elev06};
    ui->comboBox_EleMix->setCurrentIndex(TxParams.elevMix);
    showValues(elev, TxParams.elev);
    dwell({ui->comboBox_EleMix});
}

void MainWindow::Vtype_Display()
{
    QSpinBox *const vtail[] = {ui->spinBox_Ru1, ui->spinBox_Ru2, ui->spinBox_Ru3, ui->spinBox_Ru4};
    ui->comboBox_RuMix->setCurrentIndex(TxParams.vtailMix);
    showValues(vtail, TxParams.vtail);
    dwell({ui->comboBox_RuMix});
}

void MainWindow::Prm_Display()
{
    struct MixEditors {
        QComboBox *mix, *master, *slave;
        QSpinBox *data[3];
    };
    const MixEditors mixes[] = {
        {ui->comboBox_PRM01_Mix,
         ui->comboBox_PRM01_Master,
         ui->comboBox_PRM01_Slave,
         {ui->spinBox_PRM01_Data1, ui->spinBox_PRM01_Data2, ui->spinBox_PRM01_Data3}},
        {ui->comboBox_PRM02_Mix,
         ui->comboBox_PRM02_Master,
         ui->comboBox_PRM02_Slave,
         {ui->spinBox_PRM02_Data1, ui->spinBox_PRM02_Data2, ui->spinBox_PRM02_Data3}},
        {ui->comboBox_PRM03_Mix,
         ui->comboBox_PRM03_Master,
         ui->comboBox_PRM03_Slave,
         {ui->spinBox_PRM03_Data1, ui->spinBox_PRM03_Data2, ui->spinBox_PRM03_Data3}},
        {ui->comboBox_PRM04_Mix,
         ui->comboBox_PRM04_Master,
         ui->comboBox_PRM04_Slave,
         {ui->spinBox_PRM04_Data1, ui->spinBox_PRM04_Data2, ui->spinBox_PRM04_Data3}},
    };
    for (int k = 0; k < 4; ++k) {
        const ProgMix &values = TxParams.prm[k];
        mixes[k].mix->setCurrentIndex(values.mix);
        mixes[k].master->setCurrentIndex(values.master);
        mixes[k].slave->setCurrentIndex(values.slave);
        showValues(mixes[k].data, values.data);
    }
    for (const MixEditors &m : mixes)
        dwell({m.mix, m.master, m.slave});
}

void MainWindow::DRCure_Display()
{
    ui->comboBox_DR_MIX2->setCurrentIndex(TxParams.drMix);
    ui->comboBox_DR_CH2->setCurrentIndex(TxParams.drChannel);
    ui->comboBox_DR_SW2->setCurrentIndex(TxParams.drSwitch);
    ui->comboBox_DR_POSI->setCurrentIndex(TxParams.drPosition);
    showValue(ui->spinBox_DR_RATE, TxParams.drRate);
    showValue(ui->spinBox_DR_EXP, TxParams.drExp);
    dwell({ui->comboBox_DR_MIX2, ui->comboBox_DR_CH2, ui->comboBox_DR_SW2, ui->comboBox_DR_POSI});
}

void MainWindow::THcure_Display()
{
    QSpinBox *const points[] = {ui->spinBox_THCURE_Data01, ui->spinBox_THCURE_Data02,
                                ui->spinBox_THCURE_Data03, ui->spinBox_THCURE_Data04,
                                ui->spinBox_THCURE_Data05, ui->spinBox_THCURE_Data06,
                                ui->spinBox_THCURE_Data07};
    ui->comboBox_THCURE_MIX->setCurrentIndex(TxParams.thCurveMix);
    showValues(points, TxParams.thCurve);
    dwell({ui->comboBox_THCURE_MIX});
}
