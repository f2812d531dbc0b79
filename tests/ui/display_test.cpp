// The detached display and its options window: creation, drag and
// pin, visibility, translucency, topmost, and the options' handlers.

#include "display.h"
#include "elided_label.h"
#include "options.h"
#include "windows.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include <memory>

using namespace duskwheel::ui;

namespace {

struct Pair {
    Pair()
        : display(std::make_unique<TFormDisplay>()),
          options(std::make_unique<TFormOptions>(display.get())) {
        display->move(100, 100);
    }
    // The options refer to the display: they go first.
    ~Pair() {
        options.reset();
        display.reset();
    }
    std::unique_ptr<TFormDisplay> display;
    std::unique_ptr<TFormOptions> options;
};

} // namespace

class DisplayTest : public QObject {
    Q_OBJECT

  private slots:
    void theDisplayIsCreatedAsDesigned() {
        Pair p;
        TFormDisplay& d = *p.display;
        QCOMPARE(FormDisplay, &d);
        QCOMPARE(d.size(), QSize(320, 78));
        QCOMPARE(d.Panel3->geometry(), QRect(0, 0, 320, 78));
        const Qt::WindowFlags flags = d.windowFlags();
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool); // no task-bar entry
        QVERIFY(d.IsTopmost());
        QVERIFY(d.AlphaBlend());
        QCOMPARE(d.AlphaBlendValue(), 200);
        QVERIFY(qAbs(d.windowOpacity() - 200 / 255.0) < 0.01);
        QVERIFY(d.testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(!d.IsDragging());
        // Initial texts.
        for (const QLabel* label : d.TimeLabels()) {
            QCOMPARE(label->text(), QStringLiteral("00:00"));
        }
        QCOMPARE(d.LabelHeure->text(), QStringLiteral("00:00"));
        QCOMPARE(d.LabelVille->text(), QStringLiteral("Ville"));
        QCOMPARE(d.LabelHeureCaption->text(), QStringLiteral("heure"));
        const QStringList names = {"Fajr", "Chourouk", "Zuhr", "Asr", "Maghrib", "Isha"};
        int lastX = -1;
        for (int i = 0; i < 6; ++i) {
            const auto u = static_cast<std::size_t>(i);
            QCOMPARE(d.NameLabels[u]->text(), names[i]);
            // Rows: Arabic names above the Latin names above the times.
            QVERIFY(d.ArabicLabels[u]->y() < d.NameLabels[u]->y());
            QVERIFY(d.NameLabels[u]->y() < d.TimeLabels()[u]->y());
            QVERIFY(d.TimeLabels()[u]->y() < d.LabelHeure->y());
            QVERIFY(d.LabelHeure->y() < d.LabelVille->y());
            QVERIFY(d.TimeLabels()[u]->x() > lastX);
            lastX = d.TimeLabels()[u]->x();
            // A time fits its column.
            const QLabel* t = d.TimeLabels()[u];
            QVERIFY(QFontMetrics(t->font()).horizontalAdvance(QStringLiteral("25:07")) <
                    t->width());
            QVERIFY(QFontMetrics(d.NameLabels[u]->font()).horizontalAdvance(names[i]) <=
                    d.NameLabels[u]->width());
        }
        QVERIFY(d.LabelVille->geometry().bottom() < 78);
    }

    void aRightOrMiddlePressDoesNotStartADrag() {
        Pair p;
        TFormDisplay& d = *p.display;
        d.Panel3MouseDown(Qt::RightButton, QPoint(10, 10));
        QVERIFY(!d.IsDragging());
        d.Panel3MouseDown(Qt::MiddleButton, QPoint(10, 10));
        QVERIFY(!d.IsDragging());
        d.Panel3MouseMove(QPoint(50, 40));
        QCOMPARE(d.pos(), QPoint(100, 100));
    }

    void aLeftDragMovesTheWindowWithTheGrabbedPointUnderTheCursor() {
        Pair p;
        TFormDisplay& d = *p.display;
        d.Panel3MouseDown(Qt::LeftButton, QPoint(10, 10));
        QVERIFY(d.IsDragging());
        d.Panel3MouseMove(QPoint(30, 25));
        QCOMPARE(d.pos(), QPoint(120, 115));
        // The cursor is at the grabbed point again: no further move.
        d.Panel3MouseMove(QPoint(10, 10));
        QCOMPARE(d.pos(), QPoint(120, 115));
        d.Panel3MouseMove(QPoint(5, 12));
        QCOMPARE(d.pos(), QPoint(115, 117));
        d.Panel3MouseUp(Qt::LeftButton);
        QVERIFY(!d.IsDragging());
        d.Panel3MouseMove(QPoint(60, 60));
        QCOMPARE(d.pos(), QPoint(115, 117));
    }

    void theRealMouseDragsTheShownDisplay() {
        Pair p;
        TFormDisplay& d = *p.display;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QPoint start = d.pos();
        QTest::mousePress(d.Panel3, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(d.IsDragging());
        QTest::mouseMove(d.Panel3, QPoint(50, 30));
        QTRY_COMPARE(d.pos(), start + QPoint(30, 10));
        QTest::mouseRelease(d.Panel3, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!d.IsDragging());
    }

    void pinningDuringADragDoesNotEndItButStopsTheNext() {
        Pair p;
        TFormDisplay& d = *p.display;
        d.Panel3MouseDown(Qt::LeftButton, QPoint(10, 10));
        p.options->CBFixed->setChecked(true);
        d.Panel3MouseMove(QPoint(20, 10));
        QCOMPARE(d.pos(), QPoint(110, 100));
        d.Panel3MouseUp(Qt::LeftButton);
        d.Panel3MouseDown(Qt::LeftButton, QPoint(10, 10));
        QVERIFY(!d.IsDragging());
        d.Panel3MouseMove(QPoint(40, 40));
        QCOMPARE(d.pos(), QPoint(110, 100));
        // Unpinned, it drags again.
        p.options->CBFixed->setChecked(false);
        d.Panel3MouseDown(Qt::LeftButton, QPoint(10, 10));
        QVERIFY(d.IsDragging());
    }

    void releasingAnyButtonEndsADrag() {
        Pair p;
        TFormDisplay& d = *p.display;
        d.Panel3MouseDown(Qt::LeftButton, QPoint(10, 10));
        d.Panel3MouseUp(Qt::RightButton);
        QVERIFY(!d.IsDragging());
        d.Panel3MouseMove(QPoint(30, 30));
        QCOMPARE(d.pos(), QPoint(100, 100));
    }

    void aMoveWithoutAPressDoesNotMoveTheWindow() {
        Pair p;
        TFormDisplay& d = *p.display;
        d.Panel3MouseMove(QPoint(30, 30));
        QCOMPARE(d.pos(), QPoint(100, 100));
    }

    void uncheckingDetachHidesAndCheckingShowsAtTheLastPlace() {
        Pair p;
        TFormDisplay& d = *p.display;
        TFormOptions& o = *p.options;
        o.CBDisplay->setChecked(true); // from code: the handler runs
        QVERIFY(d.isVisible());
        d.move(300, 250);
        o.CBDisplay->setChecked(false);
        QVERIFY(!d.isVisible());
        o.CBDisplay->setChecked(true);
        QVERIFY(d.isVisible());
        QCOMPARE(d.pos(), QPoint(300, 250));
        // A user's click runs the same handler.
        QTest::mouseClick(o.CBDisplay, Qt::LeftButton);
        QVERIFY(!o.CBDisplay->isChecked());
        QVERIFY(!d.isVisible());
    }

    void theOpacityAppliesOnlyWithTransparencyOn() {
        Pair p;
        TFormDisplay& d = *p.display;
        TFormOptions& o = *p.options;
        // Translucency starts on (200); the box starts unchecked.
        o.CBAlpha->setChecked(true);
        o.CBAlpha->setChecked(false);
        QVERIFY(!d.AlphaBlend());
        QCOMPARE(d.windowOpacity(), 1.0);
        o.SBAlpha->setValue(100);
        QCOMPARE(d.AlphaBlendValue(), 100);
        QCOMPARE(d.windowOpacity(), 1.0); // stays opaque
        o.CBAlpha->setChecked(true);
        QVERIFY(qAbs(d.windowOpacity() - 100 / 255.0) < 0.01);
        o.SBAlpha->setValue(255);
        QVERIFY(qAbs(d.windowOpacity() - 1.0) < 0.01);
        o.SBAlpha->setValue(0);
        QCOMPARE(d.AlphaBlendValue(), 0);
        // The scroll bar keeps its range.
        o.SBAlpha->setValue(300);
        QCOMPARE(o.SBAlpha->value(), 255);
        QCOMPARE(d.AlphaBlendValue(), 255);
    }

    void togglingAlwaysOnTopLeavesTheDisplayWhereItIs() {
        Pair p;
        TFormDisplay& d = *p.display;
        TFormOptions& o = *p.options;
        d.move(240, 160);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(d.IsTopmost());
        QVERIFY(!o.CBAlwaysOnTop->isChecked());

        o.CBAlwaysOnTop->setChecked(true);
        QVERIFY(d.IsTopmost());
        o.CBAlwaysOnTop->setChecked(false);
        QVERIFY(!d.IsTopmost());
        QVERIFY(d.isVisible());
        QCOMPARE(d.pos(), QPoint(240, 160));
        QCOMPARE(d.size(), QSize(320, 78));
        QVERIFY(d.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(d.windowFlags() & Qt::WindowType_Mask, Qt::Tool);

        o.CBAlwaysOnTop->setChecked(true);
        QVERIFY(d.IsTopmost());
        QVERIFY(d.isVisible());
        QCOMPARE(d.pos(), QPoint(240, 160));

        // Hidden, it stays hidden.
        o.CBDisplay->setChecked(true);
        o.CBDisplay->setChecked(false);
        o.CBAlwaysOnTop->setChecked(false);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.pos(), QPoint(240, 160));
    }

    void theOptionsWindowIsAsDesigned() {
        Pair p;
        TFormOptions& o = *p.options;
        QCOMPARE(FormOptions, &o);
        QCOMPARE(o.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(o.size(), QSize(217, 185));
        QVERIFY(!o.isModal());
        QVERIFY(!o.isVisible());
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(o.pos(), screen->availableGeometry().topLeft());
        QCOMPARE(o.CBDisplay->text(), QStringLiteral("Detach display"));
        QCOMPARE(o.CBAlpha->text(), QStringLiteral("Transparency"));
        QCOMPARE(o.CBFixed->text(), QStringLiteral("Fixed detached display"));
        QCOMPARE(o.CBAlwaysOnTop->text(), QStringLiteral("Always on top"));
        QCOMPARE(o.Button1->text(), QStringLiteral("Close"));
        for (const QCheckBox* box : {o.CBDisplay, o.CBAlpha, o.CBFixed, o.CBAlwaysOnTop}) {
            QVERIFY(!box->isChecked());
        }
        QCOMPARE(o.SBAlpha->orientation(), Qt::Horizontal);
        QCOMPARE(o.SBAlpha->minimum(), 0);
        QCOMPARE(o.SBAlpha->maximum(), 255);
        QCOMPARE(o.SBAlpha->pageStep(), 25);
        QCOMPARE(o.SBAlpha->value(), 200);
        // Top to bottom, within the window.
        o.layout()->activate();
        QVERIFY(o.Button1->geometry().bottom() < o.height());
        QVERIFY(o.CBDisplay->y() < o.CBAlpha->y());
        QVERIFY(o.CBAlpha->y() < o.SBAlpha->y());
        QVERIFY(o.SBAlpha->y() < o.CBFixed->y());
        QVERIFY(o.CBFixed->y() < o.CBAlwaysOnTop->y());
        QVERIFY(o.CBAlwaysOnTop->y() < o.Button1->y());
    }

    void closeEnterAndEscapeHideTheOptionsWindow() {
        Pair p;
        TFormOptions& o = *p.options;
        o.show();
        QVERIFY(QTest::qWaitForWindowExposed(&o));
        QTest::mouseClick(o.Button1, Qt::LeftButton);
        QVERIFY(!o.isVisible());

        o.show();
        QVERIFY(QTest::qWaitForWindowExposed(&o));
        QTest::keyClick(&o, Qt::Key_Escape);
        QVERIFY(!o.isVisible());

        o.show();
        QVERIFY(QTest::qWaitForWindowExposed(&o));
        o.CBFixed->setFocus();
        QTest::keyClick(o.CBFixed, Qt::Key_Return);
        QVERIFY(!o.isVisible());
        QVERIFY(!o.CBFixed->isChecked());
        // The options keep their values across hiding.
        o.CBAlpha->setChecked(true);
        o.show();
        o.hide();
        QVERIFY(o.CBAlpha->isChecked());
    }

    void aLongTownIsShortenedOnScreenOnly() {
        Pair p;
        TFormDisplay& d = *p.display;
        const QString longCaption =
            QStringLiteral("United_Arab_Emirates, Ras_al_Khaimah_Town  le Mercredi 24/12/2008");
        d.LabelVille->setText(longCaption);
        QCOMPARE(d.LabelVille->text(), longCaption);
        QVERIFY(d.LabelVille->IsElided());
        d.LabelVille->setText(QStringLiteral("France, Paris  le Dimanche 21/12/2008"));
        QVERIFY(!d.LabelVille->IsElided());
    }
};

QTEST_MAIN(DisplayTest)
#include "display_test.moc"
