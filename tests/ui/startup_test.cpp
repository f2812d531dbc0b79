// Program start: the windows in their fixed order, all but the
// main window hidden, each reachable through its global reference, and the
// main window's creation handler in its order.

#include "application.h"
#include "browser.h"
#include "date_serial.h"
#include "display.h"
#include "kibla.h"
#include "lcd.h"
#include "main_window.h"
#include "options.h"
#include "sel_graph.h"
#include "sel_mounth.h"
#include "sel_year.h"
#include "sel_year_calendar.h"
#include "settings.h"
#include "towns.h"
#include "ui_test_support.h"
#include "windows.h"

#include <QLabel>
#include <QtTest>

#include <string>
#include <vector>

using namespace duskwheel;
using namespace duskwheel::ui;
using namespace duskwheel::ui::test;

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void theWindowsAreBuiltInTheirOrder() {
        Fixture fx;
        fx.WriteConfig();
        WindowCreationLog().clear();
        {
            ApplicationWindows windows(fx.Options());
            const std::vector<std::string> expected = {
                "TFormMain",     "TFormTowns",   "TFormSettings",       "TFormDisplay",
                "TFormOptions",  "TFormBrowser", "TFormKibla",          "TFormLCD",
                "TDlgSelMounth", "TDlgSelYear",  "TDlgSelYearCalendar", "TDlgSelGraph"};
            QVERIFY(WindowCreationLog() == expected);

            // Every window through its global reference; all hidden until the
            // main window is shown.
            QCOMPARE(FormMain, &windows.Main());
            QCOMPARE(windows.Main().windowTitle(), QStringLiteral("Duskwheel calculation"));
            QCOMPARE(FormTowns, windows.Main().Towns());
            QCOMPARE(FormSettings, windows.Main().Settings());
            QCOMPARE(FormDisplay, windows.Main().Display());
            QCOMPARE(FormOptions, windows.Main().Options());
            const std::vector<QWidget*> all = {
                FormMain,     FormBrowser,  FormKibla,          FormLCD,
                DlgSelMounth, DlgSelYear,   DlgSelYearCalendar, DlgSelGraph,
                FormTowns,    FormSettings, FormDisplay,        FormOptions};
            for (QWidget* window : all) {
                QVERIFY(window != nullptr);
                QVERIFY2(!window->isVisible(), qPrintable(window->metaObject()->className()));
            }
            // The owned editors and options belong to the main window.
            QWidget* main = FormMain;
            QCOMPARE(FormTowns->parentWidget(), main);
            QCOMPARE(FormSettings->parentWidget(), main);
            QCOMPARE(FormOptions->parentWidget(), main);
            // Start-up computed today before the first display.
            QCOMPARE(FieldTexts(windows.Main()), ParisDecember21());
        }
        // All gone with the program.
        for (void* gone : {static_cast<void*>(FormMain), static_cast<void*>(FormBrowser),
                           static_cast<void*>(FormKibla), static_cast<void*>(FormLCD),
                           static_cast<void*>(DlgSelMounth), static_cast<void*>(DlgSelYear),
                           static_cast<void*>(DlgSelYearCalendar), static_cast<void*>(DlgSelGraph),
                           static_cast<void*>(FormTowns), static_cast<void*>(FormSettings),
                           static_cast<void*>(FormDisplay), static_cast<void*>(FormOptions)}) {
            QVERIFY(gone == nullptr);
        }
    }

    void duskwheelIniIsReadBeforeDataCfg() {
        // Read_ini runs before ReadConfigFile: a display shown by the ini is
        // there while data.cfg is reported missing.
        Fixture fx;
        fx.WriteFile("Duskwheel.ini", "[Display]\nDisplay On=1\n");
        bool displayShownAtTheMessage = false;
        MainOptions options = fx.Options();
        options.showError = [&](const QString&, const QString&) {
            displayShownAtTheMessage = FormDisplay != nullptr && FormDisplay->isVisible();
        };
        TFormMain w(options);
        QVERIFY(displayShownAtTheMessage);
    }

    void theTimerRunsOnItsOwnFromTheStart() {
        Fixture fx;
        fx.WriteConfig();
        MainOptions options = fx.Options();
        options.clock = {}; // the system clock
        options.startTimer = true;
        TFormMain w(options);
        QCOMPARE(w.State().LastRefreshDate, 0.0);
        // Within about a second the first tick has filled the display.
        QTRY_VERIFY_WITH_TIMEOUT(w.State().LastRefreshDate != 0.0, 5000);
        QCOMPARE(DateOfSerial(w.State().LastRefreshDate), QDate::currentDate());
        QVERIFY(w.TrayHint().startsWith(QStringLiteral("Paris\n")));
        QTRY_VERIFY_WITH_TIMEOUT(w.Display()->LabelHeure->text().size() == 8, 5000);
        // Ticking on the second: each tick is set for just after the next
        // second turns, so the clock never lags nor skips a second.
        const QString first = w.Display()->LabelHeure->text();
        QTRY_VERIFY_WITH_TIMEOUT(w.Display()->LabelHeure->text() != first, 5000);
        QVERIFY(w.Timer1->isActive());
        const int phase = (QTime::currentTime().msec() + w.Timer1->remainingTime()) % 1000;
        QVERIFY2(phase >= 990 || phase <= 40, qPrintable(QString::number(phase)));
        w.close();
        QVERIFY(!w.Timer1->isActive());
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
