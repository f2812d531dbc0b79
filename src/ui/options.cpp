#include "options.h"

#include "display.h"
#include "windows.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace duskwheel::ui {

TFormOptions::TFormOptions(TFormDisplay* display, QWidget* parent)
    : QDialog(parent), display_(display) {
    RegisterWindow(FormOptions, this, "TFormOptions");
    setObjectName(QStringLiteral("FormOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(false);
    setAttribute(Qt::WA_QuitOnClose, false);

    CBDisplay = new QCheckBox(QStringLiteral("Detach display"), this);
    CBAlpha = new QCheckBox(QStringLiteral("Transparency"), this);
    SBAlpha = new QScrollBar(Qt::Horizontal, this);
    SBAlpha->setRange(0, 255);
    SBAlpha->setSingleStep(1);
    SBAlpha->setPageStep(25);
    SBAlpha->setValue(TFormDisplay::kInitialAlpha);
    SBAlpha->setToolTip(QString::number(SBAlpha->value()));
    CBFixed = new QCheckBox(QStringLiteral("Fixed detached display"), this);
    CBAlwaysOnTop = new QCheckBox(QStringLiteral("Always on top"), this);
    Button1 = new QPushButton(QStringLiteral("Close"), this);
    Button1->setDefault(true); // Enter; Escape closes the dialog as well

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addWidget(CBDisplay);
    layout->addWidget(CBAlpha);
    layout->addWidget(SBAlpha);
    layout->addWidget(CBFixed);
    layout->addWidget(CBAlwaysOnTop);
    layout->addStretch(1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    setFixedSize(kWidth, kHeight);

    connect(CBDisplay, &QCheckBox::toggled, this, &TFormOptions::CBDisplayClick);
    connect(CBAlpha, &QCheckBox::toggled, this, &TFormOptions::CBAlphaClick);
    connect(SBAlpha, &QScrollBar::valueChanged, this, &TFormOptions::SBAlphaChange);
    connect(CBAlwaysOnTop, &QCheckBox::toggled, this, &TFormOptions::CBAlwaysOnTopClick);
    connect(Button1, &QPushButton::clicked, this, &TFormOptions::Button1Click);

    // At the screen's top-left corner.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().topLeft());
    } else {
        move(0, 0);
    }
}

TFormOptions::~TFormOptions() {
    UnregisterWindow(FormOptions, this);
}

void TFormOptions::CBDisplayClick() {
    display_->setVisible(CBDisplay->isChecked());
}

void TFormOptions::CBAlphaClick() {
    display_->SetAlphaBlend(CBAlpha->isChecked());
}

void TFormOptions::SBAlphaChange() {
    SBAlpha->setToolTip(QString::number(SBAlpha->value()));
    display_->SetAlphaBlendValue(SBAlpha->value());
}

void TFormOptions::CBAlwaysOnTopClick() {
    display_->SetTopmost(CBAlwaysOnTop->isChecked());
}

void TFormOptions::Button1Click() {
    hide();
}

} // namespace duskwheel::ui
