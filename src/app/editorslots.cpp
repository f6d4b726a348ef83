// Editor slots: each stores the value its editor now shows into its field of
// the store. They also run when the display refresh changes an editor, which
// is how a spin box's clamping of an out-of-range value reaches the store.
#include "mainwindow.h"

#include "dualrate.h"
#include "txparams.h"
#include "validation.h"

#include <cmath>

void MainWindow::on_spinBox_sub1_valueChanged(int v) { TxParams.subTrim[0] = v; }
void MainWindow::on_spinBox_sub2_valueChanged(int v) { TxParams.subTrim[1] = v; }
void MainWindow::on_spinBox_sub3_valueChanged(int v) { TxParams.subTrim[2] = v; }
void MainWindow::on_spinBox_sub4_valueChanged(int v) { TxParams.subTrim[3] = v; }
void MainWindow::on_spinBox_sub5_valueChanged(int v) { TxParams.subTrim[4] = v; }
void MainWindow::on_spinBox_sub6_valueChanged(int v) { TxParams.subTrim[5] = v; }
void MainWindow::on_spinBox_sub7_valueChanged(int v) { TxParams.subTrim[6] = v; }
void MainWindow::on_spinBox_sub8_valueChanged(int v) { TxParams.subTrim[7] = v; }
void MainWindow::on_spinBox_Lepa1_valueChanged(int v) { TxParams.epaLeft[0] = v; }
void MainWindow::on_spinBox_Lepa2_valueChanged(int v) { TxParams.epaLeft[1] = v; }
void MainWindow::on_spinBox_Lepa3_valueChanged(int v) { TxParams.epaLeft[2] = v; }
void MainWindow::on_spinBox_Lepa4_valueChanged(int v) { TxParams.epaLeft[3] = v; }
void MainWindow::on_spinBox_Lepa5_valueChanged(int v) { TxParams.epaLeft[4] = v; }
void MainWindow::on_spinBox_Lepa6_valueChanged(int v) { TxParams.epaLeft[5] = v; }
void MainWindow::on_spinBox_Lepa7_valueChanged(int v) { TxParams.epaLeft[6] = v; }
void MainWindow::on_spinBox_Lepa8_valueChanged(int v) { TxParams.epaLeft[7] = v; }
void MainWindow::on_spinBox_Repa1_valueChanged(int v) { TxParams.epaRight[0] = v; }
void MainWindow::on_spinBox_Repa2_valueChanged(int v) { TxParams.epaRight[1] = v; }
void MainWindow::on_spinBox_Repa3_valueChanged(int v) { TxParams.epaRight[2] = v; }
void MainWindow::on_spinBox_Repa4_valueChanged(int v) { TxParams.epaRight[3] = v; }
void MainWindow::on_spinBox_Repa5_valueChanged(int v) { TxParams.epaRight[4] = v; }
void MainWindow::on_spinBox_Repa6_valueChanged(int v) { TxParams.epaRight[5] = v; }
void MainWindow::on_spinBox_Repa7_valueChanged(int v) { TxParams.epaRight[6] = v; }
void MainWindow::on_spinBox_Repa8_valueChanged(int v) { TxParams.epaRight[7] = v; }
void MainWindow::on_spinBox_FS1_valueChanged(int v) { TxParams.failSafe[0] = v; }
void MainWindow::on_spinBox_FS2_valueChanged(int v) { TxParams.failSafe[1] = v; }
void MainWindow::on_spinBox_FS3_valueChanged(int v) { TxParams.failSafe[2] = v; }
void MainWindow::on_spinBox_FS4_valueChanged(int v) { TxParams.failSafe[3] = v; }
void MainWindow::on_spinBox_FS5_valueChanged(int v) { TxParams.failSafe[4] = v; }
void MainWindow::on_spinBox_FS6_valueChanged(int v) { TxParams.failSafe[5] = v; }
void MainWindow::on_spinBox_FS7_valueChanged(int v) { TxParams.failSafe[6] = v; }
void MainWindow::on_spinBox_FS8_valueChanged(int v) { TxParams.failSafe[7] = v; }
void MainWindow::on_spinBox_delay1_valueChanged(int v) { TxParams.delay[0] = v; }
void MainWindow::on_spinBox_delay2_valueChanged(int v) { TxParams.delay[1] = v; }
void MainWindow::on_spinBox_delay3_valueChanged(int v) { TxParams.delay[2] = v; }
void MainWindow::on_spinBox_delay4_valueChanged(int v) { TxParams.delay[3] = v; }
void MainWindow::on_spinBox_delay5_valueChanged(int v) { TxParams.delay[4] = v; }
void MainWindow::on_spinBox_delay6_valueChanged(int v) { TxParams.delay[5] = v; }
void MainWindow::on_spinBox_delay7_valueChanged(int v) { TxParams.delay[6] = v; }
void MainWindow::on_comboBox_rev1_currentIndexChanged(int v) { TxParams.rev[0] = v; }
void MainWindow::on_comboBox_rev2_currentIndexChanged(int v) { TxParams.rev[1] = v; }
void MainWindow::on_comboBox_rev3_currentIndexChanged(int v) { TxParams.rev[2] = v; }
void MainWindow::on_comboBox_rev4_currentIndexChanged(int v) { TxParams.rev[3] = v; }
void MainWindow::on_comboBox_rev5_currentIndexChanged(int v) { TxParams.rev[4] = v; }
void MainWindow::on_comboBox_rev6_currentIndexChanged(int v) { TxParams.rev[5] = v; }
void MainWindow::on_comboBox_rev7_currentIndexChanged(int v) { TxParams.rev[6] = v; }
void MainWindow::on_comboBox_rev8_currentIndexChanged(int v) { TxParams.rev[7] = v; }
void MainWindow::on_comboBox_AUX5_currentIndexChanged(int v) { TxParams.aux[0] = v; }
void MainWindow::on_comboBox_AUX6_currentIndexChanged(int v) { TxParams.aux[1] = v; }
void MainWindow::on_comboBox_AUX7_currentIndexChanged(int v) { TxParams.aux[2] = v; }
void MainWindow::on_comboBox_AUX8_currentIndexChanged(int v) { TxParams.aux[3] = v; }
void MainWindow::on_comboBox_DR_MIX1_currentIndexChanged(int v) { TxParams.drMix = v; }
void MainWindow::on_spinBox_Mode_valueChanged(int v) { TxParams.stickMode = v; }
void MainWindow::on_spinBox_Vertion_valueChanged(int v) { TxParams.firmwareVersion = v; }
void MainWindow::on_comboBox_AttiM_currentIndexChanged(int v) { TxParams.attiMode = v; }
void MainWindow::on_spinBox_Atti1_valueChanged(int v) { TxParams.atti[0] = v; }
void MainWindow::on_spinBox_Atti2_valueChanged(int v) { TxParams.atti[1] = v; }
void MainWindow::on_spinBox_Atti3_valueChanged(int v) { TxParams.atti[2] = v; }
void MainWindow::on_spinBox_Atti4_valueChanged(int v) { TxParams.atti[3] = v; }
void MainWindow::on_spinBox_Atti5_valueChanged(int v) { TxParams.atti[4] = v; }
void MainWindow::on_spinBox_Atti6_valueChanged(int v) { TxParams.atti[5] = v; }
void MainWindow::on_comboBox_EleMix_currentIndexChanged(int v) { TxParams.elevMix = v; }
void MainWindow::on_spinBox_Elev01_valueChanged(int v) { TxParams.elev[0] = v; }
void MainWindow::on_spinBox_Elev02_valueChanged(int v) { TxParams.elev[1] = v; }
void MainWindow::on_spinBox_Elev03_valueChanged(int v) { TxParams.elev[2] = v; }
void MainWindow::on_spinBox_Elev04_valueChanged(int v) { TxParams.elev[3] = v; }
void MainWindow::on_spinBox_Elev05_valueChanged(int v) { TxParams.elev[4] = v; }
void MainWindow::on_spinBox_Elev06_valueChanged(int v) { TxParams.elev[5] = v; }
void MainWindow::on_comboBox_RuMix_currentIndexChanged(int v) { TxParams.vtailMix = v; }
void MainWindow::on_spinBox_Ru1_valueChanged(int v) { TxParams.vtail[0] = v; }
void MainWindow::on_spinBox_Ru2_valueChanged(int v) { TxParams.vtail[1] = v; }
void MainWindow::on_spinBox_Ru3_valueChanged(int v) { TxParams.vtail[2] = v; }
void MainWindow::on_spinBox_Ru4_valueChanged(int v) { TxParams.vtail[3] = v; }
void MainWindow::on_comboBox_PRM01_Mix_currentIndexChanged(int v) { TxParams.prm[0].mix = v; }
void MainWindow::on_comboBox_PRM01_Master_currentIndexChanged(int v) { TxParams.prm[0].master = v; }
void MainWindow::on_comboBox_PRM01_Slave_currentIndexChanged(int v) { TxParams.prm[0].slave = v; }
void MainWindow::on_spinBox_PRM01_Data1_valueChanged(int v) { TxParams.prm[0].data[0] = v; }
void MainWindow::on_spinBox_PRM01_Data2_valueChanged(int v) { TxParams.prm[0].data[1] = v; }
void MainWindow::on_spinBox_PRM01_Data3_valueChanged(int v) { TxParams.prm[0].data[2] = v; }
void MainWindow::on_comboBox_PRM02_Mix_currentIndexChanged(int v) { TxParams.prm[1].mix = v; }
void MainWindow::on_comboBox_PRM02_Master_currentIndexChanged(int v) { TxParams.prm[1].master = v; }
void MainWindow::on_comboBox_PRM02_Slave_currentIndexChanged(int v) { TxParams.prm[1].slave = v; }
void MainWindow::on_spinBox_PRM02_Data1_valueChanged(int v) { TxParams.prm[1].data[0] = v; }
void MainWindow::on_spinBox_PRM02_Data2_valueChanged(int v) { TxParams.prm[1].data[1] = v; }
void MainWindow::on_spinBox_PRM02_Data3_valueChanged(int v) { TxParams.prm[1].data[2] = v; }
void MainWindow::on_comboBox_PRM03_Mix_currentIndexChanged(int v) { TxParams.prm[2].mix = v; }
void MainWindow::on_comboBox_PRM03_Master_currentIndexChanged(int v) { TxParams.prm[2].master = v; }
void MainWindow::on_comboBox_PRM03_Slave_currentIndexChanged(int v) { TxParams.prm[2].slave = v; }
void MainWindow::on_spinBox_PRM03_Data1_valueChanged(int v) { TxParams.prm[2].data[0] = v; }
void MainWindow::on_spinBox_PRM03_Data2_valueChanged(int v) { TxParams.prm[2].data[1] = v; }
void MainWindow::on_spinBox_PRM03_Data3_valueChanged(int v) { TxParams.prm[2].data[2] = v; }
void MainWindow::on_comboBox_DR_MIX2_currentIndexChanged(int v) { TxParams.drMix = v; }
void MainWindow::on_comboBox_DR_CH2_currentIndexChanged(int v) { TxParams.drChannel = v; }
void MainWindow::on_comboBox_DR_SW2_currentIndexChanged(int v) { TxParams.drSwitch = v; }
void MainWindow::on_comboBox_PRM04_Mix_currentIndexChanged(int v) { TxParams.prm[3].mix = v; }
void MainWindow::on_comboBox_PRM04_Master_currentIndexChanged(int v) { TxParams.prm[3].master = v; }
void MainWindow::on_comboBox_PRM04_Slave_currentIndexChanged(int v) { TxParams.prm[3].slave = v; }
void MainWindow::on_spinBox_PRM04_Data1_valueChanged(int v) { TxParams.prm[3].data[0] = v; }
void MainWindow::on_spinBox_PRM04_Data2_valueChanged(int v) { TxParams.prm[3].data[1] = v; }
void MainWindow::on_spinBox_PRM04_Data3_valueChanged(int v) { TxParams.prm[3].data[2] = v; }
void MainWindow::on_comboBox_THCURE_MIX_currentIndexChanged(int v) { TxParams.thCurveMix = v; }
void MainWindow::on_spinBox_THCURE_Data01_valueChanged(int v) { TxParams.thCurve[0] = v; }
void MainWindow::on_spinBox_THCURE_Data02_valueChanged(int v) { TxParams.thCurve[1] = v; }
void MainWindow::on_spinBox_THCURE_Data03_valueChanged(int v) { TxParams.thCurve[2] = v; }
void MainWindow::on_spinBox_THCURE_Data04_valueChanged(int v) { TxParams.thCurve[3] = v; }
void MainWindow::on_spinBox_THCURE_Data05_valueChanged(int v) { TxParams.thCurve[4] = v; }
void MainWindow::on_spinBox_THCURE_Data06_valueChanged(int v) { TxParams.thCurve[5] = v; }
void MainWindow::on_spinBox_THCURE_Data07_valueChanged(int v) { TxParams.thCurve[6] = v; }
void MainWindow::on_spinBox_delay8_valueChanged(int v) { TxParams.delay[7] = v; }

// Both channel boxes store the channel; only the one beside the rate
// editors re-derives the shown rates at once (the other follows on the next
// display refresh, through this box).
void MainWindow::on_comboBox_DR_CH1_currentIndexChanged(int v)
{
    TxParams.drChannel = v;
    Dr_DataSelet();
}

void MainWindow::on_comboBox_DR_POSI_currentIndexChanged(int v)
{
    TxParams.drPosition = v;
    Dr_DataSelet();
}

void MainWindow::on_spinBox_DR_UP1_valueChanged(int v) { params::editDualRateUp(TxParams, v); }
void MainWindow::on_spinBox_DR_DOWN1_valueChanged(int v) { params::editDualRateDown(TxParams, v); }
void MainWindow::on_spinBox_DR_RATE_valueChanged(int v) { params::editDualRateRate(TxParams, v); }
void MainWindow::on_spinBox_DR_EXP_valueChanged(int v) { params::editDualRateExp(TxParams, v); }

// The transmitter and the file take the alarm threshold in tenths of a volt,
// so an edit must reach that field too, or it would never be sent or saved.
void MainWindow::on_doubleSpinBox_Volt_valueChanged(double v)
{
    TxParams.alarmVolt = v;
    TxParams.alarmVoltRaw = int(std::lround(v * 10.0));
}

void MainWindow::RestData() { params::restoreFactoryGroup1(TxParams); }
void MainWindow::RestData2() { params::restoreFactoryGroup2(TxParams); }
void MainWindow::Dr_DataSelet() { params::selectDualRate(TxParams); }
void MainWindow::FalseSaveData() { params::validate(TxParams); }
