#include "lcd.h"

#include "windows.h"

namespace duskwheel::ui {

TFormLCD::TFormLCD(QWidget* parent) : QWidget(parent, Qt::Window) {
    RegisterWindow(FormLCD, this, "TFormLCD");
    setWindowTitle(QStringLiteral("LCD"));
    setAttribute(Qt::WA_QuitOnClose, false);
}

TFormLCD::~TFormLCD() {
    UnregisterWindow(FormLCD, this);
}

} // namespace duskwheel::ui
