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

    CBAnnee = NewYearList(this);

    auto* choice = new QHBoxLayout;
    choice->addWidget(CBTowns, 1);
    choice->addWidget(CBAnnee);
    AddGenerateButtons(this, choice, QStringLiteral("Draw the year graph"), OKBtn, CancelBtn);
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
