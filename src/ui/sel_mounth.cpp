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

    CBAnnee = new QComboBox(this);
    CBAnnee->setObjectName(QStringLiteral("CBAnnee"));
    CBAnnee->setToolTip(QStringLiteral("Choose the year"));
    CBAnnee->setMaxVisibleItems(20);
    FillYearList(CBAnnee);

    OKBtn = new QPushButton(QStringLiteral("Generate"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    OKBtn->setToolTip(GenerateHint());
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a dialog border: no resizing
    auto* choice = new QHBoxLayout;
    choice->addWidget(CBMois, 1);
    choice->addWidget(CBAnnee);
    layout->addLayout(choice);
    layout->addSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
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
