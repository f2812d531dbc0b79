#include "sel_mounth.h"

#include "main_window.h"
#include "sel_year.h"
#include "text.h"
#include "windows.h"

#include "state/program_state.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace duskwheel::ui {

namespace {

// The month names of the program state; a dialog built before the main
// window (a test) takes the same table from a state of its own.
QStringList FrenchMonthNames() {
    ProgramState own;
    const ProgramState* state = &own;
    if (FormMain != nullptr) {
        state = &FormMain->State();
    } else {
        own.FillNameTables();
    }
    QStringList names;
    for (int m = 0; m < 12; ++m) {
        names << FromLatin1(state->MonthName(m));
    }
    return names;
}

} // namespace

TDlgSelMounth::TDlgSelMounth(QWidget* parent) : QDialog(parent) {
    RegisterWindow(DlgSelMounth, this, "TDlgSelMounth");
    setObjectName(QStringLiteral("DlgSelMounth"));
    setWindowTitle(QStringLiteral("Select mounth"));
    setAttribute(Qt::WA_QuitOnClose, false);

    CBMois = new QComboBox(this);
    CBMois->setObjectName(QStringLiteral("CBMois"));
    CBMois->setToolTip(QStringLiteral("Choose the mounth"));
    CBMois->addItems(FrenchMonthNames());
    CBMois->setMaxVisibleItems(12);

    CBAnnee = NewYearList(this);

    auto* choice = new QHBoxLayout;
    choice->addWidget(CBMois, 1);
    choice->addWidget(CBAnnee);
    AddGenerateButtons(this, choice, GenerateHint(), OKBtn, CancelBtn);
    connect(CBMois, &QComboBox::currentIndexChanged, this, &TDlgSelMounth::UpdateOK);
    connect(CBAnnee, &QComboBox::currentIndexChanged, this, &TDlgSelMounth::UpdateOK);
    UpdateOK();
}

TDlgSelMounth::~TDlgSelMounth() {
    UnregisterWindow(DlgSelMounth, this);
}

void TDlgSelMounth::Preselect(int year, int month) {
    CBMois->setCurrentIndex(month >= 1 && month <= 12 ? month - 1 : -1);
    SelectYear(CBAnnee, year);
    UpdateOK();
}

int TDlgSelMounth::ChosenMonth() const {
    const int index = CBMois->currentIndex();
    return index >= 0 && index < 12 ? index + 1 : 0;
}

int TDlgSelMounth::ChosenYear() const {
    return SelectedYear(CBAnnee);
}

void TDlgSelMounth::UpdateOK() {
    OKBtn->setEnabled(ChosenMonth() != 0 && ChosenYear() != 0);
}

void TDlgSelMounth::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

} // namespace duskwheel::ui
