#include "windows.h"

namespace duskwheel::ui {

TFormMain* FormMain = nullptr;
TFormBrowser* FormBrowser = nullptr;
TFormKibla* FormKibla = nullptr;
TFormLCD* FormLCD = nullptr;
TDlgSelMounth* DlgSelMounth = nullptr;
TDlgSelYear* DlgSelYear = nullptr;
TDlgSelYearCalendar* DlgSelYearCalendar = nullptr;
TDlgSelGraph* DlgSelGraph = nullptr;
TFormTowns* FormTowns = nullptr;
TFormSettings* FormSettings = nullptr;
TFormDisplay* FormDisplay = nullptr;
TFormOptions* FormOptions = nullptr;

std::vector<std::string>& WindowCreationLog() {
    static std::vector<std::string> log;
    return log;
}

} // namespace duskwheel::ui
