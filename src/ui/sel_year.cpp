#include "sel_year.h"

#include "windows.h"

namespace duskwheel::ui {

TDlgSelYear::TDlgSelYear(QWidget* parent) : QDialog(parent) {
    RegisterWindow(DlgSelYear, this, "TDlgSelYear");
    setWindowTitle(QStringLiteral("One year"));
    setAttribute(Qt::WA_QuitOnClose, false);
}

TDlgSelYear::~TDlgSelYear() {
    UnregisterWindow(DlgSelYear, this);
}

} // namespace duskwheel::ui
