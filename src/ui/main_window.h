#pragma once
// The main window: it holds the one program
// state for the whole run, starts the program (FormCreate), shows the picked
// date's six times, drives the commands of its menu and keeps the detached
// display, the clock and the tray hint current with its one-second timer.
// It computes nothing itself: the astronomy and the files are the core's.

#include "state/host.h"
#include "state/program_state.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSpacerItem;
class QSystemTrayIcon;
class QTimeEdit;
class QTimer;
class QVBoxLayout;

namespace duskwheel {
struct PageWriteResult;
}

namespace duskwheel::ui {

class ElidedLabel;
class TFormDisplay;
class TFormGraph;
class TFormOptions;
class TFormSettings;
class TFormTowns;

// What differs between the program and a test of it.
struct MainOptions {
    // Folder of data.cfg, read_echo.cfg and Duskwheel.ini; empty: the
    // executable's folder.
    QString filesDir;
    // The current local date and time; empty: the system clock.
    std::function<QDateTime()> clock;
    // Shows a modal error message (text, title); empty: a message box with
    // an error icon.
    std::function<void(const QString& text, const QString& title)> showError;
    // Whether the one-second timer runs on its own (tests call Timer1Timer).
    bool startTimer = true;
    // Whether a tray icon may be shown (where the desktop has a tray).
    bool useTray = true;
    // Opens a written page with the user's default program and tells whether
    // one took it; empty: the desktop's handler for the file.
    std::function<bool(const QString& path)> openDocument;
};

class TFormMain : public QMainWindow, private ReportSink, private Host {
    Q_OBJECT

  public:
    // Design sizes.
    static constexpr int kClientWidth = 332;
    static constexpr int kVerboseHeight = 580;
    static constexpr int kVerboseReportHeight = 420;
    static constexpr int kPlainHeight = 173;
    static constexpr int kTopBarHeight = 28;
    static constexpr int kTimesPanelHeight = 77;

    explicit TFormMain(MainOptions options = {});
    ~TFormMain() override;

    // The program state, for every window of the program.
    ProgramState& State() { return state_; }
    const ProgramState& State() const { return state_; }

    // --- controls
    QDateEdit* DatePicker = nullptr;
    QTimeEdit* TimePicker = nullptr;
    QCheckBox* CBVerbose = nullptr;
    std::array<QLabel*, 6> ArabicLabels{};
    std::array<QLabel*, 6> NameLabels{};
    QLineEdit* EditFajr = nullptr;
    QLineEdit* EditChourouk = nullptr;
    QLineEdit* EditZuhr = nullptr;
    QLineEdit* EditAsr = nullptr;
    QLineEdit* EditMaghrib = nullptr;
    QLineEdit* EditIsha = nullptr;
    ElidedLabel* LabelVille = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QWidget* PanelTop = nullptr;
    QWidget* PanelTimes = nullptr;
    QTimer* Timer1 = nullptr;

    // --- menu items
    QAction* Saveconfiguration1 = nullptr;
    QAction* Loadconfiguration1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Resetdatetonow1 = nullptr;
    QAction* Oneday1 = nullptr;
    QAction* Onemounth1 = nullptr;
    QAction* Oneyear1 = nullptr;
    QAction* Wallyearcalendarhtml1 = nullptr;
    QAction* Wallyearcalendar1 = nullptr;
    QAction* G1 = nullptr;
    QAction* ButtonCalc_haz = nullptr;
    QAction* Kibladirection1 = nullptr;
    QAction* Moonposition1 = nullptr;
    QAction* Hidjraconversion1 = nullptr;
    QAction* TownsConfig = nullptr;
    QAction* Settings1 = nullptr;
    QAction* Options1 = nullptr;
    QAction* LCD1 = nullptr;
    QAction* Help2 = nullptr;
    QAction* Che1 = nullptr;
    QAction* About1 = nullptr;

    // The six time fields, index 0 Fajr .. 5 Isha.
    std::array<QLineEdit*, 6> TimeFields() const;

    // --- the windows it creates and owns
    TFormTowns* Towns() const { return towns_; }
    TFormSettings* Settings() const { return settings_; }
    TFormDisplay* Display() const { return display_.get(); }
    TFormOptions* Options() const { return optionsWindow_; }
    // The year graph windows still open, oldest first.
    std::vector<TFormGraph*> GraphWindows() const;

    // --- the picked day on display
    // Writes the town-and-date caption and the six time fields from the state.
    void UpdateAffichage();
    // "Country, Name  le Dimanche 21/12/2008" for the state's date and town.
    QString TownDateCaption() const;
    // The nine lines of the tray hint for the state's date and town.
    QString TrayHintText() const;
    // The tray icon's hint as it stands ("Duskwheel" until the first tick),
    // also where the desktop has no tray.
    QString TrayHint() const { return trayHint_; }
    QSystemTrayIcon* TrayIcon() const { return tray_; }

    // Whether the state holds a town whose times may be shown (the current
    // location is that of the selected town). Without one, the windows show
    // no times and say so.
    bool HasDisplayableTown() const;
    static QString NoTownText();

    // --- Duskwheel.ini
    QString IniPath() const { return iniPath_; }
    void Read_ini();
    // False when the file could not be written; the user has been told.
    bool Write_ini();

    // The clock of the timer and of "now" everywhere in this window.
    QDateTime Now() const;
    void SetClock(std::function<QDateTime()> clock);

    // A single click on the tray icon: restore the main window, or minimise it.
    void TrayIconClick();
    // Centred on the desktop at its present size.
    void CenterOnScreen();
    // True from the moment the main window starts closing.
    bool IsClosing() const { return closing_; }
    // True once the creation handler has run to its end.
    bool IsReady() const { return ready_; }

  public slots:
    void DatePickerChange();
    void TimePickerChange();
    void CBVerboseClick();
    void Oneday1Click();
    void Resetdatetonow1Click();
    void Loadconfiguration1Click();
    void Saveconfiguration1Click();
    void Exit1Click();
    void Options1Click();
    void LCD1Click();
    void Wallyearcalendar1Click();
    void Wallyearcalendarhtml1Click();
    void Timer1Timer();

    // The month and year calendars and the year graph.
    void Onemounth1Click();
    void Oneyear1Click();
    void G1Click();

    // Commands not built yet; their items are disabled.
    void ButtonCalc_hazClick();
    void Kibladirection1Click();
    void Moonposition1Click();
    void Hidjraconversion1Click();
    void TownsConfigClick();
    void Settings1Click();
    void Help2Click();
    void Che1Click();
    void About1Click();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // ReportSink: the verbose report goes to Memo.
    void AppendLine(const std::string& line) override;
    // Host
    void ShowError(const std::string& text, const std::string& title) override;
    bool IsEscapeDown() override { return escapeDown_; }
    void ConventionListsChanged() override;

    void BuildForm();
    void BuildMenu();
    void FormCreate();
    void FormClose();
    void CreateTrayIcon();

    void ShowErrorText(const QString& text, const QString& title);
    void ShowConfigRead();
    // Window and report heights for the verbose switch (CBVerboseClick).
    void ApplyVerboseLayout(bool verbose);
    // Date and time pickers to now, without running their change handlers.
    void SetPickersToNow();
    // The computation date = the picked date.
    void DateFromPicker();
    // ComputePrayerTimes when there is a town to compute for.
    void ComputeDay();
    void RefreshKiblaIfVisible();
    void SetTrayHint(const QString& hint);
    void ScheduleNextTick();
    // False, after telling the user, when no town is in use whose times a
    // calendar or a graph could show.
    bool TownInUse(const QString& what);
    // Opens a page that was written; a failed write has been reported already.
    void OpenPage(const PageWriteResult& page);

    ProgramState state_;
    MainOptions setup_;
    QString iniPath_;
    bool escapeDown_ = false;
    bool closing_ = false;
    bool ready_ = false;
    bool memoHasLines_ = false; // an empty first line leaves the document empty
    QString trayHint_;

    TFormTowns* towns_ = nullptr;
    TFormSettings* settings_ = nullptr;
    std::unique_ptr<TFormDisplay> display_;
    TFormOptions* optionsWindow_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    QSpacerItem* bottomSpace_ = nullptr;
    QVBoxLayout* centralLayout_ = nullptr;
    std::vector<QPointer<TFormGraph>> graphs_;
};

} // namespace duskwheel::ui
