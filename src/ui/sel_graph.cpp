#include "sel_graph.h"

#include "sel_year.h"
#include "text.h"
#include "windows.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace duskwheel::ui {

TDlgSelGraph::TDlgSelGraph(QWidget* parent) : QDialog(parent) {
    RegisterWindow(DlgSelGraph, this, "TDlgSelGraph");
    setObjectName(QStringLiteral("DlgSelGraph"));
    setWindowTitle(QStringLiteral("G\u00E9n\u00E9ration de graphes"));
    setAttribute(Qt::WA_QuitOnClose, false);

    CBTowns = new QComboBox(this);
    CBTowns->setObjectName(QStringLiteral("CBTowns"));
    CBTowns->setToolTip(QStringLiteral("Select town from list"));
    CBTowns->setMaxVisibleItems(20);
    // Room for most labels; the open list widens to the longest.
    CBTowns->setMinimumContentsLength(24);
    CBTowns->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    CBAnnee = new QComboBox(this);
    CBAnnee->setObjectName(QStringLiteral("CBAnnee"));
    CBAnnee->setToolTip(QStringLiteral("Choose the year"));
    CBAnnee->setMaxVisibleItems(20);
    FillYearList(CBAnnee);

    OKBtn = new QPushButton(QStringLiteral("Generate"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    OKBtn->setToolTip(QStringLiteral("Draw the year graph"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* choice = new QHBoxLayout;
    choice->addWidget(CBTowns, 1);
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
    connect(CBTowns, &QComboBox::currentIndexChanged, this, &TDlgSelGraph::UpdateOK);
    connect(CBAnnee, &QComboBox::currentIndexChanged, this, &TDlgSelGraph::UpdateOK);
    UpdateOK();
}

TDlgSelGraph::~TDlgSelGraph() {
    UnregisterWindow(DlgSelGraph, this);
}

void TDlgSelGraph::FillTowns(const TownDataArray& towns, int selected) {
    {
        const QSignalBlocker block(CBTowns);
        CBTowns->clear();
        for (const TownData& town : towns) {
            CBTowns->addItem(FromLatin1(TownLabel(town)));
        }
        const bool valid = selected >= 0 && static_cast<std::size_t>(selected) < towns.size();
        CBTowns->setCurrentIndex(valid ? selected : -1);
    }
    UpdateOK();
}

void TDlgSelGraph::Preselect(int year) {
    SelectYear(CBAnnee, year);
    UpdateOK();
}

int TDlgSelGraph::ChosenTown() const {
    return CBTowns->currentIndex();
}

int TDlgSelGraph::ChosenYear() const {
    return SelectedYear(CBAnnee);
}

void TDlgSelGraph::UpdateOK() {
    OKBtn->setEnabled(ChosenTown() >= 0 && ChosenYear() != 0);
}

void TDlgSelGraph::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

} // namespace duskwheel::ui
