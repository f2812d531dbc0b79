#include "sel_mounth.h"

#include "windows.h"

namespace duskwheel::ui {

TDlgSelMounth::TDlgSelMounth(QWidget* parent) : QDialog(parent) {
    RegisterWindow(DlgSelMounth, this, "TDlgSelMounth");
    setWindowTitle(QStringLiteral("One mounth"));
    setAttribute(Qt::WA_QuitOnClose, false);
}

TDlgSelMounth::~TDlgSelMounth() {
    UnregisterWindow(DlgSelMounth, this);
}

} // namespace duskwheel::ui
