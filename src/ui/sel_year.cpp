#include "sel_year.h"

#include "main_window.h"
#include "windows.h"

#include "calendar/calendar_data.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace duskwheel::ui {

void FillYearList(QComboBox* list) {
    list->clear();
    for (int year = kDialogFirstYear; year <= kDialogLastYear; ++year) {
        list->addItem(QString::number(year));
    }
}

void SelectYear(QComboBox* list, int year) {
    list->setCurrentIndex(DialogYearIndex(year));
}

int SelectedYear(const QComboBox* list) {
    const int index = list->currentIndex();
    if (index < 0 || index > kDialogLastYear - kDialogFirstYear) {
        return 0;
    }
    return kDialogFirstYear + index;
}

void CentreOnScreen(QWidget* dialog) {
    const QScreen* screen = FormMain != nullptr ? FormMain->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect avail = screen->availableGeometry();
    const QSize size = dialog->frameGeometry().size();
    dialog->move(avail.center() - QPoint(size.width() / 2, size.height() / 2));
}

QString GenerateHint() {
    return QStringLiteral("Compute the calendar");
}

QComboBox* NewYearList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("CBAnnee"));
    list->setToolTip(QStringLiteral("Choose the year"));
    list->setMaxVisibleItems(20);
    FillYearList(list);
    return list;
}

void AddGenerateButtons(QDialog* dialog, QHBoxLayout* choice, const QString& generateHint,
                        QPushButton*& ok, QPushButton*& cancel) {
    ok = new QPushButton(QStringLiteral("Generate"), dialog);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    ok->setToolTip(generateHint);
    cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("CancelBtn"));

    auto* layout = new QVBoxLayout(dialog);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a dialog border: no resizing
    layout->addLayout(choice);
    layout->addSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

TDlgSelYear::TDlgSelYear(QWidget* parent) : QDialog(parent) {
    RegisterWindow(DlgSelYear, this, "TDlgSelYear");
    setObjectName(QStringLiteral("DlgSelYear"));
    setWindowTitle(QStringLiteral("Select year"));
    setAttribute(Qt::WA_QuitOnClose, false);

    CBAnnee = NewYearList(this);

    auto* choice = new QHBoxLayout;
    choice->addStretch(1);
    choice->addWidget(CBAnnee);
    choice->addStretch(1);
    AddGenerateButtons(this, choice, GenerateHint(), OKBtn, CancelBtn);
    connect(CBAnnee, &QComboBox::currentIndexChanged, this, &TDlgSelYear::UpdateOK);
    UpdateOK();
}

TDlgSelYear::~TDlgSelYear() {
    UnregisterWindow(DlgSelYear, this);
}

void TDlgSelYear::Preselect(int year) {
    SelectYear(CBAnnee, year);
    UpdateOK();
}

int TDlgSelYear::ChosenYear() const {
    return SelectedYear(CBAnnee);
}

void TDlgSelYear::UpdateOK() {
    OKBtn->setEnabled(ChosenYear() != 0);
}

void TDlgSelYear::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

} // namespace duskwheel::ui
