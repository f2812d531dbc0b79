// Duskwheel.ini: Read_ini at start-up, Write_ini at the end, every
// key, default and order, a plain INI file that other readers read back.

#include "display.h"
#include "main_window.h"
#include "options.h"
#include "towns.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QDir>
#include <QScrollBar>
#include <QSettings>
#include <QtTest>

using namespace duskwheel;
using namespace duskwheel::ui;
using namespace duskwheel::ui::test;

class IniSettingsTest : public QObject {
    Q_OBJECT

  private slots:
    void withoutAFileEveryValueTakesItsDefault() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        QVERIFY(fx.messages.empty());
        QCOMPARE(w->Towns()->ComPortName, QStringLiteral("COM46"));
        QCOMPARE(w->Towns()->ComBaudRateIndex, 10); // 38400 bit/s
        TFormDisplay& d = *w->Display();
        TFormOptions& o = *w->Options();
        QVERIFY(!o.CBDisplay->isChecked());
        QVERIFY(!d.isVisible());
        QVERIFY(!o.CBAlpha->isChecked());
        QVERIFY(!d.AlphaBlend());
        QCOMPARE(d.windowOpacity(), 1.0); // opaque
        QCOMPARE(o.SBAlpha->value(), 200);
        QCOMPARE(d.pos(), QPoint(500, 200));
        QVERIFY(!o.CBFixed->isChecked()); // movable
        d.Panel3MouseDown(Qt::LeftButton, QPoint(1, 1));
        QVERIFY(d.IsDragging());
        d.Panel3MouseUp(Qt::LeftButton);
        QVERIFY(!o.CBAlwaysOnTop->isChecked());
        // A saved false changes nothing: the display keeps its creation state.
        QVERIFY(d.IsTopmost());
        // Reading wrote nothing.
        QVERIFY(!QFile::exists(fx.File("Duskwheel.ini")));
    }

    void everyKeyIsRead() {
        Fixture fx;
        fx.WriteConfig();
        fx.WriteFile("Duskwheel.ini", "[COM GPS]\r\n"
                                      "Port COM=COM3\r\n"
                                      "Baud Rate=13\r\n"
                                      "[Display]\r\n"
                                      "Display On=1\r\n"
                                      "Alpha Blend=1\r\n"
                                      "Alpha Blend Value=120\r\n"
                                      "Window position Top=150\r\n"
                                      "Window position Left=210\r\n"
                                      "Fixed=1\r\n"
                                      "Always On Top=1\r\n");
        auto w = fx.MakeMain();
        TFormDisplay& d = *w->Display();
        TFormOptions& o = *w->Options();
        QCOMPARE(w->Towns()->ComPortName, QStringLiteral("COM3"));
        QCOMPARE(w->Towns()->ComBaudRateIndex, 13);
        QVERIFY(o.CBDisplay->isChecked());
        QVERIFY(d.isVisible());
        QVERIFY(o.CBAlpha->isChecked());
        QVERIFY(d.AlphaBlend());
        QCOMPARE(o.SBAlpha->value(), 120);
        QVERIFY(qAbs(d.windowOpacity() - 120 / 255.0) < 0.01);
        QCOMPARE(d.pos(), QPoint(210, 150));
        QVERIFY(o.CBFixed->isChecked());
        d.Panel3MouseDown(Qt::LeftButton, QPoint(1, 1));
        QVERIFY(!d.IsDragging()); // pinned
        QVERIFY(o.CBAlwaysOnTop->isChecked());
        QVERIFY(d.IsTopmost());
    }

    void displayOnZeroHidesTheDisplay() {
        Fixture fx;
        fx.WriteConfig();
        fx.WriteFile("Duskwheel.ini", "[Display]\nDisplay On=0\nAlpha Blend=0\n");
        auto w = fx.MakeMain();
        QVERIFY(!w->Display()->isVisible());
        QVERIFY(!w->Display()->AlphaBlend());
        QCOMPARE(w->Display()->windowOpacity(), 1.0);
    }

    void valuesThatDoNotParseGiveTheirDefaults() {
        Fixture fx;
        fx.WriteConfig();
        fx.WriteFile("Duskwheel.ini", "[COM GPS]\n"
                                      "Baud Rate=fast\n"
                                      "[Display]\n"
                                      "Display On=yes\n"
                                      "Alpha Blend=1x\n"
                                      "Alpha Blend Value=half\n"
                                      "Window position Top=\n"
                                      "Window position Left=1e3\n"
                                      "Fixed=true\n"
                                      "Always On Top=-\n");
        auto w = fx.MakeMain();
        QCOMPARE(w->Towns()->ComPortName, QStringLiteral("COM46"));
        QCOMPARE(w->Towns()->ComBaudRateIndex, 10);
        QVERIFY(!w->Options()->CBDisplay->isChecked());
        QVERIFY(!w->Options()->CBAlpha->isChecked());
        QCOMPARE(w->Options()->SBAlpha->value(), 200);
        QCOMPARE(w->Display()->pos(), QPoint(500, 200));
        QVERIFY(!w->Options()->CBFixed->isChecked());
        QVERIFY(!w->Options()->CBAlwaysOnTop->isChecked());
        QVERIFY(fx.messages.empty()); // nothing is reported
    }

    void anAlphaOf300ReadsAs255AndBelowZeroAs0() {
        Fixture fx;
        fx.WriteConfig();
        fx.WriteFile("Duskwheel.ini", "[Display]\nAlpha Blend=1\nAlpha Blend Value=300\n");
        {
            auto w = fx.MakeMain();
            QCOMPARE(w->Options()->SBAlpha->value(), 255);
            QCOMPARE(w->Display()->AlphaBlendValue(), 255);
        }
        fx.WriteFile("Duskwheel.ini", "[Display]\nAlpha Blend=1\nAlpha Blend Value=-4\n");
        auto w = fx.MakeMain();
        QCOMPARE(w->Options()->SBAlpha->value(), 0);
        QCOMPARE(w->Display()->AlphaBlendValue(), 0);
    }

    void aSpeedIndexOutsideTheTableReadsAsTheDefault() {
        Fixture fx;
        fx.WriteConfig();
        fx.WriteFile("Duskwheel.ini", "[COM GPS]\nPort COM=/dev/ttyUSB0\nBaud Rate=16\n");
        auto w = fx.MakeMain();
        QCOMPARE(w->Towns()->ComPortName, QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(w->Towns()->ComBaudRateIndex, 10);
    }

    void aPlaceOnNoScreenFallsBackToTheDefaultPlace() {
        Fixture fx;
        fx.WriteConfig();
        fx.WriteFile("Duskwheel.ini", "[Display]\nWindow position Top=-5000\n"
                                      "Window position Left=90000\n");
        auto w = fx.MakeMain();
        QCOMPARE(w->Display()->pos(), QPoint(500, 200));
    }

    void writeUsesEveryKeyInOrderAsAPlainIniFile() {
        Fixture fx;
        fx.WriteConfig();
        auto w = fx.MakeMain();
        w->Options()->CBDisplay->setChecked(true);
        w->Options()->CBAlpha->setChecked(true);
        w->Options()->SBAlpha->setValue(175);
        w->Display()->move(321, 123);
        w->Options()->CBFixed->setChecked(true);
        QVERIFY(w->Write_ini());
        QCOMPARE(fx.ReadFile("Duskwheel.ini"), QByteArray("[COM GPS]\r\n"
                                                          "Port COM=COM46\r\n"
                                                          "Baud Rate=10\r\n"
                                                          "\r\n"
                                                          "[Display]\r\n"
                                                          "Display On=1\r\n"
                                                          "Alpha Blend=1\r\n"
                                                          "Alpha Blend Value=175\r\n"
                                                          "Window position Top=123\r\n"
                                                          "Window position Left=321\r\n"
                                                          "Fixed=1\r\n"
                                                          "Always On Top=0\r\n"));
        // A standard INI reader reads the same values back.
        QSettings standard(fx.File("Duskwheel.ini"), QSettings::IniFormat);
        QCOMPARE(standard.status(), QSettings::NoError);
        QCOMPARE(standard.value("COM GPS/Port COM").toString(), QStringLiteral("COM46"));
        QCOMPARE(standard.value("COM GPS/Baud Rate").toInt(), 10);
        QCOMPARE(standard.value("Display/Alpha Blend Value").toInt(), 175);
        QCOMPARE(standard.value("Display/Window position Left").toInt(), 321);
        QCOMPARE(standard.value("Display/Always On Top").toInt(), 0);
    }

    void whatIsWrittenIsReadBackNextTime() {
        Fixture fx;
        fx.WriteConfig();
        {
            auto w = fx.MakeMain();
            w->Towns()->ComPortName = QStringLiteral("COM7");
            w->Towns()->ComBaudRateIndex = 7;
            w->Options()->CBDisplay->setChecked(true);
            w->Options()->CBAlwaysOnTop->setChecked(true);
            w->Options()->SBAlpha->setValue(90);
            // Dragged during the run.
            w->Display()->Panel3MouseDown(Qt::LeftButton, QPoint(5, 5));
            w->Display()->Panel3MouseMove(QPoint(-95, 105));
            w->Display()->Panel3MouseUp(Qt::LeftButton);
            QCOMPARE(w->Display()->pos(), QPoint(400, 300));
            w->close(); // the end of the program writes the file
        }
        auto w = fx.MakeMain();
        QCOMPARE(w->Towns()->ComPortName, QStringLiteral("COM7"));
        QCOMPARE(w->Towns()->ComBaudRateIndex, 7);
        QVERIFY(w->Options()->CBDisplay->isChecked());
        QVERIFY(w->Display()->isVisible());
        QVERIFY(w->Options()->CBAlwaysOnTop->isChecked());
        QCOMPARE(w->Options()->SBAlpha->value(), 90);
        QVERIFY(!w->Options()->CBAlpha->isChecked());
        QCOMPARE(w->Display()->pos(), QPoint(400, 300)); // reopened at its new place
    }

    void thePortIsWrittenBackUnchanged() {
        Fixture fx;
        fx.WriteConfig();
        fx.WriteFile("Duskwheel.ini", "[COM GPS]\nPort COM=COM12\nBaud Rate=4\n");
        auto w = fx.MakeMain();
        QVERIFY(w->Write_ini());
        const QByteArray bytes = fx.ReadFile("Duskwheel.ini");
        QVERIFY(bytes.startsWith("[COM GPS]\nPort COM=COM12\nBaud Rate=4\n"));
    }

    void writingKeepsWhatElseTheFileHolds() {
        Fixture fx;
        fx.WriteConfig();
        fx.WriteFile("Duskwheel.ini", "; my notes\r\n"
                                      "[Display]\r\n"
                                      "Fixed=1\r\n"
                                      "\r\n"
                                      "[Colours]\r\n"
                                      "Background=navy\r\n");
        auto w = fx.MakeMain();
        QVERIFY(w->Write_ini());
        const QByteArray bytes = fx.ReadFile("Duskwheel.ini");
        QVERIFY(bytes.startsWith("; my notes\r\n[Display]\r\nFixed=1\r\nDisplay On=0\r\n"));
        QVERIFY(bytes.contains("[Colours]\r\nBackground=navy\r\n"));
        QVERIFY(bytes.contains("[COM GPS]\r\nPort COM=COM46\r\nBaud Rate=10\r\n"));
    }

    void aFailedWriteIsShownAndKeepsThePreviousFile() {
        Fixture fx;
        fx.WriteConfig();
        fx.WriteFile("Duskwheel.ini", "[Display]\r\nFixed=1\r\n");
        auto w = fx.MakeMain();
        // The temporary file cannot be made: a folder stands in its place.
        QVERIFY(QDir(fx.Dir()).mkdir("Duskwheel.ini.tmp"));
        w->Options()->CBFixed->setChecked(false);
        QVERIFY(!w->Write_ini());
        QCOMPARE(fx.messages.size(), std::size_t{1});
        QCOMPARE(fx.messages[0].title, QStringLiteral("Error"));
        QVERIFY(fx.messages[0].text.contains(fx.File("Duskwheel.ini")));
        QCOMPARE(fx.ReadFile("Duskwheel.ini"), QByteArray("[Display]\r\nFixed=1\r\n"));
        // Closing still ends the program, after telling the user.
        w->close();
        QCOMPARE(fx.messages.size(), std::size_t{2});
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(IniSettingsTest)
#include "ini_settings_test.moc"
