#include "towns.h"

#include "windows.h"

namespace duskwheel::ui {

TFormTowns::TFormTowns(QWidget* parent) : QDialog(parent) {
    RegisterWindow(FormTowns, this, "TFormTowns");
    setWindowTitle(QStringLiteral("Towns"));
}

TFormTowns::~TFormTowns() {
    UnregisterWindow(FormTowns, this);
}

void TFormTowns::RefillConventionList() {}

} // namespace duskwheel::ui
