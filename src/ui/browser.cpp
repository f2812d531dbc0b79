#include "browser.h"

#include "windows.h"

namespace duskwheel::ui {

TFormBrowser::TFormBrowser(QWidget* parent) : QWidget(parent, Qt::Window) {
    RegisterWindow(FormBrowser, this, "TFormBrowser");
    setWindowTitle(QStringLiteral("Browser"));
    setAttribute(Qt::WA_QuitOnClose, false);
}

TFormBrowser::~TFormBrowser() {
    UnregisterWindow(FormBrowser, this);
}

} // namespace duskwheel::ui
