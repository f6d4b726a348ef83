// Editor slots: each stores the value its editor now shows, the way the
// field catalogue says (most store it plainly; the dual-rate editors write
// through the selection). They also run when the display refresh changes an
// editor, which is how a spin box's clamping of an out-of-range value reaches
// the store.
#include "mainwindow.h"

#include "dualrate.h"
#include "fieldcatalogue.h"
#include "txparams.h"
#include "validation.h"

namespace
{
void store(const char *editor, double v)
{
    const params::EditorOf e = params::findEditor(QLatin1String(editor));
    e.editor->store(TxParams, *e.field, v);
}
} // namespace

void MainWindow::on_spinBox_sub1_valueChanged(int v) { store("spinBox_sub1", v); }
void MainWindow::on_spinBox_sub2_valueChanged(int v) { store("spinBox_sub2", v); }
void MainWindow::on_spinBox_sub3_valueChanged(int v) { store("spinBox_sub3", v); }
void MainWindow::on_spinBox_sub4_valueChanged(int v) { store("spinBox_sub4", v); }
void MainWindow::on_spinBox_sub5_valueChanged(int v) { store("spinBox_sub5", v); }
void MainWindow::on_spinBox_sub6_valueChanged(int v) { store("spinBox_sub6", v); }
void MainWindow::on_spinBox_sub7_valueChanged(int v) { store("spinBox_sub7", v); }
void MainWindow::on_spinBox_sub8_valueChanged(int v) { store("spinBox_sub8", v); }
void MainWindow::on_spinBox_Lepa1_valueChanged(int v) { store("spinBox_Lepa1", v); }
void MainWindow::on_spinBox_Lepa2_valueChanged(int v) { store("spinBox_Lepa2", v); }
void MainWindow::on_spinBox_Lepa3_valueChanged(int v) { store("spinBox_Lepa3", v); }
void MainWindow::on_spinBox_Lepa4_valueChanged(int v) { store("spinBox_Lepa4", v); }
void MainWindow::on_spinBox_Lepa5_valueChanged(int v) { store("spinBox_Lepa5", v); }
void MainWindow::on_spinBox_Lepa6_valueChanged(int v) { store("spinBox_Lepa6", v); }
void MainWindow::on_spinBox_Lepa7_valueChanged(int v) { store("spinBox_Lepa7", v); }
void MainWindow::on_spinBox_Lepa8_valueChanged(int v) { store("spinBox_Lepa8", v); }
void MainWindow::on_spinBox_Repa1_valueChanged(int v) { store("spinBox_Repa1", v); }
void MainWindow::on_spinBox_Repa2_valueChanged(int v) { store("spinBox_Repa2", v); }
void MainWindow::on_spinBox_Repa3_valueChanged(int v) { store("spinBox_Repa3", v); }
void MainWindow::on_spinBox_Repa4_valueChanged(int v) { store("spinBox_Repa4", v); }
void MainWindow::on_spinBox_Repa5_valueChanged(int v) { store("spinBox_Repa5", v); }
void MainWindow::on_spinBox_Repa6_valueChanged(int v) { store("spinBox_Repa6", v); }
void MainWindow::on_spinBox_Repa7_valueChanged(int v) { store("spinBox_Repa7", v); }
void MainWindow::on_spinBox_Repa8_valueChanged(int v) { store("spinBox_Repa8", v); }
void MainWindow::on_spinBox_FS1_valueChanged(int v) { store("spinBox_FS1", v); }
void MainWindow::on_spinBox_FS2_valueChanged(int v) { store("spinBox_FS2", v); }
void MainWindow::on_spinBox_FS3_valueChanged(int v) { store("spinBox_FS3", v); }
void MainWindow::on_spinBox_FS4_valueChanged(int v) { store("spinBox_FS4", v); }
void MainWindow::on_spinBox_FS5_valueChanged(int v) { store("spinBox_FS5", v); }
void MainWindow::on_spinBox_FS6_valueChanged(int v) { store("spinBox_FS6", v); }
void MainWindow::on_spinBox_FS7_valueChanged(int v) { store("spinBox_FS7", v); }
void MainWindow::on_spinBox_FS8_valueChanged(int v) { store("spinBox_FS8", v); }
void MainWindow::on_spinBox_delay1_valueChanged(int v) { store("spinBox_delay1", v); }
void MainWindow::on_spinBox_delay2_valueChanged(int v) { store("spinBox_delay2", v); }
void MainWindow::on_spinBox_delay3_valueChanged(int v) { store("spinBox_delay3", v); }
void MainWindow::on_spinBox_delay4_valueChanged(int v) { store("spinBox_delay4", v); }
void MainWindow::on_spinBox_delay5_valueChanged(int v) { store("spinBox_delay5", v); }
void MainWindow::on_spinBox_delay6_valueChanged(int v) { store("spinBox_delay6", v); }
void MainWindow::on_spinBox_delay7_valueChanged(int v) { store("spinBox_delay7", v); }
void MainWindow::on_comboBox_rev1_currentIndexChanged(int v) { store("comboBox_rev1", v); }
void MainWindow::on_comboBox_rev2_currentIndexChanged(int v) { store("comboBox_rev2", v); }
void MainWindow::on_comboBox_rev3_currentIndexChanged(int v) { store("comboBox_rev3", v); }
void MainWindow::on_comboBox_rev4_currentIndexChanged(int v) { store("comboBox_rev4", v); }
void MainWindow::on_comboBox_rev5_currentIndexChanged(int v) { store("comboBox_rev5", v); }
void MainWindow::on_comboBox_rev6_currentIndexChanged(int v) { store("comboBox_rev6", v); }
void MainWindow::on_comboBox_rev7_currentIndexChanged(int v) { store("comboBox_rev7", v); }
void MainWindow::on_comboBox_rev8_currentIndexChanged(int v) { store("comboBox_rev8", v); }
void MainWindow::on_comboBox_AUX5_currentIndexChanged(int v) { store("comboBox_AUX5", v); }
void MainWindow::on_comboBox_AUX6_currentIndexChanged(int v) { store("comboBox_AUX6", v); }
void MainWindow::on_comboBox_AUX7_currentIndexChanged(int v) { store("comboBox_AUX7", v); }
void MainWindow::on_comboBox_AUX8_currentIndexChanged(int v) { store("comboBox_AUX8", v); }
void MainWindow::on_comboBox_DR_MIX1_currentIndexChanged(int v) { store("comboBox_DR_MIX1", v); }
void MainWindow::on_comboBox_DR_CH1_currentIndexChanged(int v) { store("comboBox_DR_CH1", v); }
void MainWindow::on_spinBox_DR_UP1_valueChanged(int v) { store("spinBox_DR_UP1", v); }
void MainWindow::on_spinBox_DR_DOWN1_valueChanged(int v) { store("spinBox_DR_DOWN1", v); }
void MainWindow::on_doubleSpinBox_Volt_valueChanged(double v) { store("doubleSpinBox_Volt", v); }
void MainWindow::on_spinBox_Mode_valueChanged(int v) { store("spinBox_Mode", v); }
void MainWindow::on_spinBox_Vertion_valueChanged(int v) { store("spinBox_Vertion", v); }
void MainWindow::on_comboBox_AttiM_currentIndexChanged(int v) { store("comboBox_AttiM", v); }
void MainWindow::on_spinBox_Atti1_valueChanged(int v) { store("spinBox_Atti1", v); }
void MainWindow::on_spinBox_Atti2_valueChanged(int v) { store("spinBox_Atti2", v); }
void MainWindow::on_spinBox_Atti3_valueChanged(int v) { store("spinBox_Atti3", v); }
void MainWindow::on_spinBox_Atti4_valueChanged(int v) { store("spinBox_Atti4", v); }
void MainWindow::on_spinBox_Atti5_valueChanged(int v) { store("spinBox_Atti5", v); }
void MainWindow::on_spinBox_Atti6_valueChanged(int v) { store("spinBox_Atti6", v); }
void MainWindow::on_comboBox_EleMix_currentIndexChanged(int v) { store("comboBox_EleMix", v); }
void MainWindow::on_spinBox_Elev01_valueChanged(int v) { store("spinBox_Elev01", v); }
void MainWindow::on_spinBox_Elev02_valueChanged(int v) { store("spinBox_Elev02", v); }
void MainWindow::on_spinBox_Elev03_valueChanged(int v) { store("spinBox_Elev03", v); }
void MainWindow::on_spinBox_Elev04_valueChanged(int v) { store("spinBox_Elev04", v); }
void MainWindow::on_spinBox_Elev05_valueChanged(int v) { store("spinBox_Elev05", v); }
void MainWindow::on_spinBox_Elev06_valueChanged(int v) { store("spinBox_Elev06", v); }
void MainWindow::on_comboBox_RuMix_currentIndexChanged(int v) { store("comboBox_RuMix", v); }
void MainWindow::on_spinBox_Ru1_valueChanged(int v) { store("spinBox_Ru1", v); }
void MainWindow::on_spinBox_Ru2_valueChanged(int v) { store("spinBox_Ru2", v); }
void MainWindow::on_spinBox_Ru3_valueChanged(int v) { store("spinBox_Ru3", v); }
void MainWindow::on_spinBox_Ru4_valueChanged(int v) { store("spinBox_Ru4", v); }
void MainWindow::on_comboBox_PRM01_Mix_currentIndexChanged(int v)
{
    store("comboBox_PRM01_Mix", v);
}
void MainWindow::on_comboBox_PRM01_Master_currentIndexChanged(int v)
{
    store("comboBox_PRM01_Master", v);
}
void MainWindow::on_comboBox_PRM01_Slave_currentIndexChanged(int v)
{
    store("comboBox_PRM01_Slave", v);
}
void MainWindow::on_spinBox_PRM01_Data1_valueChanged(int v) { store("spinBox_PRM01_Data1", v); }
void MainWindow::on_spinBox_PRM01_Data2_valueChanged(int v) { store("spinBox_PRM01_Data2", v); }
void MainWindow::on_spinBox_PRM01_Data3_valueChanged(int v) { store("spinBox_PRM01_Data3", v); }
void MainWindow::on_comboBox_PRM02_Mix_currentIndexChanged(int v)
{
    store("comboBox_PRM02_Mix", v);
}
void MainWindow::on_comboBox_PRM02_Master_currentIndexChanged(int v)
{
    store("comboBox_PRM02_Master", v);
}
void MainWindow::on_comboBox_PRM02_Slave_currentIndexChanged(int v)
{
    store("comboBox_PRM02_Slave", v);
}
void MainWindow::on_spinBox_PRM02_Data1_valueChanged(int v) { store("spinBox_PRM02_Data1", v); }
void MainWindow::on_spinBox_PRM02_Data2_valueChanged(int v) { store("spinBox_PRM02_Data2", v); }
void MainWindow::on_spinBox_PRM02_Data3_valueChanged(int v) { store("spinBox_PRM02_Data3", v); }
void MainWindow::on_comboBox_PRM03_Mix_currentIndexChanged(int v)
{
    store("comboBox_PRM03_Mix", v);
}
void MainWindow::on_comboBox_PRM03_Master_currentIndexChanged(int v)
{
    store("comboBox_PRM03_Master", v);
}
void MainWindow::on_comboBox_PRM03_Slave_currentIndexChanged(int v)
{
    store("comboBox_PRM03_Slave", v);
}
void MainWindow::on_spinBox_PRM03_Data1_valueChanged(int v) { store("spinBox_PRM03_Data1", v); }
void MainWindow::on_spinBox_PRM03_Data2_valueChanged(int v) { store("spinBox_PRM03_Data2", v); }
void MainWindow::on_spinBox_PRM03_Data3_valueChanged(int v) { store("spinBox_PRM03_Data3", v); }
void MainWindow::on_comboBox_DR_MIX2_currentIndexChanged(int v) { store("comboBox_DR_MIX2", v); }
void MainWindow::on_comboBox_DR_CH2_currentIndexChanged(int v) { store("comboBox_DR_CH2", v); }
void MainWindow::on_comboBox_DR_SW2_currentIndexChanged(int v) { store("comboBox_DR_SW2", v); }
void MainWindow::on_comboBox_DR_POSI_currentIndexChanged(int v) { store("comboBox_DR_POSI", v); }
void MainWindow::on_spinBox_DR_RATE_valueChanged(int v) { store("spinBox_DR_RATE", v); }
void MainWindow::on_spinBox_DR_EXP_valueChanged(int v) { store("spinBox_DR_EXP", v); }
void MainWindow::on_comboBox_PRM04_Mix_currentIndexChanged(int v)
{
    store("comboBox_PRM04_Mix", v);
}
void MainWindow::on_comboBox_PRM04_Master_currentIndexChanged(int v)
{
    store("comboBox_PRM04_Master", v);
}
void MainWindow::on_comboBox_PRM04_Slave_currentIndexChanged(int v)
{
    store("comboBox_PRM04_Slave", v);
}
void MainWindow::on_spinBox_PRM04_Data1_valueChanged(int v) { store("spinBox_PRM04_Data1", v); }
void MainWindow::on_spinBox_PRM04_Data2_valueChanged(int v) { store("spinBox_PRM04_Data2", v); }
void MainWindow::on_spinBox_PRM04_Data3_valueChanged(int v) { store("spinBox_PRM04_Data3", v); }
void MainWindow::on_comboBox_THCURE_MIX_currentIndexChanged(int v)
{
    store("comboBox_THCURE_MIX", v);
}
void MainWindow::on_spinBox_THCURE_Data01_valueChanged(int v) { store("spinBox_THCURE_Data01", v); }
void MainWindow::on_spinBox_THCURE_Data02_valueChanged(int v) { store("spinBox_THCURE_Data02", v); }
void MainWindow::on_spinBox_THCURE_Data03_valueChanged(int v) { store("spinBox_THCURE_Data03", v); }
void MainWindow::on_spinBox_THCURE_Data04_valueChanged(int v) { store("spinBox_THCURE_Data04", v); }
void MainWindow::on_spinBox_THCURE_Data05_valueChanged(int v) { store("spinBox_THCURE_Data05", v); }
void MainWindow::on_spinBox_THCURE_Data06_valueChanged(int v) { store("spinBox_THCURE_Data06", v); }
void MainWindow::on_spinBox_THCURE_Data07_valueChanged(int v) { store("spinBox_THCURE_Data07", v); }
void MainWindow::on_spinBox_delay8_valueChanged(int v) { store("spinBox_delay8", v); }

void MainWindow::RestData() { params::restoreFactoryGroup1(TxParams); }
void MainWindow::RestData2() { params::restoreFactoryGroup2(TxParams); }
void MainWindow::Dr_DataSelet() { params::selectDualRate(TxParams); }
void MainWindow::FalseSaveData() { params::validate(TxParams); }
