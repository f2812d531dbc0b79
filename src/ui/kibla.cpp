#include "kibla.h"

#include "windows.h"

namespace duskwheel::ui {

TFormKibla::TFormKibla(QWidget* parent) : QWidget(parent, Qt::Window) {
    RegisterWindow(FormKibla, this, "TFormKibla");
    setWindowTitle(QStringLiteral("Quibla direction"));
    setAttribute(Qt::WA_QuitOnClose, false);
}

TFormKibla::~TFormKibla() {
    UnregisterWindow(FormKibla, this);
}

} // namespace duskwheel::ui
