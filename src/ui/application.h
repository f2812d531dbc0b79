#pragma once
// Program entry: the application object, the windows in their
// fixed order, the event loop, and the standard error box for failures that
// no command handles itself.

#include "main_window.h"

#include <QApplication>

#include <functional>
#include <memory>

namespace duskwheel::ui {

class TDlgSelGraph;
class TDlgSelMounth;
class TDlgSelYear;
class TDlgSelYearCalendar;
class TFormBrowser;
class TFormKibla;
class TFormLCD;

// Shows a failure that escaped a command, as the toolkit's standard error
// box does; the program goes on (or, at start-up, ends with status 0).
void ShowException(const QString& message);

class DuskwheelApplication : public QApplication {
    Q_OBJECT

  public:
    DuskwheelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Every window of the program, built in their fixed order: the main
// window first (its creation handler builds the town editor, the convention
// editor, the detached display and its options), then the browser, the Qibla
// window, the LCD panel and the month, year, wall-calendar and graph dialogs,
// all hidden. Destroyed in the reverse order, the main window last.
class ApplicationWindows {
  public:
    explicit ApplicationWindows(MainOptions options = {});
    ~ApplicationWindows();
    ApplicationWindows(const ApplicationWindows&) = delete;
    ApplicationWindows& operator=(const ApplicationWindows&) = delete;

    TFormMain& Main() { return *main_; }

  private:
    std::unique_ptr<TFormMain> main_;
    std::unique_ptr<TFormBrowser> browser_;
    std::unique_ptr<TFormKibla> kibla_;
    std::unique_ptr<TFormLCD> lcd_;
    std::unique_ptr<TDlgSelMounth> selMounth_;
    std::unique_ptr<TDlgSelYear> selYear_;
    std::unique_ptr<TDlgSelYearCalendar> selYearCalendar_;
    std::unique_ptr<TDlgSelGraph> selGraph_;
};

// What a start-up probe may ask of RunDuskwheel; the program asks nothing.
struct RunHooks {
    QString filesDir; // empty: the executable's folder
    // Called once, when the main window has been painted for the first time.
    std::function<void(TFormMain&)> onFirstPaint;
};

// The whole program: returns the process exit status (always 0).
int RunDuskwheel(int& argc, char** argv, const RunHooks& hooks = {});

} // namespace duskwheel::ui
