// The month and year calendar commands of the main window: their dialogs,
// what they write, when the page is handed to the desktop and when not.

#include "application.h"
#include "elided_label.h"
#include "main_window.h"
#include "sel_mounth.h"
#include "sel_year.h"
#include "ui_test_support.h"
#include "windows.h"

#include "calendar/html_calendar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

using namespace duskwheel;
using namespace duskwheel::ui;
using namespace duskwheel::ui::test;

namespace {

const QString kMarch2008 = QStringLiteral("Paris_Mars2008.html");
const QString kYear2008 = QStringLiteral("Paris_2008.html");

QByteArray Golden(const QString& name) {
    QFile f(QStringLiteral(DUSKWHEEL_TEST_DATA_DIR "/calendar/") + name);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

// The files of the folder apart from those every start-up leaves there.
QStringList Pages(const Fixture& fx) {
    QStringList out;
    for (const QString& name : fx.Entries()) {
        if (name != QLatin1String("data.cfg") && name != QLatin1String("read_echo.cfg") &&
            name != QLatin1String("Duskwheel.ini")) {
            out << name;
        }
    }
    return out;
}

// The page the core writes for the same data.cfg, town, month or year, in a
// folder of its own.
QByteArray CorePage(const Fixture& fx, const std::function<PageWriteResult(ProgramState&)>& write) {
    QTemporaryDir other;
    ProgramState s;
    s.FilesDir = ToFilePath(other.path());
    s.FillNameTables();
    QFile::copy(fx.File(QStringLiteral("data.cfg")),
                QDir(other.path()).filePath(QStringLiteral("data.cfg")));
    if (s.ReadConfigFile() != ReadStatus::Ok) {
        return {};
    }
    const PageWriteResult r = write(s);
    if (!r.ok) {
        return {};
    }
    QFile f(FromFilePath(r.path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool SamePath(const QString& a, const QString& b) {
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

// Runs one of the two calendar commands with `act` answering its dialog.
struct Command {
    const char* name;
    void (TFormMain::*handler)();
    std::function<QDialog*()> dialog;
};

const Command kMonthCommand{"month", &TFormMain::Onemounth1Click,
                            [] { return static_cast<QDialog*>(DlgSelMounth); }};
const Command kYearCommand{"year", &TFormMain::Oneyear1Click,
                           [] { return static_cast<QDialog*>(DlgSelYear); }};

bool Run(TFormMain& w, const Command& c, std::function<void()> act) {
    ModalAnswer answer(c.dialog, std::move(act));
    (w.*c.handler)();
    return answer.Shown();
}

} // namespace

class CalendarCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void theDialogsAsDesigned() {
        Fixture fx;
        fx.WriteConfig();
        ApplicationWindows windows(fx.Options());

        TDlgSelMounth& m = *DlgSelMounth;
        QCOMPARE(m.windowTitle(), QStringLiteral("Select mounth"));
        QCOMPARE(m.CBMois->count(), 12);
        QCOMPARE(m.CBMois->itemText(0), QStringLiteral("Janvier"));
        QCOMPARE(m.CBMois->itemText(1), QStringLiteral("F\u00E9vrier"));
        QCOMPARE(m.CBMois->itemText(7), QStringLiteral("Ao\u00FBt"));
        QCOMPARE(m.CBMois->itemText(11), QStringLiteral("D\u00E9cembre"));
        QCOMPARE(m.CBMois->toolTip(), QStringLiteral("Choose the mounth"));
        QVERIFY(!m.CBMois->isEditable());

        TDlgSelYear& y = *DlgSelYear;
        QCOMPARE(y.windowTitle(), QStringLiteral("Select year"));
        for (QComboBox* years : {m.CBAnnee, y.CBAnnee}) {
            QCOMPARE(years->count(), 100);
            QCOMPARE(years->itemText(0), QStringLiteral("1950"));
            QCOMPARE(years->itemText(58), QStringLiteral("2008"));
            QCOMPARE(years->itemText(99), QStringLiteral("2049"));
            QCOMPARE(years->toolTip(), QStringLiteral("Choose the year"));
            QVERIFY(!years->isEditable());
        }
        for (const auto& [ok, cancel] : {std::pair{m.OKBtn, m.CancelBtn}, {y.OKBtn, y.CancelBtn}}) {
            QCOMPARE(ok->text(), QStringLiteral("Generate"));
            QVERIFY(ok->isDefault());
            QVERIFY(!ok->toolTip().isEmpty());
            QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        }
        QCOMPARE(m.OKBtn->toolTip(), y.OKBtn->toolTip());
    }

    void thePickedDateIsPreselectedAndCancelWritesNothing() {
        Fixture fx;
        fx.WriteConfig();
        ApplicationWindows windows(fx.Options());
        TFormMain& w = windows.Main();
        w.DatePicker->setDate(QDate(2008, 3, 15));
        const QStringList before = fx.Entries();

        int month = -2, year = -2;
        bool enabled = false;
        QVERIFY(Run(w, kMonthCommand, [&] {
            month = DlgSelMounth->CBMois->currentIndex();
            year = DlgSelMounth->CBAnnee->currentIndex();
            enabled = DlgSelMounth->OKBtn->isEnabled();
            QTest::mouseClick(DlgSelMounth->CancelBtn, Qt::LeftButton);
        }));
        QCOMPARE(month, 2);
        QCOMPARE(year, 58);
        QVERIFY(enabled);

        // Another date, another run: nothing is kept from the last one.
        w.DatePicker->setDate(QDate(1999, 11, 2));
        QVERIFY(Run(w, kYearCommand, [&] {
            year = DlgSelYear->CBAnnee->currentIndex();
            enabled = DlgSelYear->OKBtn->isEnabled();
            QTest::keyClick(DlgSelYear, Qt::Key_Escape);
        }));
        QCOMPARE(year, 49);
        QVERIFY(enabled);
        QVERIFY(Run(w, kMonthCommand, [&] {
            month = DlgSelMounth->CBMois->currentIndex();
            year = DlgSelMounth->CBAnnee->currentIndex();
            DlgSelMounth->reject();
        }));
        QCOMPARE(month, 10);
        QCOMPARE(year, 49);

        QCOMPARE(fx.Entries(), before);
        QVERIFY(fx.opened.empty());
        QVERIFY(fx.messages.empty());
    }

    void aYearOutsideTheListMustBeChosenBeforeGenerating() {
        struct Case {
            QDate picked;
            const Command* command;
            QString page; // written once 2008 is chosen
        };
        const Case cases[] = {
            {QDate(1949, 6, 1), &kMonthCommand, QStringLiteral("Paris_Juin2008.html")},
            {QDate(2050, 1, 20), &kMonthCommand, QStringLiteral("Paris_Janvier2008.html")},
            {QDate(1900, 3, 1), &kYearCommand, kYear2008},
            {QDate(2100, 2, 28), &kYearCommand, kYear2008},
        };
        for (const Case& c : cases) {
            Fixture fx;
            fx.WriteConfig();
            ApplicationWindows windows(fx.Options());
            TFormMain& w = windows.Main();
            w.DatePicker->setDate(c.picked);
            QComboBox* years =
                c.command == &kMonthCommand ? DlgSelMounth->CBAnnee : DlgSelYear->CBAnnee;
            QPushButton* ok = c.command == &kMonthCommand ? DlgSelMounth->OKBtn : DlgSelYear->OKBtn;

            int index = -2;
            bool enabledBefore = true, stillOpen = false, enabledAfter = false;
            QVERIFY(Run(w, *c.command, [&] {
                index = years->currentIndex();
                enabledBefore = ok->isEnabled();
                // Neither a click nor Enter generates with no year.
                QTest::mouseClick(ok, Qt::LeftButton);
                QTest::keyClick(c.command->dialog(), Qt::Key_Return);
                stillOpen = c.command->dialog()->isVisible();
                years->setCurrentIndex(58);
                enabledAfter = ok->isEnabled();
                QTest::mouseClick(ok, Qt::LeftButton);
            }));
            QCOMPARE(index, -1);
            QVERIFY(!enabledBefore);
            QVERIFY(stillOpen);
            QVERIFY(enabledAfter);
            QCOMPARE(Pages(fx), QStringList{c.page});
            QCOMPARE(fx.opened.size(), std::size_t{1});
            QVERIFY(fx.messages.empty());
        }
    }

    // The menu's pages are the reference pages, byte for byte; Verbose is
    // on and stays on, and the report gets nothing from the batch.
    void theMenuWritesTheReferencePagesAndOpensThem() {
        struct Case {
            const Command* command;
            QString page;
        };
        for (const Case& c : {Case{&kMonthCommand, kMarch2008}, Case{&kYearCommand, kYear2008}}) {
            Fixture fx;
            fx.CopyTestData(QStringLiteral("calendar/data.cfg"), QStringLiteral("data.cfg"));
            ApplicationWindows windows(fx.Options());
            TFormMain& w = windows.Main();
            QVERIFY(w.HasDisplayableTown());
            w.DatePicker->setDate(QDate(2008, 3, 15));
            const QStringList fields = FieldTexts(w);
            const QString caption = w.LabelVille->text();
            w.CBVerbose->setChecked(true);
            const QString report = w.Memo->toPlainText();

            QVERIFY(Run(w, *c.command, [&] { c.command->dialog()->accept(); }));

            QVERIFY2(fx.messages.empty(), c.command->name);
            const QByteArray golden = Golden(c.page);
            QVERIFY(!golden.isEmpty());
            QCOMPARE(fx.ReadFile(c.page), golden);
            QCOMPARE(Pages(fx), QStringList{c.page});
            QCOMPARE(fx.opened.size(), std::size_t{1});
            QVERIFY(SamePath(fx.opened[0], fx.File(c.page)));
            // Verbose and the report as they were.
            QCOMPARE(w.State().Verbose, 1);
            QVERIFY(w.CBVerbose->isChecked());
            QCOMPARE(w.Memo->toPlainText(), report);
            // The main window still shows the picked day of the town in use.
            QCOMPARE(FieldTexts(w), fields);
            QCOMPARE(w.LabelVille->text(), caption);
            QCOMPARE(w.State().TownSelected, 0);
        }
    }

    // The dialog's choice, not the picked date, and the town in use, not the
    // first of the list: the same bytes as the core writes for them.
    void theChoiceOfTheDialogIsWrittenForTheTownInUse() {
        Fixture fx;
        const TownData besancon{"France", "Besan\xE7on", 6.02, 47.24, 1, 0, 1};
        fx.WriteConfig({Paris(), besancon}, 1);
        ApplicationWindows windows(fx.Options());
        TFormMain& w = windows.Main();
        w.DatePicker->setDate(QDate(2008, 3, 15));

        QVERIFY(Run(w, kMonthCommand, [&] {
            DlgSelMounth->CBMois->setCurrentIndex(1);
            DlgSelMounth->CBAnnee->setCurrentIndex(2012 - 1950);
            QTest::mouseClick(DlgSelMounth->OKBtn, Qt::LeftButton);
        }));
        QVERIFY(Run(w, kYearCommand, [&] {
            DlgSelYear->CBAnnee->setCurrentIndex(2010 - 1950);
            QTest::keyClick(DlgSelYear, Qt::Key_Return);
        }));

        QVERIFY(fx.messages.empty());
        const QString month = QStringLiteral("Besan\u00E7on_F\u00E9vrier2012.html");
        const QString year = QStringLiteral("Besan\u00E7on_2010.html");
        QCOMPARE(Pages(fx), QStringList({year, month}));
        QCOMPARE(fx.ReadFile(month),
                 CorePage(fx, [](ProgramState& s) { return WriteMonthCalendar(s, 2012, 2); }));
        QCOMPARE(fx.ReadFile(year),
                 CorePage(fx, [](ProgramState& s) { return WriteYearCalendar(s, 2010); }));
        // February of a leap year, the month chosen.
        QVERIFY(fx.ReadFile(month).contains("<b>29</b>"));
        QVERIFY(!fx.ReadFile(month).contains("<b>30</b>"));
        QCOMPARE(fx.opened.size(), std::size_t{2});
        QVERIFY(SamePath(fx.opened[0], fx.File(month)));
        QVERIFY(SamePath(fx.opened[1], fx.File(year)));
        QCOMPARE(w.State().TownSelected, 1);
    }

    void aFailedWriteIsReportedAndNothingIsOpened() {
        for (const auto& [command, page] :
             {std::pair{&kMonthCommand, kMarch2008}, std::pair{&kYearCommand, kYear2008}}) {
            Fixture fx;
            fx.WriteConfig();
            // A folder where the page should go: the page cannot take its name.
            QVERIFY(QDir(fx.Dir()).mkdir(page));
            ApplicationWindows windows(fx.Options());
            TFormMain& w = windows.Main();
            w.DatePicker->setDate(QDate(2008, 3, 15));

            QVERIFY(Run(w, *command, [&] { command->dialog()->accept(); }));

            QCOMPARE(fx.messages.size(), std::size_t{1});
            QCOMPARE(fx.messages[0].title, QStringLiteral("Error"));
            QVERIFY2(fx.messages[0].text.startsWith(QStringLiteral("File ")),
                     qPrintable(fx.messages[0].text));
            QVERIFY(fx.messages[0].text.contains(page));
            QVERIFY(fx.opened.empty());
            QVERIFY(QFileInfo(fx.File(page)).isDir());
            QCOMPARE(Pages(fx), QStringList{page}); // no temporary file left behind
        }
    }

    void aPageThatNoProgramOpensIsReportedWithItsPlace() {
        Fixture fx;
        fx.WriteConfig();
        fx.openSucceeds = false;
        ApplicationWindows windows(fx.Options());
        TFormMain& w = windows.Main();
        w.DatePicker->setDate(QDate(2008, 3, 15));

        QVERIFY(Run(w, kMonthCommand, [&] { DlgSelMounth->accept(); }));

        QCOMPARE(fx.opened.size(), std::size_t{1});
        QVERIFY(!fx.ReadFile(kMarch2008).isEmpty());
        QCOMPARE(fx.messages.size(), std::size_t{1});
        QVERIFY(fx.messages[0].text.contains(QDir::toNativeSeparators(fx.File(kMarch2008))));
    }

    // A page must never carry a town's name over times computed elsewhere.
    void withoutATownInUseTheCommandsAreRefused() {
        struct Case {
            const char* why;
            std::function<void(Fixture&)> setUp;
        };
        const Case cases[] = {
            {"selection out of range", [](Fixture& fx) { fx.WriteConfig({Paris()}, 3); }},
            {"no data.cfg", [](Fixture&) {}},
        };
        for (const Case& c : cases) {
            Fixture fx;
            c.setUp(fx);
            ApplicationWindows windows(fx.Options());
            TFormMain& w = windows.Main();
            QVERIFY(!w.HasDisplayableTown());
            fx.messages.clear(); // what the start-up said

            QVERIFY2(!Run(w, kMonthCommand, [] { DlgSelMounth->accept(); }), c.why);
            QVERIFY2(!Run(w, kYearCommand, [] { DlgSelYear->accept(); }), c.why);

            QCOMPARE(fx.messages.size(), std::size_t{2});
            for (const Message& m : fx.messages) {
                QCOMPARE(m.title, QStringLiteral("Error"));
                QVERIFY(m.text.startsWith(QStringLiteral("No town in use")));
            }
            QCOMPARE(Pages(fx), QStringList());
            QVERIFY(fx.opened.empty());
        }
    }

    // A main window built without the application's dialogs still asks.
    void aMainWindowOnItsOwnBuildsItsDialog() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        QVERIFY(DlgSelMounth == nullptr);
        w->DatePicker->setDate(QDate(2008, 3, 15));
        int month = -1;
        ModalAnswer answer([] { return static_cast<QDialog*>(DlgSelMounth); },
                           [&] {
                               month = DlgSelMounth->ChosenMonth();
                               DlgSelMounth->accept();
                           });
        w->Onemounth1Click();
        QVERIFY(answer.Shown());
        QCOMPARE(month, 3);
        QCOMPARE(Pages(fx), QStringList{kMarch2008});
        w.reset();
        QVERIFY(DlgSelMounth == nullptr);
    }
};

QTEST_MAIN(CalendarCommandsTest)
#include "calendar_commands_test.moc"
