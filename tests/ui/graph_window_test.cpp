// The year graph: its dialog, the command, and the window as drawn,
// checked on a grab of it against the tables it holds.

#include "application.h"
#include "elided_label.h"
#include "graph.h"
#include "main_window.h"
#include "sel_graph.h"
#include "ui_test_support.h"
#include "windows.h"

#include "astro/primitives.h"
#include "calendar/year_graph.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <optional>
#include <string>

using namespace duskwheel;
using namespace duskwheel::ui;
using namespace duskwheel::ui::test;

namespace {

// Far enough from Paris that no dot of one could pass for the other's.
TownData Cairo() {
    return TownData{"Egypt", "Cairo", 31.2357, 30.0444, 2, 0, 0};
}

// The year of a town computed in a state of its own, for comparison.
YearGraph Expected(const TownData& town, int year) {
    ProgramState s;
    s.FillNameTables();
    s.Conventions[0] = ReferenceConvention();
    s.TownList = {town};
    s.NumberOfTowns = 1;
    s.ApplyTown(0);
    std::optional<YearGraph> g = ComputeYearGraph(s, 0, year);
    return g.value_or(YearGraph{});
}

bool SameTables(const YearGraph& a, const YearGraph& b) {
    if (a.year != b.year || !(a.town == b.town)) {
        return false;
    }
    for (std::size_t m = 0; m < 12; ++m) {
        if (a.months[m].days != b.months[m].days) {
            return false;
        }
        for (int d = 0; d < a.months[m].days; ++d) {
            if (a.months[m].times[static_cast<std::size_t>(d)] !=
                b.months[m].times[static_cast<std::size_t>(d)]) {
                return false;
            }
        }
    }
    return true;
}

QRgb Rgb(graph::Rgb c) {
    return qRgb(c.r, c.g, c.b);
}

QImage Grab(TFormGraph& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where every dot of the graph must show on the grab, at its top-left pixel:
// no dot of the next day reaches that column, so the pixel shows the last of
// the day's prayers whose 2 by 2 dot covers it (a prayer that the Sun never
// reaches keeps 0 h, and two such share their place). The cursor's column is
// left out. Returns the first mismatch, or nothing.
QString FirstWrongDot(const QImage& image, const YearGraph& g, DayCursor cursor) {
    for (int m = 0; m < 12; ++m) {
        const MonthTables& month = g.months[static_cast<std::size_t>(m)];
        for (int d = 0; d < month.days; ++d) {
            if (m == cursor.month && d == cursor.day) {
                continue;
            }
            const MonthRow& row = month.times[static_cast<std::size_t>(d)];
            const int x = graph::DayX(m, d);
            for (int p = 0; p < kPrayerCount; ++p) {
                const int y = graph::TimeY(row[static_cast<std::size_t>(p)]);
                int top = p;
                for (int q = p + 1; q < kPrayerCount; ++q) {
                    const int yq = graph::TimeY(row[static_cast<std::size_t>(q)]);
                    if (yq <= y && y < yq + 2) {
                        top = q;
                    }
                }
                const QRgb want = Rgb(graph::kPrayerColours[static_cast<std::size_t>(top)]);
                if (image.pixel(x, y) != want) {
                    return QStringLiteral("%1/%2 prayer %3 at (%4, %5): %6")
                        .arg(d + 1)
                        .arg(m + 1)
                        .arg(p)
                        .arg(x)
                        .arg(y)
                        .arg(image.pixel(x, y), 0, 16);
                }
            }
        }
    }
    return {};
}

bool IsPrayerColour(QRgb c) {
    for (const graph::Rgb& p : graph::kPrayerColours) {
        if (c == Rgb(p)) {
            return true;
        }
    }
    return false;
}

// Pixels of the plot's height in column x that show a prayer's colour.
int PrayerPixelsIn(const QImage& image, int x) {
    int n = 0;
    for (int y = graph::kY0; y < graph::kY0 + graph::kCursorLength; ++y) {
        n += IsPrayerColour(image.pixel(x, y)) ? 1 : 0;
    }
    return n;
}

int DarkPixels(const QImage& image, const QRect& box) {
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            n += qGray(image.pixel(x, y)) < 96 ? 1 : 0;
        }
    }
    return n;
}

struct Location {
    int selected;
    double longitude, latitude;
    int zone, dst, convention;
    bool operator==(const Location&) const = default;
};

Location LocationOf(const ProgramState& s) {
    return {s.TownSelected,    s.CurrentLongitude, s.CurrentLatitude,
            s.CurrentTimeZone, s.CurrentDST,       s.CurrentConvention};
}

// G1Click with the dialog answered: the town and year chosen, then Generate.
bool MakeGraph(TFormMain& w, int town, int year) {
    ModalAnswer answer(DlgSelGraph, [=] {
        DlgSelGraph->CBTowns->setCurrentIndex(town);
        DlgSelGraph->CBAnnee->setCurrentIndex(year - 1950);
        QTest::mouseClick(DlgSelGraph->OKBtn, Qt::LeftButton);
    });
    w.G1Click();
    return answer.Shown();
}

} // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void theDialogListsTheTownsAndPreselects() {
        Fixture fx;
        fx.WriteConfig({Paris(), Cairo()}, 1);
        ApplicationWindows windows(fx.Options());
        TFormMain& w = windows.Main();
        TDlgSelGraph& dlg = *DlgSelGraph;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("G\u00E9n\u00E9ration de graphes"));
        QCOMPARE(dlg.CBTowns->toolTip(), QStringLiteral("Select town from list"));
        QCOMPARE(dlg.CBAnnee->toolTip(), QStringLiteral("Choose the year"));
        QCOMPARE(dlg.OKBtn->text(), QStringLiteral("Generate"));
        QVERIFY(dlg.OKBtn->isDefault());
        QCOMPARE(dlg.CancelBtn->text(), QStringLiteral("Cancel"));
        QCOMPARE(dlg.CBAnnee->count(), 100);

        QStringList towns;
        int town = -2, year = -2;
        bool enabled = false;
        const auto look = [&] {
            towns.clear();
            for (int i = 0; i < dlg.CBTowns->count(); ++i) {
                towns << dlg.CBTowns->itemText(i);
            }
            town = dlg.CBTowns->currentIndex();
            year = dlg.CBAnnee->currentIndex();
            enabled = dlg.OKBtn->isEnabled();
            QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
        };
        {
            ModalAnswer answer(&dlg, look);
            w.G1Click();
            QVERIFY(answer.Shown());
        }
        QCOMPARE(towns, QStringList({"France : Paris", "Egypt : Cairo"}));
        QCOMPARE(town, 1);
        QCOMPARE(year, 58);
        QVERIFY(enabled);

        // Refilled at each run, from the list as it is then; a year outside
        // the list is not preselected and Generate waits for one.
        w.State().TownList.push_back(TownData{"France", "Besan\xE7on", 6.02, 47.24, 1, 0, 1});
        w.State().NumberOfTowns = 3;
        w.DatePicker->setDate(QDate(1930, 5, 1));
        {
            ModalAnswer answer(&dlg, look);
            w.G1Click();
            QVERIFY(answer.Shown());
        }
        QCOMPARE(towns, QStringList({"France : Paris", "Egypt : Cairo",
                                     QStringLiteral("France : Besan\u00E7on")}));
        QCOMPARE(town, 1);
        QCOMPARE(year, -1);
        QVERIFY(!enabled);

        // Cancel made nothing.
        QVERIFY(w.GraphWindows().empty());
        QVERIFY(fx.messages.empty());
    }

    void theCommandMakesAWindowForTheChosenTownAndLeavesTheStateAsItWas() {
        Fixture fx;
        fx.WriteConfig({Paris(), Cairo()}, 0);
        ApplicationWindows windows(fx.Options());
        TFormMain& w = windows.Main();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QStringList fields = FieldTexts(w);
        const QString caption = w.LabelVille->text();
        QCOMPARE(fields, ParisDecember21());
        w.CBVerbose->setChecked(true);
        const QString report = w.Memo->toPlainText();
        const Location before = LocationOf(w.State());

        QVERIFY(MakeGraph(w, 1, 2009));

        QCOMPARE(w.GraphWindows().size(), std::size_t{1});
        TFormGraph& g = *w.GraphWindows()[0];
        QVERIFY(g.isVisible());
        QVERIFY(g.isWindow());
        QCOMPARE(g.parentWidget(), &w); // owned by the main window
        QCOMPARE(g.windowTitle(),
                 QStringLiteral("Graphique des horaires de pri\u00E8res sur une ann\u00E9e"));
        QCOMPARE(g.size(), QSize(528, 314));
        QVERIFY(SameTables(g.Graph(), Expected(Cairo(), 2009)));
        QCOMPARE(g.LabelJour->text(), QStringLiteral("Jour"));
        QCOMPARE(FieldTexts(w), fields);
        for (const QLineEdit* field : g.TimeFields()) {
            QVERIFY(field->text().isEmpty());
        }
        QVERIFY(g.Cursor() == DayCursor{});
        QCOMPARE(g.focusWidget(), &g); // the keys move the cursor at once

        // The main window's town, location, switch, report and display.
        QVERIFY(LocationOf(w.State()) == before);
        QCOMPARE(w.State().Verbose, 1);
        QCOMPARE(w.Memo->toPlainText(), report);
        QCOMPARE(FieldTexts(w), fields);
        QCOMPARE(w.LabelVille->text(), caption);
        w.CBVerbose->setChecked(false);
        w.Oneday1Click(); // computes for Paris again, not for the graph's town
        QCOMPARE(FieldTexts(w), ParisDecember21());
        QCOMPARE(w.LabelVille->text(), kParisCaption);
        QVERIFY(fx.messages.empty());
    }

    void theGrabShowsEveryDotWhereTheTablesSay() {
        Fixture fx;
        fx.WriteConfig({Paris(), Cairo()}, 0);
        ApplicationWindows windows(fx.Options());
        TFormMain& w = windows.Main();
        QVERIFY(MakeGraph(w, 0, 2008));
        TFormGraph& g = *w.GraphWindows().at(0);
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QImage image = Grab(g);

        QCOMPARE(image.size(), QSize(528, 314));
        const QString wrong = FirstWrongDot(image, g.Graph(), g.Cursor());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        // 6.5 hours: from y 105 to 107, a 2 by 2 dot.
        QCOMPARE(graph::TimeY(6.5), 105);
        // The lime cursor on 1 January, from the top axis down 250 pixels.
        const QRgb lime = Rgb(graph::kLime);
        for (const int y : {40, 100, 200, 285, 289}) {
            QCOMPARE(image.pixel(30, y), lime);
        }
        QVERIFY(image.pixel(30, 290) != lime);
        // Black hour ticks left of the axis, the silver grid every two hours.
        QCOMPARE(image.pixel(27, 90), Rgb(graph::kBlack));
        QCOMPARE(image.pixel(27, 95), image.pixel(500, 312)); // the background
        QCOMPARE(image.pixel(230, 140), Rgb(graph::kSilver)); // 10 h, no prayer then
        QCOMPARE(image.pixel(230, 150), image.pixel(500, 312));
        // A leap year: the dots of 29 February reach into the next column, and
        // nothing is drawn one further on.
        QCOMPARE(PrayerPixelsIn(image, graph::DayX(1, 29)), 6 * 2); // six dots, two pixels high
        QCOMPARE(PrayerPixelsIn(image, graph::DayX(1, 30)), 0);
        // The texts are there, not clipped away: title, month and hour labels.
        QVERIFY(DarkPixels(image, QRect(10, 3, 200, 13)) > 40);
        QVERIFY(DarkPixels(image, QRect(12, 20, 36, 13)) > 15);  // Janvier
        QVERIFY(DarkPixels(image, QRect(310, 20, 60, 13)) > 15); // Novembre
        QVERIFY(DarkPixels(image, QRect(3, 33, 22, 13)) > 5);    // 0h
        QVERIFY(DarkPixels(image, QRect(3, 273, 22, 13)) > 5);   // 24h
        QCOMPARE(g.TitleText(), QString::fromLatin1(graph::GraphTitle(Paris()).c_str()));
    }

    void theScrollBarMovesTheCursorAndFillsTheDay() {
        Fixture fx;
        fx.WriteConfig();
        ApplicationWindows windows(fx.Options());
        TFormMain& w = windows.Main();
        QVERIFY(MakeGraph(w, 0, 2008));
        QVERIFY(MakeGraph(w, 0, 2009));
        const auto graphs = w.GraphWindows();
        QCOMPARE(graphs.size(), std::size_t{2});
        TFormGraph& leap = *graphs[0];
        TFormGraph& common = *graphs[1];
        QCOMPARE(leap.ScrollBarJour->minimum(), 0);
        QCOMPARE(leap.ScrollBarJour->maximum(), 366);
        QCOMPARE(leap.ScrollBarJour->pageStep(), 7);
        QCOMPARE(leap.ScrollBarJour->singleStep(), 1);
        QCOMPARE(leap.ScrollBarJour->value(), 0);

        const auto timesOf = [](const TFormGraph& g, int month, int day) {
            QStringList out;
            for (const double t : g.Graph()
                                      .months[static_cast<std::size_t>(month - 1)]
                                      .times[static_cast<std::size_t>(day - 1)]) {
                out << QString::fromLatin1(FormatHoursMinutes(t).c_str());
            }
            return out;
        };
        struct Case {
            TFormGraph* g;
            int position;
            QString label;
            int month, day;
        };
        const Case cases[] = {
            {&leap, 10, "11/1/2008", 1, 11},      {&leap, 0, "1/1/2008", 1, 1},
            {&leap, 59, "29/2/2008", 2, 29},      {&common, 59, "1/3/2009", 3, 1},
            {&leap, 365, "30/12/2008", 12, 30},   {&leap, 366, "31/12/2008", 12, 31},
            {&common, 366, "31/12/2009", 12, 31}, {&leap, 356, "21/12/2008", 12, 21},
        };
        const QRgb lime = Rgb(graph::kLime);
        for (const Case& c : cases) {
            const int oldX = graph::DayX(c.g->Cursor().month, c.g->Cursor().day);
            c.g->ScrollBarJour->setValue(c.position);
            const QString at = c.label;
            QCOMPARE(c.g->LabelJour->text(), c.label);
            QCOMPARE(c.g->Cursor().month, c.month - 1);
            QCOMPARE(c.g->Cursor().day, c.day - 1);
            QStringList fields;
            for (const QLineEdit* f : c.g->TimeFields()) {
                fields << f->text();
            }
            QCOMPARE(fields, timesOf(*c.g, c.month, c.day));
            // The cursor is drawn where the day is, and no longer where it was.
            const QImage image = Grab(*c.g);
            const int x = graph::DayX(c.month - 1, c.day - 1);
            QVERIFY2(image.pixel(x, 285) == lime && image.pixel(x, 41) == lime, qPrintable(at));
            if (oldX != x) {
                QVERIFY2(image.pixel(oldX, 285) != lime, qPrintable(at));
            }
        }
        // 21 December 2008 in Paris, as the main window gives it.
        QStringList fields;
        for (const QLineEdit* f : leap.TimeFields()) {
            fields << f->text();
        }
        QCOMPARE(fields, ParisDecember21());
        // From the keyboard: a day, a week, the ends of the scroll range.
        leap.ScrollBarJour->setValue(0);
        QTest::keyClick(&leap, Qt::Key_Right);
        QCOMPARE(leap.LabelJour->text(), QStringLiteral("2/1/2008"));
        QTest::keyClick(&leap, Qt::Key_PageDown);
        QCOMPARE(leap.LabelJour->text(), QStringLiteral("9/1/2008"));
        QTest::keyClick(&leap, Qt::Key_Left);
        QCOMPARE(leap.LabelJour->text(), QStringLiteral("8/1/2008"));
        QTest::keyClick(&leap, Qt::Key_End);
        QCOMPARE(leap.LabelJour->text(), QStringLiteral("31/12/2008"));
        QTest::keyClick(&leap, Qt::Key_Home);
        QCOMPARE(leap.LabelJour->text(), QStringLiteral("1/1/2008"));
    }

    // Each window repaints from its own tables, whatever came after it.
    void twoGraphsForTwoTownsKeepTheirOwnData() {
        Fixture fx;
        fx.WriteConfig({Paris(), Cairo()}, 0);
        ApplicationWindows windows(fx.Options());
        TFormMain& w = windows.Main();
        const Location before = LocationOf(w.State());
        QVERIFY(MakeGraph(w, 0, 2008));
        QVERIFY(MakeGraph(w, 1, 2009));
        QVERIFY(LocationOf(w.State()) == before);
        auto graphs = w.GraphWindows();
        QCOMPARE(graphs.size(), std::size_t{2});
        TFormGraph& paris = *graphs[0];
        TFormGraph& cairo = *graphs[1];
        QVERIFY(SameTables(paris.Graph(), Expected(Paris(), 2008)));
        QVERIFY(SameTables(cairo.Graph(), Expected(Cairo(), 2009)));
        paris.ScrollBarJour->setValue(100);
        cairo.ScrollBarJour->setValue(200);

        // Uncovered again after the other was made: each still its own.
        paris.hide();
        paris.show();
        QVERIFY(QTest::qWaitForWindowExposed(&paris));
        const QImage parisImage = Grab(paris);
        const QImage cairoImage = Grab(cairo);
        QString wrong = FirstWrongDot(parisImage, paris.Graph(), paris.Cursor());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        wrong = FirstWrongDot(cairoImage, cairo.Graph(), cairo.Cursor());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QVERIFY(parisImage != cairoImage);
        // 2009 has no 29 February: where its dots would reach, nothing.
        QCOMPARE(PrayerPixelsIn(cairoImage, graph::DayX(1, 29)), 0);
        QVERIFY(PrayerPixelsIn(parisImage, graph::DayX(1, 29)) > 0);
        QVERIFY(paris.TitleText().startsWith(QStringLiteral("France \\ Paris   latitude=")));
        QVERIFY(cairo.TitleText().startsWith(QStringLiteral("Egypt \\ Cairo   latitude=")));

        // Closing one releases it; the other goes on.
        paris.close();
        QTRY_COMPARE(w.GraphWindows().size(), std::size_t{1});
        QCOMPARE(w.GraphWindows()[0], &cairo);
        cairo.ScrollBarJour->setValue(0);
        cairo.ScrollBarJour->setValue(356);
        QCOMPARE(cairo.LabelJour->text(), QStringLiteral("21/12/2009"));
        QVERIFY(FirstWrongDot(Grab(cairo), cairo.Graph(), cairo.Cursor()).isEmpty());
    }

    void aLongPlaceNameKeepsTheCoordinatesInTheTitle() {
        const std::string longWord(31, 'W');
        const TownData town{longWord, longWord, -73.98, -33.9, -5, 0, 0};
        TFormGraph g(Expected(town, 2008), nullptr);
        const std::string full = graph::GraphTitle(town);
        const std::string coordinates = full.substr(full.find("   latitude="));
        const QString title = g.TitleText();
        QVERIFY(title.endsWith(QString::fromLatin1(coordinates.c_str())));
        QVERIFY(title.startsWith(QString::fromLatin1(longWord.substr(0, 8).c_str())));
        QVERIFY(QFontMetrics(g.TitleFont()).horizontalAdvance(title) <= 528 - 10);
        QVERIFY(title.contains(QChar(0x2026))); // shortened, and visibly so
    }

    void withoutATownInUseNoGraphIsMade() {
        Fixture fx;
        fx.WriteConfig({Paris(), Cairo()}, 5);
        ApplicationWindows windows(fx.Options());
        TFormMain& w = windows.Main();
        fx.messages.clear();
        QVERIFY(!MakeGraph(w, 0, 2008));
        QVERIFY(w.GraphWindows().empty());
        QCOMPARE(fx.messages.size(), std::size_t{1});
        QVERIFY(fx.messages[0].text.startsWith(QStringLiteral("No town in use")));
    }
};

QTEST_MAIN(GraphWindowTest)
#include "graph_window_test.moc"
