#pragma once
// One global reference per window class (FormMain, FormKibla, ...), as every
// window reaches the others through them. Each window sets its reference when
// it is built and clears it when it is destroyed.

#include <string>
#include <vector>

namespace duskwheel::ui {

class TFormMain;
class TFormBrowser;
class TFormKibla;
class TFormLCD;
class TDlgSelMounth;
class TDlgSelYear;
class TDlgSelYearCalendar;
class TDlgSelGraph;
class TFormTowns;
class TFormSettings;
class TFormDisplay;
class TFormOptions;

extern TFormMain* FormMain;
extern TFormBrowser* FormBrowser;
extern TFormKibla* FormKibla;
extern TFormLCD* FormLCD;
extern TDlgSelMounth* DlgSelMounth;
extern TDlgSelYear* DlgSelYear;
extern TDlgSelYearCalendar* DlgSelYearCalendar;
extern TDlgSelGraph* DlgSelGraph;
extern TFormTowns* FormTowns;
extern TFormSettings* FormSettings;
extern TFormDisplay* FormDisplay;
extern TFormOptions* FormOptions;

// Class names of the windows in the order they were built during this run.
std::vector<std::string>& WindowCreationLog();

// Sets `ref` to `self` (construction) and records the class name.
template <typename T> void RegisterWindow(T*& ref, T* self, const char* className) {
    ref = self;
    WindowCreationLog().emplace_back(className);
}

// Clears `ref` if it still designates `self` (destruction).
template <typename T> void UnregisterWindow(T*& ref, T* self) {
    if (ref == self) {
        ref = nullptr;
    }
}

} // namespace duskwheel::ui
