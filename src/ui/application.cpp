#include "application.h"

#include "app_icon.h"
#include "browser.h"
#include "kibla.h"
#include "lcd.h"
#include "sel_graph.h"
#include "sel_mounth.h"
#include "sel_year.h"
#include "sel_year_calendar.h"
#include "windows.h"

#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>

#include <csignal>
#include <exception>

#include <sys/socket.h>
#include <unistd.h>

namespace duskwheel::ui {

void ShowException(const QString& message) {
    static bool showing = false;
    if (showing) {
        return; // a failure while telling of a failure: the first one is shown
    }
    showing = true;
    QMessageBox::critical(nullptr, QStringLiteral("Duskwheel"), message);
    showing = false;
}

DuskwheelApplication::DuskwheelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool DuskwheelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowException(QString());
    }
    return false;
}

ApplicationWindows::ApplicationWindows(MainOptions options)
    : main_(std::make_unique<TFormMain>(std::move(options))),
      browser_(std::make_unique<TFormBrowser>()), kibla_(std::make_unique<TFormKibla>()),
      lcd_(std::make_unique<TFormLCD>()), selMounth_(std::make_unique<TDlgSelMounth>()),
      selYear_(std::make_unique<TDlgSelYear>()),
      selYearCalendar_(std::make_unique<TDlgSelYearCalendar>()),
      selGraph_(std::make_unique<TDlgSelGraph>()) {}

ApplicationWindows::~ApplicationWindows() {
    selGraph_.reset();
    selYearCalendar_.reset();
    selYear_.reset();
    selMounth_.reset();
    lcd_.reset();
    kibla_.reset();
    browser_.reset();
    main_.reset();
}

namespace {

// Tells once that the main window has been painted.
class FirstPaintWatcher : public QObject {
  public:
    FirstPaintWatcher(TFormMain& main, std::function<void(TFormMain&)> done)
        : QObject(&main), main_(main), done_(std::move(done)) {
        main.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &main_ && event->type() == QEvent::Paint && done_) {
            auto done = std::move(done_);
            done_ = nullptr;
            // After this paint has finished.
            QMetaObject::invokeMethod(
                this, [this, done] { done(main_); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    TFormMain& main_;
    std::function<void(TFormMain&)> done_;
};

// SIGTERM, SIGINT and SIGHUP (a shutdown, a kill, a closed terminal) end the
// program as its main window's close does, so Duskwheel.ini is written. The
// handler only writes the signal's number into a socket; the event loop does
// the rest.
int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int signal) {
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

void CatchTerminationSignals(QObject* owner) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [] {
        unsigned char byte = 0;
        if (::read(signalPipe[0], &byte, 1) != 1) {
            return;
        }
        if (FormMain != nullptr && FormMain->IsReady()) {
            FormMain->close();
            return;
        }
        // Still starting: nothing to save yet, end as the signal would.
        std::signal(byte, SIG_DFL);
        std::raise(byte);
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

} // namespace

int RunDuskwheel(int& argc, char** argv, const RunHooks& hooks) {
    // 1, 2. The application and its title.
    DuskwheelApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Duskwheel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("duskwheel"));
    QApplication::setWindowIcon(AppIcon());
    // Only the main window's end ends the program, even when the detached
    // display stays open or the main window sits in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    CatchTerminationSignals(&app);

    try {
        // 3. The windows, in their order.
        MainOptions options;
        options.filesDir = hooks.filesDir;
        ApplicationWindows windows(std::move(options));
        TFormMain& main = windows.Main();
        if (hooks.onFirstPaint) {
            new FirstPaintWatcher(main, hooks.onFirstPaint);
        }
        main.CenterOnScreen();
        main.show();
        // 4.
        QApplication::exec();
    } catch (const std::exception& e) {
        ShowException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowException(QString());
    }
    return 0;
}

} // namespace duskwheel::ui
