#include "main_window.h"

#include "app_icon.h"
#include "date_serial.h"
#include "display.h"
#include "elided_label.h"
#include "graph.h"
#include "kibla.h"
#include "options.h"
#include "prayer_names.h"
#include "sel_graph.h"
#include "sel_mounth.h"
#include "sel_year.h"
#include "settings.h"
#include "text.h"
#include "towns.h"
#include "windows.h"

#include "astro/primitives.h"
#include "calendar/html_calendar.h"
#include "calendar/year_graph.h"
#include "config/ini_file.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimeEdit>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <string>

namespace duskwheel::ui {

namespace {

// Sections, keys and defaults of Duskwheel.ini.
constexpr const char* kComSection = "COM GPS";
constexpr const char* kDisplaySection = "Display";
constexpr const char* kPortKey = "Port COM";
constexpr const char* kBaudKey = "Baud Rate";
constexpr const char* kDisplayOnKey = "Display On";
constexpr const char* kAlphaKey = "Alpha Blend";
constexpr const char* kAlphaValueKey = "Alpha Blend Value";
constexpr const char* kTopKey = "Window position Top";
constexpr const char* kLeftKey = "Window position Left";
constexpr const char* kFixedKey = "Fixed";
constexpr const char* kOnTopKey = "Always On Top";
constexpr const char* kDefaultPort = "COM46";
constexpr int kDefaultBaud = 10;   // 38400 bit/s
constexpr int kLastBaudIndex = 15; // 256000 bit/s
constexpr int kDefaultAlpha = 200;
constexpr int kDefaultTop = 200;
constexpr int kDefaultLeft = 500;

// The dates the solar model covers.
const QDate kFirstDate(kFirstModelDate.year, kFirstModelDate.month, kFirstModelDate.day);
const QDate kLastDate(kLastModelDate.year, kLastModelDate.month, kLastModelDate.day);

QFont BoldFont(const QFont& base) {
    QFont f = base;
    f.setBold(true);
    return f;
}

// Whether at least a grip's worth of the rectangle lies on some screen.
bool ReachableOnAScreen(const QRect& rect) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) {
        return true;
    }
    for (const QScreen* screen : screens) {
        const QRect common = screen->availableGeometry().intersected(rect);
        if (common.width() >= 40 && common.height() >= 20) {
            return true;
        }
    }
    return false;
}

// The saved place of the detached display, unless it would put the display
// where no screen shows it (a screen since unplugged): then the default place,
// or the primary screen's corner.
QPoint DisplayPlace(int left, int top) {
    const QSize size(TFormDisplay::kWidth, TFormDisplay::kHeight);
    if (ReachableOnAScreen(QRect(QPoint(left, top), size))) {
        return {left, top};
    }
    if (ReachableOnAScreen(QRect(QPoint(kDefaultLeft, kDefaultTop), size))) {
        return {kDefaultLeft, kDefaultTop};
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry().topLeft() : QPoint(0, 0);
}

} // namespace

TFormMain::TFormMain(MainOptions options) : setup_(std::move(options)) {
    RegisterWindow(FormMain, this, "TFormMain");
    if (setup_.filesDir.isEmpty()) {
        setup_.filesDir = QCoreApplication::applicationDirPath();
    }
    state_.FilesDir = ToFilePath(setup_.filesDir);
    state_.Sink = this;
    state_.HostUi = this;

    BuildForm();
    FormCreate();
}

TFormMain::~TFormMain() {
    qApp->removeEventFilter(this);
    state_.Sink = nullptr;
    state_.HostUi = nullptr;
    if (Timer1 != nullptr) {
        Timer1->stop();
    }
    UnregisterWindow(FormMain, this);
}

// ---------------------------------------------------------------------------
// The form description.

void TFormMain::BuildForm() {
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Duskwheel calculation"));
    setWindowIcon(AppIcon());

    auto* central = new QWidget(this);
    setCentralWidget(central);
    centralLayout_ = new QVBoxLayout(central);
    centralLayout_->setContentsMargins(0, 0, 0, 0);
    centralLayout_->setSpacing(0);

    // Top bar: date, time, verbose switch.
    PanelTop = new QWidget(central);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->setFixedHeight(kTopBarHeight);
    auto* top = new QHBoxLayout(PanelTop);
    top->setContentsMargins(4, 2, 4, 2);
    top->setSpacing(4);
    auto* dateLabel = new QLabel(QStringLiteral("Date"), PanelTop);
    DatePicker = new QDateEdit(PanelTop);
    DatePicker->setObjectName(QStringLiteral("DatePicker"));
    DatePicker->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DatePicker->setDateRange(kFirstDate, kLastDate);
    DatePicker->setCalendarPopup(false);
    const QString dateHint =
        QStringLiteral("Pick a date (for salat times or sun position calculation)");
    DatePicker->setToolTip(dateHint);
    DatePicker->setStatusTip(dateHint);
    dateLabel->setBuddy(DatePicker);
    auto* timeLabel = new QLabel(QStringLiteral("Time"), PanelTop);
    TimePicker = new QTimeEdit(PanelTop);
    TimePicker->setObjectName(QStringLiteral("TimePicker"));
    TimePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    const QString timeHint = QStringLiteral("Pick a time (for sun position calculation)");
    TimePicker->setToolTip(timeHint);
    TimePicker->setStatusTip(timeHint);
    timeLabel->setBuddy(TimePicker);
    CBVerbose = new QCheckBox(QStringLiteral("Verbose"), PanelTop);
    CBVerbose->setObjectName(QStringLiteral("CBVerbose"));
    const QString verboseHint = QStringLiteral("Open full text window to give calculation details");
    CBVerbose->setToolTip(verboseHint);
    CBVerbose->setStatusTip(verboseHint);
    top->addWidget(dateLabel);
    top->addWidget(DatePicker);
    top->addSpacing(2);
    top->addWidget(timeLabel);
    top->addWidget(TimePicker);
    top->addStretch(1);
    top->addWidget(CBVerbose);
    centralLayout_->addWidget(PanelTop);

    // Times panel: Arabic names, Latin names, the six fields, town and date,
    // in six columns of one width.
    PanelTimes = new QWidget(central);
    PanelTimes->setObjectName(QStringLiteral("PanelTimes"));
    PanelTimes->setFixedHeight(kTimesPanelHeight);
    auto* grid = new QGridLayout(PanelTimes);
    constexpr int kSide = 4;
    constexpr int kGap = 3;
    grid->setContentsMargins(kSide, 0, kSide, 2);
    grid->setHorizontalSpacing(kGap);
    grid->setVerticalSpacing(0);
    const int column = (kClientWidth - 2 * kSide - 5 * kGap) / 6;
    // The bold names at the largest size at which the longest fits its column.
    QFont nameFont = BoldFont(font());
    for (int px = 12; px >= 9; --px) {
        nameFont.setPixelSize(px);
        const QFontMetrics fm(nameFont);
        int widest = 0;
        for (const QString& name : LatinPrayerNames()) {
            widest = std::max(widest, fm.horizontalAdvance(name));
        }
        if (widest <= column - 2) {
            break;
        }
    }
    const QFont arabicFont = ArabicFont(15, true);
    const QSizePolicy cell(QSizePolicy::Ignored, QSizePolicy::Preferred);
    std::array<QLineEdit*, 6> fields{};
    for (int i = 0; i < 6; ++i) {
        const auto u = static_cast<std::size_t>(i);
        const QString& latin = LatinPrayerNames()[u];
        ArabicLabels[u] = new QLabel(ArabicPrayerNames()[u], PanelTimes);
        ArabicLabels[u]->setFont(arabicFont);
        ArabicLabels[u]->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        ArabicLabels[u]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
        ArabicLabels[u]->setMinimumHeight(20);
        NameLabels[u] = new QLabel(latin, PanelTimes);
        NameLabels[u]->setFont(nameFont);
        NameLabels[u]->setAlignment(Qt::AlignCenter);
        NameLabels[u]->setSizePolicy(cell);
        NameLabels[u]->setFixedHeight(QFontMetrics(nameFont).height() + 1);
        fields[u] = new QLineEdit(PanelTimes);
        fields[u]->setObjectName(QStringLiteral("Edit") + latin);
        fields[u]->setReadOnly(true);
        fields[u]->setAlignment(Qt::AlignCenter);
        fields[u]->setSizePolicy(cell);
        fields[u]->setFixedHeight(22);
        const QString hint = latin + QStringLiteral(" time");
        fields[u]->setToolTip(hint);
        fields[u]->setStatusTip(hint);
        grid->addWidget(ArabicLabels[u], 0, i);
        grid->addWidget(NameLabels[u], 1, i);
        grid->addWidget(fields[u], 2, i);
        grid->setColumnStretch(i, 1);
        grid->setColumnMinimumWidth(i, column);
    }
    EditFajr = fields[0];
    EditChourouk = fields[1];
    EditZuhr = fields[2];
    EditAsr = fields[3];
    EditMaghrib = fields[4];
    EditIsha = fields[5];
    LabelVille = new ElidedLabel(QStringLiteral("Ville"), PanelTimes);
    LabelVille->setObjectName(QStringLiteral("LabelVille"));
    LabelVille->setFont(BoldFont(font()));
    LabelVille->setAlignment(Qt::AlignCenter);
    LabelVille->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    LabelVille->setMinimumHeight(QFontMetrics(LabelVille->font()).height());
    const QString villeHint = QStringLiteral("Ville consid\u00E9r\u00E9e");
    LabelVille->setToolTip(villeHint);
    LabelVille->setStatusTip(villeHint);
    grid->addWidget(LabelVille, 3, 0, 1, 6);
    grid->setRowStretch(0, 3);
    grid->setRowStretch(3, 2);
    centralLayout_->addWidget(PanelTimes);

    // Report panel: the verbose report.
    Memo = new QPlainTextEdit(central);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo->setMaximumBlockCount(200000);
    Memo->setUndoRedoEnabled(false); // a report, not a text being edited
    Memo->setMinimumHeight(0);
    centralLayout_->addWidget(Memo, 1);
    bottomSpace_ = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding);
    centralLayout_->addItem(bottomSpace_);

    statusBar()->setSizeGripEnabled(true);

    BuildMenu();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TFormMain::Timer1Timer);

    connect(DatePicker, &QDateEdit::dateChanged, this, &TFormMain::DatePickerChange);
    connect(TimePicker, &QTimeEdit::timeChanged, this, &TFormMain::TimePickerChange);
    connect(CBVerbose, &QCheckBox::toggled, this, &TFormMain::CBVerboseClick);

    resize(kClientWidth, kPlainHeight);
}

void TFormMain::BuildMenu() {
    auto add = [this](QMenu* menu, const QString& caption, void (TFormMain::*handler)(),
                      const QString& hint = {}) {
        QAction* action = menu->addAction(caption);
        if (!hint.isEmpty()) {
            action->setToolTip(hint);
            action->setStatusTip(hint);
        }
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    Saveconfiguration1 =
        add(file, QStringLiteral("Save configuration"), &TFormMain::Saveconfiguration1Click,
            QStringLiteral("Write the conventions and towns to data.cfg"));
    Loadconfiguration1 =
        add(file, QStringLiteral("Load configuration"), &TFormMain::Loadconfiguration1Click,
            QStringLiteral("Read the conventions and towns again from data.cfg"));
    Exit1 = add(file, QStringLiteral("Exit"), &TFormMain::Exit1Click);

    QMenu* compute = menuBar()->addMenu(QStringLiteral("&Compute"));
    Resetdatetonow1 =
        add(compute, QStringLiteral("&Reset date to now"), &TFormMain::Resetdatetonow1Click);
    compute->addSeparator();
    Oneday1 = add(compute, QStringLiteral("One &day"), &TFormMain::Oneday1Click);
    Onemounth1 = add(compute, QStringLiteral("One &mounth"), &TFormMain::Onemounth1Click);
    Oneyear1 = add(compute, QStringLiteral("One &year"), &TFormMain::Oneyear1Click,
                   QStringLiteral("Compute salat calender for one year"));
    Wallyearcalendarhtml1 = add(compute, QStringLiteral("Wall year calendar html"),
                                &TFormMain::Wallyearcalendarhtml1Click);
    Wallyearcalendar1 =
        add(compute, QStringLiteral("&Wall year calendar"), &TFormMain::Wallyearcalendar1Click,
            QStringLiteral("Prepare wall year calendar"));
    G1 = add(compute, QStringLiteral("&Generate graphes"), &TFormMain::G1Click,
             QStringLiteral("Generate graphes"));
    compute->addSeparator();
    ButtonCalc_haz = add(compute, QStringLiteral("Sun position"), &TFormMain::ButtonCalc_hazClick,
                         QStringLiteral("Compute sun position at the given time and date"));
    Kibladirection1 =
        add(compute, QStringLiteral("Quibla direction"), &TFormMain::Kibladirection1Click);
    Moonposition1 = add(compute, QStringLiteral("&Moon position"), &TFormMain::Moonposition1Click);
    Hidjraconversion1 =
        add(compute, QStringLiteral("Hidjra conversion"), &TFormMain::Hidjraconversion1Click);
    Hidjraconversion1->setVisible(false); // hidden by the form description

    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
    TownsConfig = add(settings, QStringLiteral("&Towns"), &TFormMain::TownsConfigClick);
    Settings1 = add(settings, QStringLiteral("&Salat times settings"), &TFormMain::Settings1Click);
    Options1 = add(settings, QStringLiteral("&Options"), &TFormMain::Options1Click,
                   QStringLiteral("Detached display options"));
    LCD1 = add(settings, QStringLiteral("LCD"), &TFormMain::LCD1Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    Help2 = add(help, QStringLiteral("&Help"), &TFormMain::Help2Click);
    Help2->setShortcut(QKeySequence(Qt::Key_F1));
    Che1 = add(help, QStringLiteral("&Check latest version"), &TFormMain::Che1Click);
    About1 = add(help, QStringLiteral("&About"), &TFormMain::About1Click);

    // Not built yet.
    for (QAction* later : {ButtonCalc_haz, Kibladirection1, Moonposition1, Hidjraconversion1,
                           TownsConfig, Settings1, Help2, Che1, About1}) {
        later->setEnabled(false);
    }
}

// ---------------------------------------------------------------------------
// The creation handler and the close handler.

void TFormMain::FormCreate() {
    // 1. Hidden menu items.
    Wallyearcalendar1->setVisible(false);
    Wallyearcalendarhtml1->setVisible(false);
    Moonposition1->setVisible(false);
    LCD1->setVisible(false);

    // 2, 3.
    state_.Verbose = 0;
    state_.FillNameTables();

    // 4. The four windows it owns, in this order.
    towns_ = new TFormTowns(this);
    settings_ = new TFormSettings(this);
    display_ = std::make_unique<TFormDisplay>();
    optionsWindow_ = new TFormOptions(display_.get(), this);

    // 5.
    iniPath_ = QDir(setup_.filesDir).filePath(QStringLiteral("Duskwheel.ini"));

    // 6.
    Read_ini();
    state_.ReadConfigFile();

    // 7 to 9.
    ShowConfigRead();

    // 10.
    CreateTrayIcon();

    // Escape, as the reader of data.cfg polls it, and the end of a session.
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { Write_ini(); });

    // The first tick as soon as the event loop runs, then on every second.
    if (setup_.startTimer) {
        Timer1->start(0);
    }
    ready_ = true;
}

void TFormMain::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
    // The main window's end is the program's end, whatever else is open.
    if (display_) {
        display_->hide();
    }
    if (optionsWindow_ != nullptr) {
        optionsWindow_->hide();
    }
    if (tray_ != nullptr) {
        tray_->hide();
    }
    QCoreApplication::quit();
}

void TFormMain::FormClose() {
    closing_ = true;
    Timer1->stop();
    Write_ini();
}

// ---------------------------------------------------------------------------
// Duskwheel.ini.

void TFormMain::Read_ini() {
    IniFile ini(ToFilePath(iniPath_));
    ini.Load(); // absent or unreadable: every value takes its default

    // 2. The serial port, kept for the GPS receiver.
    towns_->ComPortName = FromLatin1(ini.ReadString(kComSection, kPortKey, kDefaultPort));
    int baud = ini.ReadInteger(kComSection, kBaudKey, kDefaultBaud);
    if (baud < 0 || baud > kLastBaudIndex) {
        baud = kDefaultBaud; // no such speed in the table
    }
    towns_->ComBaudRateIndex = baud;

    // The display's place is read below (step 6); putting it there first
    // keeps it from showing for an instant at another place.
    const QPoint place = DisplayPlace(ini.ReadInteger(kDisplaySection, kLeftKey, kDefaultLeft),
                                      ini.ReadInteger(kDisplaySection, kTopKey, kDefaultTop));
    display_->move(place);

    // 3.
    optionsWindow_->CBDisplay->setChecked(ini.ReadBool(kDisplaySection, kDisplayOnKey, false));
    display_->setVisible(optionsWindow_->CBDisplay->isChecked());
    // 4.
    optionsWindow_->CBAlpha->setChecked(ini.ReadBool(kDisplaySection, kAlphaKey, false));
    display_->SetAlphaBlend(optionsWindow_->CBAlpha->isChecked());
    // 5. The scroll bar keeps the value within 0 .. 255.
    optionsWindow_->SBAlpha->setValue(
        ini.ReadInteger(kDisplaySection, kAlphaValueKey, kDefaultAlpha));
    display_->SetAlphaBlendValue(optionsWindow_->SBAlpha->value());
    // 6. Top edge, then left edge.
    display_->move(display_->x(), place.y());
    display_->move(place.x(), display_->y());
    // 7, 8.
    optionsWindow_->CBFixed->setChecked(ini.ReadBool(kDisplaySection, kFixedKey, false));
    optionsWindow_->CBAlwaysOnTop->setChecked(ini.ReadBool(kDisplaySection, kOnTopKey, false));
}

bool TFormMain::Write_ini() {
    IniFile ini(ToFilePath(iniPath_));
    ini.Load(); // keeps whatever else the file holds
    ini.WriteString(kComSection, kPortKey, ToLatin1(towns_->ComPortName));
    ini.WriteInteger(kComSection, kBaudKey, towns_->ComBaudRateIndex);
    ini.WriteBool(kDisplaySection, kDisplayOnKey, optionsWindow_->CBDisplay->isChecked());
    ini.WriteBool(kDisplaySection, kAlphaKey, optionsWindow_->CBAlpha->isChecked());
    ini.WriteInteger(kDisplaySection, kAlphaValueKey, optionsWindow_->SBAlpha->value());
    ini.WriteInteger(kDisplaySection, kTopKey, display_->y());
    ini.WriteInteger(kDisplaySection, kLeftKey, display_->x());
    ini.WriteBool(kDisplaySection, kFixedKey, optionsWindow_->CBFixed->isChecked());
    ini.WriteBool(kDisplaySection, kOnTopKey, optionsWindow_->CBAlwaysOnTop->isChecked());
    std::string why;
    if (ini.Save(&why)) {
        return true;
    }
    ShowErrorText(QStringLiteral("The settings could not be saved to %1\n%2\nThe previous file "
                                 "is left as it was.")
                      .arg(QDir::toNativeSeparators(iniPath_), FromFilePath(why)),
                  QStringLiteral("Error"));
    return false;
}

// ---------------------------------------------------------------------------
// The display of the picked day.

std::array<QLineEdit*, 6> TFormMain::TimeFields() const {
    return {EditFajr, EditChourouk, EditZuhr, EditAsr, EditMaghrib, EditIsha};
}

QString TFormMain::NoTownText() {
    return QStringLiteral("Aucune ville s\u00E9lectionn\u00E9e (data.cfg)");
}

bool TFormMain::HasDisplayableTown() const {
    return state_.HasTown();
}

QString TFormMain::TownDateCaption() const {
    const TownData* town = state_.SelectedTown();
    if (town == nullptr || !HasDisplayableTown()) {
        return NoTownText();
    }
    const std::string caption = town->Country + ", " + town->Name + "  le " +
                                state_.DayName(state_.ComputationWeekday()) + " " +
                                state_.ComputationDateText();
    return FromLatin1(caption);
}

QString TFormMain::TrayHintText() const {
    const TownData* town = state_.SelectedTown();
    if (town == nullptr || !HasDisplayableTown()) {
        return QStringLiteral("Duskwheel\n") + NoTownText();
    }
    // "%s\n%s\n%d/%d/%d\n__________\nFajr %s\nZuhr %s\nAsr %s\nMaghrib %s\nIsha %s"
    const auto& t = state_.FinalTimes;
    const std::string hint =
        town->Name + "\n" + state_.DayName(state_.ComputationWeekday()) + "\n" +
        state_.ComputationDateText() + "\n__________\nFajr " + FormatHoursMinutes(t[Fajr]) +
        "\nZuhr " + FormatHoursMinutes(t[Zuhr]) + "\nAsr " + FormatHoursMinutes(t[Asr]) +
        "\nMaghrib " + FormatHoursMinutes(t[Maghrib]) + "\nIsha " + FormatHoursMinutes(t[Isha]);
    return FromLatin1(hint);
}

void TFormMain::UpdateAffichage() {
    const auto fields = TimeFields();
    if (!HasDisplayableTown()) {
        LabelVille->setText(NoTownText());
        for (QLineEdit* field : fields) {
            field->clear();
        }
        return;
    }
    LabelVille->setText(TownDateCaption());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i]->setText(FromLatin1(FormatHoursMinutes(state_.FinalTimes[i])));
    }
}

// ---------------------------------------------------------------------------
// Handlers.

void TFormMain::DateFromPicker() {
    const QDate d = DatePicker->date();
    state_.SetDate(d.year(), d.month(), d.day());
}

void TFormMain::SetPickersToNow() {
    const QDateTime now = Now();
    const QSignalBlocker blockDate(DatePicker);
    const QSignalBlocker blockTime(TimePicker);
    DatePicker->setDate(now.date());
    TimePicker->setTime(now.time());
}

void TFormMain::ComputeDay() {
    if (HasDisplayableTown()) {
        state_.ComputePrayerTimes();
    }
}

void TFormMain::RefreshKiblaIfVisible() {
    if (FormKibla != nullptr && FormKibla->isVisible()) {
        Kibladirection1Click();
    }
}

void TFormMain::DatePickerChange() {
    DateFromPicker();
    ComputeDay();
    UpdateAffichage();
    RefreshKiblaIfVisible();
}

void TFormMain::TimePickerChange() {
    RefreshKiblaIfVisible();
}

void TFormMain::CBVerboseClick() {
    state_.Verbose = CBVerbose->isChecked() ? 1 : 0;
    ApplyVerboseLayout(CBVerbose->isChecked());
}

void TFormMain::ApplyVerboseLayout(bool verbose) {
    // The window and the report take the design heights; the times panel
    // takes what the menu bar, the top bar and the status bar leave of the
    // rest (77 pixels at least), so no blank band is left.
    const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    const int above = verbose ? kVerboseHeight - kVerboseReportHeight : kPlainHeight;
    PanelTimes->setFixedHeight(std::max(kTimesPanelHeight, above - bars - kTopBarHeight));
    Memo->setVisible(verbose);
    bottomSpace_->changeSize(0, 0, QSizePolicy::Minimum,
                             verbose ? QSizePolicy::Fixed : QSizePolicy::Expanding);
    // The new minimum height first, or the window could not shrink.
    centralLayout_->invalidate();
    centralLayout_->activate();
    layout()->invalidate();
    layout()->activate();
    resize(width(), verbose ? kVerboseHeight : kPlainHeight);
}

void TFormMain::Oneday1Click() {
    if (state_.Verbose != 0) {
        state_.Report("");
    }
    DateFromPicker();
    ComputeDay();
    UpdateAffichage();
}

void TFormMain::Resetdatetonow1Click() {
    SetPickersToNow();
    DateFromPicker();
    ComputeDay();
    UpdateAffichage();
    RefreshKiblaIfVisible();
}

// After a reading of data.cfg: the verbose box and panel follow the file's
// switch, the pickers go to now, and that day is computed and shown.
void TFormMain::ShowConfigRead() {
    {
        const QSignalBlocker block(CBVerbose);
        CBVerbose->setChecked(state_.Verbose != 0);
    }
    ApplyVerboseLayout(state_.Verbose != 0);
    SetPickersToNow();
    DateFromPicker();
    ComputeDay();
    UpdateAffichage();
}

void TFormMain::Loadconfiguration1Click() {
    state_.ReadConfigFile();
    ShowConfigRead();
}

void TFormMain::Saveconfiguration1Click() {
    state_.WriteConfigFile();
}

void TFormMain::Exit1Click() {
    close();
}

void TFormMain::Options1Click() {
    optionsWindow_->show();
    optionsWindow_->raise();
    optionsWindow_->activateWindow();
}

void TFormMain::LCD1Click() {}
void TFormMain::Wallyearcalendar1Click() {}
void TFormMain::Wallyearcalendarhtml1Click() {}

// ---------------------------------------------------------------------------
// The calendars and the year graph.

namespace {

// The dialog built at start-up, or, should there be none (a main window
// built on its own), one of the main window's own, built once.
template <typename Dialog> Dialog& DialogOf(Dialog*& global, QWidget* owner) {
    if (global == nullptr) {
        new Dialog(owner); // sets `global`; released with its owner
    }
    return *global;
}

} // namespace

bool TFormMain::TownInUse(const QString& what) {
    if (HasDisplayableTown()) {
        return true;
    }
    // Without a town read and applied in full, a page or a graph would carry
    // a town's name over times computed for some other place.
    ShowErrorText(QStringLiteral("No town in use: data.cfg was not read completely.\n"
                                 "Load a valid configuration or choose a town before making %1.")
                      .arg(what),
                  QStringLiteral("Error"));
    return false;
}

void TFormMain::OpenPage(const PageWriteResult& page) {
    if (!page.ok) {
        return; // the failure has been shown; there is no page to open
    }
    const QString path = FromFilePath(page.path);
    statusBar()->showMessage(QDir::toNativeSeparators(path), 15000);
    const bool opened = setup_.openDocument ? setup_.openDocument(path)
                                            : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!opened) {
        // The page is there; the user must learn where, since nothing shows it.
        ShowErrorText(QStringLiteral("The page was written to %1\n"
                                     "but no program could be started to open it.")
                          .arg(QDir::toNativeSeparators(path)),
                      QStringLiteral("Error"));
    }
}

void TFormMain::Onemounth1Click() {
    if (!TownInUse(QStringLiteral("a calendar"))) {
        return;
    }
    TDlgSelMounth& dialog = DialogOf(DlgSelMounth, this);
    DateFromPicker();
    dialog.Preselect(state_.Year, state_.Month);
    if (dialog.exec() != QDialog::Accepted || closing_) {
        return;
    }
    const int month = dialog.ChosenMonth();
    const int year = dialog.ChosenYear();
    if (month == 0 || year == 0) {
        return; // "Generate" is disabled then; never compute an empty choice
    }
    // Verbose is kept quiet and restored by the computation itself.
    OpenPage(WriteMonthCalendar(state_, year, month));
}

void TFormMain::Oneyear1Click() {
    if (!TownInUse(QStringLiteral("a calendar"))) {
        return;
    }
    TDlgSelYear& dialog = DialogOf(DlgSelYear, this);
    DateFromPicker();
    dialog.Preselect(state_.Year);
    if (dialog.exec() != QDialog::Accepted || closing_) {
        return;
    }
    const int year = dialog.ChosenYear();
    if (year == 0) {
        return;
    }
    OpenPage(WriteYearCalendar(state_, year));
}

void TFormMain::G1Click() {
    if (!TownInUse(QStringLiteral("a graph"))) {
        return;
    }
    TDlgSelGraph& dialog = DialogOf(DlgSelGraph, this);
    dialog.FillTowns(state_.TownList, state_.TownSelected);
    DateFromPicker();
    dialog.Preselect(state_.Year);
    if (dialog.exec() != QDialog::Accepted || closing_) {
        return;
    }
    const int town = dialog.ChosenTown();
    const int year = dialog.ChosenYear();
    if (town < 0 || year == 0) {
        return;
    }
    // The chosen town is applied for the computation only: TownSelected, the
    // current location and Verbose come back exactly as they were.
    std::optional<YearGraph> graph = ComputeYearGraph(state_, town, year);
    if (!graph) {
        ShowErrorText(QStringLiteral("No graph for %1").arg(year), QStringLiteral("Error"));
        return;
    }
    auto* window = new TFormGraph(std::move(*graph), this);
    std::erase_if(graphs_, [](const QPointer<TFormGraph>& w) { return w.isNull(); });
    graphs_.emplace_back(window);
    window->CentreOn(this);
    window->show();
    window->raise();
    window->activateWindow();
    window->setFocus(Qt::ActiveWindowFocusReason);
}

std::vector<TFormGraph*> TFormMain::GraphWindows() const {
    std::vector<TFormGraph*> open;
    for (const QPointer<TFormGraph>& window : graphs_) {
        if (!window.isNull()) {
            open.push_back(window.data());
        }
    }
    return open;
}

void TFormMain::ButtonCalc_hazClick() {}
void TFormMain::Kibladirection1Click() {}
void TFormMain::Moonposition1Click() {}
void TFormMain::Hidjraconversion1Click() {}
void TFormMain::TownsConfigClick() {}
void TFormMain::Settings1Click() {}
void TFormMain::Help2Click() {}
void TFormMain::Che1Click() {}
void TFormMain::About1Click() {}

// ---------------------------------------------------------------------------
// The one-second timer.

QDateTime TFormMain::Now() const {
    return setup_.clock ? setup_.clock() : QDateTime::currentDateTime();
}

void TFormMain::SetClock(std::function<QDateTime()> clock) {
    setup_.clock = std::move(clock);
}

void TFormMain::Timer1Timer() {
    const QDateTime now = Now();
    const QTime t = now.time();
    display_->LabelHeure->setText(
        QString::asprintf("%02d:%02d:%02d", t.hour(), t.minute(), t.second()));

    if (DateOfSerial(state_.LastRefreshDate) != now.date()) {
        state_.LastRefreshDate = ToDateSerial(now);
        const QDate today = now.date();
        state_.SetDate(today.year(), today.month(), today.day());
        const auto labels = display_->TimeLabels();
        if (HasDisplayableTown()) {
            state_.ComputePrayerTimes();
            display_->LabelVille->setText(TownDateCaption());
            for (std::size_t i = 0; i < labels.size(); ++i) {
                labels[i]->setText(FromLatin1(FormatHoursMinutes(state_.FinalTimes[i])));
            }
            SetTrayHint(TrayHintText());
        } else {
            display_->LabelVille->setText(NoTownText());
            for (QLabel* label : labels) {
                label->clear();
            }
            SetTrayHint(QStringLiteral("Duskwheel\n") + NoTownText());
        }
    }
    ScheduleNextTick();
}

void TFormMain::ScheduleNextTick() {
    if (!setup_.startTimer || closing_) {
        return;
    }
    // Every second, just after the second turns, so the clock never lags.
    const int msec = QTime::currentTime().msec();
    Timer1->start(1000 - msec + 5);
}

// ---------------------------------------------------------------------------
// The tray icon.

void TFormMain::SetTrayHint(const QString& hint) {
    trayHint_ = hint;
    if (tray_ != nullptr) {
        tray_->setToolTip(hint);
    }
}

void TFormMain::CreateTrayIcon() {
    SetTrayHint(QStringLiteral("Duskwheel"));
    if (!setup_.useTray || !QSystemTrayIcon::isSystemTrayAvailable()) {
        return; // no tray on this desktop: the program runs without one
    }
    tray_ = new QSystemTrayIcon(AppIcon(), this);
    tray_->setToolTip(trayHint_);
    trayMenu_ = new QMenu(this);
    trayMenu_->addAction(QStringLiteral("Show / hide Duskwheel"), this, &TFormMain::TrayIconClick);
    trayMenu_->addAction(QStringLiteral("&Options"), this, &TFormMain::Options1Click);
    trayMenu_->addSeparator();
    trayMenu_->addAction(QStringLiteral("Exit"), this, &TFormMain::Exit1Click);
    tray_->setContextMenu(trayMenu_);
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) {
                    TrayIconClick();
                }
            });
    tray_->show();
}

void TFormMain::TrayIconClick() {
    if (isHidden() || isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        raise();
        activateWindow();
    } else {
        setWindowState(windowState() | Qt::WindowMinimized);
    }
}

void TFormMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && tray_ != nullptr &&
        tray_->isVisible()) {
        // Minimised: into the tray, out of the task bar.
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) {
                hide();
            }
        });
    }
}

void TFormMain::CenterOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect avail = screen->availableGeometry();
    move(avail.center() - QPoint(width() / 2, height() / 2));
}

// ---------------------------------------------------------------------------
// What the core asks of its host.

void TFormMain::AppendLine(const std::string& line) {
    // One line per call, an empty one too (QPlainTextEdit::appendPlainText
    // would drop an empty first line); the view follows the end of the report
    // unless the user has scrolled up.
    QScrollBar* bar = Memo->verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    QTextCursor cursor(Memo->document());
    cursor.movePosition(QTextCursor::End);
    if (memoHasLines_ || !Memo->document()->isEmpty()) {
        cursor.insertBlock();
    }
    cursor.insertText(FromLatin1(line));
    memoHasLines_ = true;
    if (atEnd) {
        bar->setValue(bar->maximum());
    }
}

void TFormMain::ShowError(const std::string& text, const std::string& title) {
    ShowErrorText(FromLatin1(text), FromLatin1(title));
}

void TFormMain::ShowErrorText(const QString& text, const QString& title) {
    if (setup_.showError) {
        setup_.showError(text, title);
        return;
    }
    // Before the main window shows (start-up), centred on the screen.
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok,
                    isVisible() ? this : nullptr);
    box.exec();
}

void TFormMain::ConventionListsChanged() {
    if (towns_ != nullptr) {
        towns_->RefillConventionList();
    }
    if (settings_ != nullptr) {
        settings_->RefillConventionList();
    }
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && !key->isAutoRepeat()) {
            escapeDown_ = event->type() == QEvent::KeyPress;
        }
        break;
    }
    case QEvent::ApplicationDeactivate:
        escapeDown_ = false;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace duskwheel::ui
