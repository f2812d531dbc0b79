#include "settings.h"

#include "windows.h"

namespace duskwheel::ui {

TFormSettings::TFormSettings(QWidget* parent) : QDialog(parent) {
    RegisterWindow(FormSettings, this, "TFormSettings");
    setWindowTitle(QStringLiteral("Settings"));
}

TFormSettings::~TFormSettings() {
    UnregisterWindow(FormSettings, this);
}

void TFormSettings::RefillConventionList() {}

} // namespace duskwheel::ui
