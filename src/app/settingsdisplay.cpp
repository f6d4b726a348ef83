// The display refresh: every 100 ms (and after each settings frame) the live
// values and every editor are rewritten from the stores. An editor whose shown
// value changes reports it to its slot; an unchanged one stays quiet, so a
// quiet refresh calls no editor slot at all.
#include "mainwindow.h"

#include "edittracker.h"
#include "formeditors.h"
#include "hoverdwell.h"
#include "txparams.h"
#include "ui_mainwindow.h"

// Each routine writes the editors of its groups of the field catalogue, then
// runs the hover dwell of its combo boxes (`first` before the group's own).
void MainWindow::showGroups(const QStringList &groups, std::initializer_list<QComboBox *> first)
{
    const QVector<QComboBox *> shown = formEditors->show(TxParams, groups);
    for (QComboBox *box : first)
        hoverdwell::run(box, hoverTicks[box]);
    for (QComboBox *box : shown)
        hoverdwell::run(box, hoverTicks[box]);
}

void MainWindow::ui_Display()
{
    const EditTracker::Displaying displaying(*edits);
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
    // Editors of a group box added later, which no routine above names.
    showGroups(formEditors->groupsNotShown());
    edits->refresh();
}

void MainWindow::Rev_Display() { showGroups({"servo phase"}); }
void MainWindow::EPA_Display() { showGroups({"servo travel"}); }
void MainWindow::SubTrim_Display() { showGroups({"centre trim"}); }
void MainWindow::FS_Display() { showGroups({"fail-safe"}); }
void MainWindow::Delay_Display() { showGroups({"servo delay"}); }

void MainWindow::Aux_Display()
{
    // CH1..CH4 have no selectable source: their boxes always show "reserved".
    const auto reserved = {ui->comboBox_AUX1, ui->comboBox_AUX2, ui->comboBox_AUX3,
                           ui->comboBox_AUX4};
    for (QComboBox *box : reserved)
        box->setCurrentIndex(0);
    showGroups({"auxiliary channel"}, reserved);
}

void MainWindow::DR_Display() { showGroups({"dual-rate settings"}); }
void MainWindow::Parameter_Display() { showGroups({"parameter settings"}); }
void MainWindow::Atti_Display() { showGroups({"attitude selection"}); }
void MainWindow::Elev_Display() { showGroups({"elevon mix"}); }
void MainWindow::Vtype_Display() { showGroups({"V-tail mix"}); }

void MainWindow::Prm_Display()
{
    showGroups(
        {"programmable mix 1", "programmable mix 2", "programmable mix 3", "programmable mix 4"});
}

void MainWindow::DRCure_Display() { showGroups({"dual-rate curve"}); }
void MainWindow::THcure_Display() { showGroups({"throttle curve"}); }
