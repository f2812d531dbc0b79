// The main window: start-up, the picked day, the verbose
// switch, the one-second timer, the commands and the end of the program.

#include "date_serial.h"
#include "display.h"
#include "elided_label.h"
#include "main_window.h"
#include "options.h"
#include "ui_test_support.h"
#include "windows.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTextBlock>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>

using namespace duskwheel;
using namespace duskwheel::ui;
using namespace duskwheel::ui::test;

namespace {

QStringList DisplayTimes(const TFormMain& w) {
    QStringList out;
    for (const QLabel* label : w.Display()->TimeLabels()) {
        out << label->text();
    }
    return out;
}

QStringList MemoLines(const TFormMain& w) {
    return w.Memo->toPlainText().split(QLatin1Char('\n'));
}

const QString kParisHint = QStringLiteral("Paris\nDimanche\n21/12/2008\n__________\n"
                                          "Fajr 06:45\nZuhr 12:49\nAsr 14:40\n"
                                          "Maghrib 16:56\nIsha 18:46");

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startUpWithAValidDataCfg() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();

        QVERIFY(fx.messages.empty());
        QCOMPARE(w->windowTitle(), QStringLiteral("Duskwheel calculation"));
        // Today (the clock's date) in the pickers, the state and the fields.
        QCOMPARE(w->DatePicker->date(), QDate(2008, 12, 21));
        QCOMPARE(w->TimePicker->time(), QTime(10, 11, 12));
        QCOMPARE(int(w->State().Year), 2008);
        QCOMPARE(int(w->State().Month), 12);
        QCOMPARE(int(w->State().Day), 21);
        QCOMPARE(FieldTexts(*w), ParisDecember21());
        QCOMPARE(w->LabelVille->text(), kParisCaption);
        // Verbose off: the small window, no report.
        QVERIFY(!w->CBVerbose->isChecked());
        QCOMPARE(w->State().Verbose, 0);
        QVERIFY(w->Memo->isHidden());
        QCOMPARE(w->height(), TFormMain::kPlainHeight);
        // Until the first tick: the tray hint is the name, the refresh date 0.
        QCOMPARE(w->TrayHint(), QStringLiteral("Duskwheel"));
        QCOMPARE(w->State().LastRefreshDate, 0.0);
        // The name tables, the ini path, the transcript beside data.cfg.
        QVERIFY(w->State().DayName(4) == "Vendredi");
        QVERIFY(w->State().DayName(6) == "Dimanche");
        QVERIFY(w->State().HijriMonthName(8) == "RamaDHaan");
        QCOMPARE(w->IniPath(), fx.File("Duskwheel.ini"));
        QVERIFY(QFile::exists(fx.File("read_echo.cfg")));
        QVERIFY(w->HasDisplayableTown());
    }

    void startUpWithVerboseStoredInDataCfg() {
        Fixture fx;
        fx.WriteConfig({Paris()}, 0, 1);
        auto w = fx.MakeMain();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));

        QVERIFY(w->CBVerbose->isChecked());
        QCOMPARE(w->State().Verbose, 1);
        QTRY_COMPARE(w->height(), TFormMain::kVerboseHeight);
        QTRY_COMPARE(w->Memo->height(), TFormMain::kVerboseReportHeight);
        // The echo of data.cfg, then the start-up computation's report, its
        // Latin-1 text shown as the letters it means.
        const QString report = w->Memo->toPlainText();
        QVERIFY(report.startsWith(QStringLiteral("Lieu actuel : \nLieu : France, Paris\n")));
        QVERIFY(report.contains(QStringLiteral("Passage au m\u00E9ridien (Zuhr)=")));
        QVERIFY(report.contains(QStringLiteral(" 48\u00B051'00\"")));
        QVERIFY(report.contains(QStringLiteral("3rd iter \u00E0 ")));
        QVERIFY(report.contains(QStringLiteral("__ Date : Dimanche 21/12/2008")));
    }

    void startUpWithoutDataCfg() {
        Fixture fx;
        auto w = fx.MakeMain();

        QCOMPARE(fx.messages.size(), std::size_t{1});
        QCOMPARE(fx.messages[0].text,
                 QStringLiteral("File open error ") + QDir(fx.Dir()).filePath("data.cfg"));
        QCOMPARE(fx.messages[0].title, QStringLiteral("Error"));
        QVERIFY(!w->HasDisplayableTown());
        // No times presented as a town's: empty fields, a caption that says so.
        QCOMPARE(FieldTexts(*w), QStringList(6, QString()));
        QCOMPARE(w->LabelVille->text(), TFormMain::NoTownText());
        w->Timer1Timer();
        QCOMPARE(w->Display()->LabelHeure->text(), QStringLiteral("10:11:12"));
        QCOMPARE(w->Display()->LabelVille->text(), TFormMain::NoTownText());
        QCOMPARE(DisplayTimes(*w), QStringList(6, QString()));
        QCOMPARE(w->TrayHint(), QStringLiteral("Duskwheel\n") + TFormMain::NoTownText());
        // Commands go on working without a town.
        w->DatePicker->setDate(QDate(2009, 1, 1));
        w->Oneday1Click();
        w->Resetdatetonow1Click();
        QCOMPARE(FieldTexts(*w), QStringList(6, QString()));
        QCOMPARE(int(w->State().Day), 21);
    }

    void startUpWithTheSelectionOutOfRange() {
        Fixture fx;
        fx.WriteConfig({Paris()}, 3);
        auto w = fx.MakeMain();
        QCOMPARE(fx.messages.size(), std::size_t{1});
        QCOMPARE(fx.messages[0].text, QStringLiteral("Selected town out of range"));
        QVERIFY(!w->HasDisplayableTown());
        QCOMPARE(FieldTexts(*w), QStringList(6, QString()));
        QCOMPARE(w->LabelVille->text(), TFormMain::NoTownText());
    }

    void pickingADateRecomputesTheFieldsAndTheCaption() {
        Fixture fx;
        fx.WriteConfig();
        fx.now = QDateTime(QDate(2009, 3, 10), QTime(8, 0, 0));
        auto w = fx.MakeMain();
        w->Timer1Timer(); // the display shows today
        const QStringList today = DisplayTimes(*w);
        QVERIFY(FieldTexts(*w) != ParisDecember21());

        w->DatePicker->setDate(QDate(2008, 12, 21));
        QCOMPARE(FieldTexts(*w), ParisDecember21());
        QCOMPARE(w->LabelVille->text(), kParisCaption);
        QCOMPARE(int(w->State().Day), 21);
        QCOMPARE(int(w->State().Month), 12);
        QCOMPARE(int(w->State().Year), 2008);
        // The detached display keeps today's.
        QCOMPARE(DisplayTimes(*w), today);
        QVERIFY(w->Display()->LabelVille->text().endsWith(QStringLiteral("10/3/2009")));
    }

    void theDatePickerKeepsToTheSolarModelsRange() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        QCOMPARE(w->DatePicker->minimumDate(), QDate(1900, 3, 1));
        QCOMPARE(w->DatePicker->maximumDate(), QDate(2100, 2, 28));
        w->DatePicker->setDate(QDate(1850, 1, 1));
        QCOMPARE(w->DatePicker->date(), QDate(1900, 3, 1));
        QCOMPARE(int(w->State().Year), 1900);
        QCOMPARE(w->DatePicker->displayFormat(), QStringLiteral("dd/MM/yyyy"));
        QCOMPARE(w->TimePicker->displayFormat(), QStringLiteral("HH:mm:ss"));
    }

    void theTimePickerAloneChangesNothing() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        const QStringList fields = FieldTexts(*w);
        const QString caption = w->LabelVille->text();
        const auto finals = w->State().FinalTimes;
        const double t = w->State().T;

        w->TimePicker->setTime(QTime(23, 30, 0));
        QCOMPARE(w->TimePicker->time(), QTime(23, 30, 0));
        QCOMPARE(FieldTexts(*w), fields);
        QCOMPARE(w->LabelVille->text(), caption);
        QVERIFY(w->State().FinalTimes == finals);
        QCOMPARE(w->State().T, t);
    }

    void theVerboseSwitchSetsTheHeightsAndKeepsTheReport() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTRY_COMPARE(w->height(), 173);
        QVERIFY(!w->Memo->isVisible());

        w->CBVerbose->setChecked(true);
        QCOMPARE(w->State().Verbose, 1);
        QTRY_COMPARE(w->height(), 580);
        QTRY_COMPARE(w->Memo->height(), 420);
        QVERIFY(w->Memo->isVisible());
        // The panels stay whole above the report.
        QVERIFY(w->PanelTimes->height() >= TFormMain::kTimesPanelHeight);
        QCOMPARE(w->PanelTop->height(), TFormMain::kTopBarHeight);

        w->Oneday1Click();
        const QString report = w->Memo->toPlainText();
        QVERIFY(!report.isEmpty());

        w->CBVerbose->setChecked(false);
        QCOMPARE(w->State().Verbose, 0);
        QTRY_COMPARE(w->height(), 173);
        QVERIFY(!w->Memo->isVisible());
        QCOMPARE(w->Memo->toPlainText(), report);
        // Only the top bar and the times panel, whole.
        QVERIFY(w->PanelTimes->geometry().bottom() < w->centralWidget()->height());

        w->CBVerbose->setChecked(true);
        QTRY_COMPARE(w->height(), 580);
        QTRY_COMPARE(w->Memo->height(), 420);
        QCOMPARE(w->Memo->toPlainText(), report);
    }

    void aTickFillsTheDisplayTheCaptionAndTheNineLineTrayHint() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        QCOMPARE(w->Display()->LabelHeure->text(), QStringLiteral("00:00"));
        QCOMPARE(w->Display()->LabelVille->text(), QStringLiteral("Ville"));

        w->Timer1Timer();
        QCOMPARE(w->Display()->LabelHeure->text(), QStringLiteral("10:11:12"));
        QCOMPARE(w->Display()->LabelVille->text(), kParisCaption);
        QCOMPARE(DisplayTimes(*w), ParisDecember21());
        QCOMPARE(w->TrayHint(), kParisHint);
        QCOMPARE(w->TrayHint().split(QLatin1Char('\n')).size(), 9);
        QCOMPARE(DateOfSerial(w->State().LastRefreshDate), QDate(2008, 12, 21));

        // The clock only, within the same day.
        fx.now = QDateTime(QDate(2008, 12, 21), QTime(9, 5, 7));
        w->Timer1Timer();
        QCOMPARE(w->Display()->LabelHeure->text(), QStringLiteral("09:05:07"));
    }

    void crossingMidnightRecomputesForTheNewDayOnly() {
        Fixture fx;
        fx.WriteConfig();
        fx.now = QDateTime(QDate(2008, 12, 20), QTime(23, 59, 58));
        auto w = fx.MakeMain();
        w->DatePicker->setDate(QDate(2008, 6, 21)); // the user looks at June
        const QStringList june = FieldTexts(*w);
        const QString juneCaption = w->LabelVille->text();
        w->CBVerbose->setChecked(true); // every recomputation writes its report

        w->Timer1Timer();
        QVERIFY(w->TrayHint().startsWith(QStringLiteral("Paris\nSamedi\n20/12/2008\n")));
        QCOMPARE(int(w->State().Day), 20);

        fx.now = QDateTime(QDate(2008, 12, 20), QTime(23, 59, 59));
        int lines = w->Memo->document()->blockCount();
        w->Timer1Timer();
        QCOMPARE(w->Memo->document()->blockCount(), lines); // same day: no computation
        QCOMPARE(w->Display()->LabelHeure->text(), QStringLiteral("23:59:59"));

        fx.now = QDateTime(QDate(2008, 12, 21), QTime(0, 0, 0));
        w->Timer1Timer();
        QVERIFY(w->Memo->document()->blockCount() > lines);
        QCOMPARE(w->Display()->LabelHeure->text(), QStringLiteral("00:00:00"));
        QCOMPARE(w->TrayHint(), kParisHint);
        QCOMPARE(DisplayTimes(*w), ParisDecember21());
        QCOMPARE(w->Display()->LabelVille->text(), kParisCaption);
        QCOMPARE(int(w->State().Day), 21);
        // The main window keeps the picked date's times.
        QCOMPARE(FieldTexts(*w), june);
        QCOMPARE(w->LabelVille->text(), juneCaption);

        fx.now = QDateTime(QDate(2008, 12, 21), QTime(0, 0, 1));
        lines = w->Memo->document()->blockCount();
        w->Timer1Timer();
        QCOMPARE(w->Memo->document()->blockCount(), lines);
        QCOMPARE(w->TrayHint(), kParisHint);
    }

    void exitWritesDuskwheelIni() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        w->show();
        QVERIFY(!QFile::exists(fx.File("Duskwheel.ini")));
        w->Exit1Click();
        QVERIFY(!w->isVisible());
        QVERIFY(w->IsClosing());
        QVERIFY(fx.ReadFile("Duskwheel.ini").contains("[Display]"));
        QVERIFY(fx.messages.empty());
    }

    void theCloseBoxWritesDuskwheelIni() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        // As the window manager's close box does.
        QVERIFY(w->windowHandle() != nullptr);
        w->windowHandle()->close();
        QTRY_VERIFY(QFile::exists(fx.File("Duskwheel.ini")));
        QVERIFY(fx.ReadFile("Duskwheel.ini").contains("[COM GPS]"));
    }

    void oneDayWithVerboseAppendsAnEmptyLineThenTheReport() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        w->CBVerbose->setChecked(true);
        QVERIFY(w->Memo->toPlainText().isEmpty());
        w->Oneday1Click();
        QStringList lines = MemoLines(*w);
        QCOMPARE(lines.at(0), QString()); // the empty line, even as the first line
        QCOMPARE(lines.at(1), QString(61, QLatin1Char('_')));
        QCOMPARE(lines.at(2), QStringLiteral("Lieu : France, Paris"));
        QCOMPARE(lines.last(), QString(37, QLatin1Char('_')));
        QCOMPARE(FieldTexts(*w), ParisDecember21());

        const int before = static_cast<int>(lines.size());
        w->Oneday1Click();
        lines = MemoLines(*w);
        QCOMPARE(static_cast<int>(lines.size()), 2 * before);
        QCOMPARE(lines.at(before), QString());
        QCOMPARE(lines.at(before + 1), QString(61, QLatin1Char('_')));

        // Without verbose: nothing is appended.
        w->CBVerbose->setChecked(false);
        const QString report = w->Memo->toPlainText();
        w->Oneday1Click();
        QCOMPARE(w->Memo->toPlainText(), report);
    }

    void resetDateToNowPicksTodayAgain() {
        Fixture fx;
        fx.WriteConfig();
        fx.now = QDateTime(QDate(2009, 3, 10), QTime(8, 0, 0));
        auto w = fx.MakeMain();
        const QStringList today = FieldTexts(*w);
        w->DatePicker->setDate(QDate(2008, 12, 21));
        w->TimePicker->setTime(QTime(1, 2, 3));
        QCOMPARE(FieldTexts(*w), ParisDecember21());

        fx.now = QDateTime(QDate(2009, 3, 10), QTime(8, 30, 0));
        w->Resetdatetonow1Click();
        QCOMPARE(w->DatePicker->date(), QDate(2009, 3, 10));
        QCOMPARE(w->TimePicker->time(), QTime(8, 30, 0));
        QCOMPARE(FieldTexts(*w), today);
        QVERIFY(w->LabelVille->text().endsWith(QStringLiteral("le Mardi 10/3/2009")));
    }

    void loadConfigurationReadsAgainAndRecomputes() {
        Fixture fx;
        fx.WriteConfig();
        fx.now = QDateTime(QDate(2009, 3, 10), QTime(8, 0, 0));
        auto w = fx.MakeMain();
        w->DatePicker->setDate(QDate(2008, 1, 1));

        TownData makkah{"Saudi_Arabia", "Makkah", 39.83, 21.42, 3, 0, 0};
        fx.WriteConfig({Paris(), makkah}, 1, 1);
        fx.now = QDateTime(QDate(2008, 12, 21), QTime(6, 0, 0));
        w->Loadconfiguration1Click();
        QVERIFY(fx.messages.empty());
        QVERIFY(w->CBVerbose->isChecked());
        QCOMPARE(w->State().Verbose, 1);
        QCOMPARE(w->DatePicker->date(), QDate(2008, 12, 21));
        QCOMPARE(w->LabelVille->text(),
                 QStringLiteral("Saudi_Arabia, Makkah  le Dimanche 21/12/2008"));
        QVERIFY(FieldTexts(*w) != ParisDecember21());
        QVERIFY(w->Memo->toPlainText().contains(QStringLiteral("Lieu : Saudi_Arabia, Makkah")));
    }

    void aFailedLoadShowsNoTownRatherThanAStaleOne() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        w->Timer1Timer();
        QCOMPARE(FieldTexts(*w), ParisDecember21());

        // Two towns announced, one given: the location is still Paris's, the
        // list now names London.
        fx.WriteFile("data.cfg", "1 2 0 0\n2 United_Kingdom London 51.5 -0.12 0 1 0\n");
        w->Loadconfiguration1Click();
        QCOMPARE(fx.messages.size(), std::size_t{1});
        QCOMPARE(fx.messages[0].text, QStringLiteral("Number of towns does not match NTowns"));
        QVERIFY(!w->HasDisplayableTown());
        QCOMPARE(FieldTexts(*w), QStringList(6, QString()));
        QCOMPARE(w->LabelVille->text(), TFormMain::NoTownText());

        // The town comes back with a good file.
        fx.messages.clear();
        fx.WriteConfig();
        w->Loadconfiguration1Click();
        QVERIFY(fx.messages.empty());
        QCOMPARE(FieldTexts(*w), ParisDecember21());
    }

    void saveConfigurationWritesDataCfg() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        QFile::remove(fx.File("data.cfg"));
        w->State().TownList[0].Name = "Paris_Centre";
        w->Saveconfiguration1Click();
        QVERIFY(fx.messages.empty());
        QVERIFY(fx.ReadFile("data.cfg").contains("Paris_Centre"));
    }

    void latin1TownNamesAreShownAsTheirLetters() {
        Fixture fx;
        TownData montreal{"Canada",
                          "Montr\xE9"
                          "al",
                          -73.57,
                          45.5,
                          -5,
                          0,
                          1};
        fx.WriteConfig({montreal});
        fx.now = QDateTime(QDate(2008, 12, 21), QTime(12, 0, 0));
        auto w = fx.MakeMain();
        QCOMPARE(w->LabelVille->text(),
                 QStringLiteral("Canada, Montr\u00E9al  le Dimanche 21/12/2008"));
        w->Timer1Timer();
        QVERIFY(w->TrayHint().startsWith(QStringLiteral("Montr\u00E9al\nDimanche\n")));
    }

    void theMenuIsAsDesigned() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        QStringList menus;
        for (QAction* a : w->menuBar()->actions()) {
            menus << a->text();
        }
        QCOMPARE(menus, QStringList({"&File", "&Compute", "&Settings", "&Help"}));
        QCOMPARE(w->Oneday1->text(), QStringLiteral("One &day"));
        QCOMPARE(w->Onemounth1->text(), QStringLiteral("One &mounth"));
        QCOMPARE(w->Resetdatetonow1->text(), QStringLiteral("&Reset date to now"));
        QCOMPARE(w->Kibladirection1->text(), QStringLiteral("Quibla direction"));
        QCOMPARE(w->Help2->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(w->Oneyear1->statusTip(), QStringLiteral("Compute salat calender for one year"));
        // Hidden at start-up and by the form description.
        for (QAction* hidden : {w->Wallyearcalendar1, w->Wallyearcalendarhtml1, w->Moonposition1,
                                w->LCD1, w->Hidjraconversion1}) {
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->text()));
        }
        // Working now; the rest waits for its Part.
        for (QAction* on :
             {w->Saveconfiguration1, w->Loadconfiguration1, w->Exit1, w->Resetdatetonow1,
              w->Oneday1, w->Onemounth1, w->Oneyear1, w->G1, w->Options1}) {
            QVERIFY2(on->isEnabled() && on->isVisible(), qPrintable(on->text()));
        }
        for (QAction* later : {w->ButtonCalc_haz, w->Kibladirection1, w->TownsConfig, w->Settings1,
                               w->Help2, w->Che1, w->About1}) {
            QVERIFY2(!later->isEnabled(), qPrintable(later->text()));
        }
        // "Options" opens the options window, not modal.
        w->Options1->trigger();
        QVERIFY(w->Options()->isVisible());
        QVERIFY(!w->Options()->isModal());
    }

    void theStatusBarShowsHints() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QStatusTipEvent tip(w->TimePicker->statusTip());
        QCoreApplication::sendEvent(w.get(), &tip);
        QCOMPARE(w->statusBar()->currentMessage(),
                 QStringLiteral("Pick a time (for sun position calculation)"));
        QCOMPARE(w->LabelVille->statusTip(), QStringLiteral("Ville consid\u00E9r\u00E9e"));
        QCOMPARE(w->EditAsr->statusTip(), QStringLiteral("Asr time"));
    }

    void theArabicNamesCanBeDrawn() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        const QStringList expected = {
            QStringLiteral("\u0641\u062C\u0631"),       QStringLiteral("\u0634\u0631\u0648\u0642"),
            QStringLiteral("\u0638\u0647\u0631"),       QStringLiteral("\u0639\u0635\u0631"),
            QStringLiteral("\u0645\u063A\u0631\u0628"), QStringLiteral("\u0639\u0634\u0627\u0621")};
        for (int i = 0; i < 6; ++i) {
            const auto u = static_cast<std::size_t>(i);
            for (const QLabel* label : {w->ArabicLabels[u], w->Display()->ArabicLabels[u]}) {
                QCOMPARE(label->text(), expected[i]);
                // The font that draws them holds every letter: no empty boxes.
                const QFontMetrics fm(label->font());
                for (const QChar c : label->text()) {
                    QVERIFY2(fm.inFontUcs4(c.unicode()),
                             qPrintable(QFontInfo(label->font()).family()));
                }
            }
        }
    }

    void theTimesFitTheirFieldsAndTheCaptionIsNeverCut() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(w->width(), TFormMain::kClientWidth);
        int left = -1;
        for (const QLineEdit* field : w->TimeFields()) {
            QVERIFY(QFontMetrics(field->font()).horizontalAdvance(field->text()) <
                    field->width() - 4);
            QVERIFY(field->x() > left);
            left = field->x();
            QVERIFY(qAbs(field->width() - w->EditFajr->width()) <= 1); // six equal columns
        }
        for (const QLabel* name : w->NameLabels) {
            QVERIFY2(QFontMetrics(name->font()).horizontalAdvance(name->text()) <= name->width(),
                     qPrintable(name->text()));
        }
        QVERIFY(!w->LabelVille->IsElided());
        // A very long name is shortened on screen, never in the text.
        w->State().TownList[0].Country = "United_Arab_Emirates_and_its_neighbours";
        w->State().TownList[0].Name = "Ras_al_Khaimah_the_long_name";
        w->UpdateAffichage();
        QVERIFY(w->LabelVille->text().startsWith(
            QStringLiteral("United_Arab_Emirates_and_its_neighbours, Ras_al_Khaimah")));
        QVERIFY(w->LabelVille->IsElided());
        QCOMPARE(w->width(), TFormMain::kClientWidth);
    }

    void withoutASystemTrayTheProgramRunsQuietly() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        // The offscreen platform has no tray.
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        QVERIFY(w->TrayIcon() == nullptr);
        w->Timer1Timer();
        QCOMPARE(w->TrayHint(), kParisHint); // kept for when one appears
        // The tray click's action: minimise, then restore.
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->TrayIconClick();
        QTRY_VERIFY(w->isMinimized());
        QVERIFY(!w->isHidden()); // no tray to hide into
        w->TrayIconClick();
        QTRY_VERIFY(!w->isMinimized());
        QVERIFY(w->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
