#include "sel_year_calendar.h"

#include "windows.h"

namespace duskwheel::ui {

TDlgSelYearCalendar::TDlgSelYearCalendar(QWidget* parent) : QDialog(parent) {
    RegisterWindow(DlgSelYearCalendar, this, "TDlgSelYearCalendar");
    setWindowTitle(QStringLiteral("Wall year calendar"));
    setAttribute(Qt::WA_QuitOnClose, false);
}

TDlgSelYearCalendar::~TDlgSelYearCalendar() {
    UnregisterWindow(DlgSelYearCalendar, this);
}

} // namespace duskwheel::ui
