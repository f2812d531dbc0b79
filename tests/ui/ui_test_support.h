#pragma once
// Shared fixtures of the window tests (header only: every .cpp here is a test
// program of its own). A temporary folder per test holds data.cfg and
// Duskwheel.ini; the clock is a variable the test sets; error messages are
// recorded instead of shown in modal boxes, and pages are recorded instead of
// opened in a browser.

#include "main_window.h"
#include "reference_state.h"
#include "state/program_state.h"
#include "text.h"

#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace duskwheel::ui::test {

struct Message {
    QString text;
    QString title;
};

using duskwheel::test::ReferenceConvention;
inline TownData Paris() {
    return duskwheel::test::ReferenceParis();
}

// The six times of 21 December 2008 in Paris, and its caption.
inline const QStringList& ParisDecember21() {
    static const QStringList times = {"06:45", "08:42", "12:49", "14:40", "16:56", "18:46"};
    return times;
}
inline const QString kParisCaption = QStringLiteral("France, Paris  le Dimanche 21/12/2008");

class Fixture {
  public:
    Fixture() { Q_ASSERT(dir_.isValid()); }

    QString Dir() const { return dir_.path(); }
    QString File(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    // data.cfg written by the engine's own writer.
    void WriteConfig(const std::vector<TownData>& towns = {Paris()}, int selected = 0,
                     int verbose = 0) const {
        ProgramState s;
        s.FilesDir = ToFilePath(Dir());
        s.Conventions[0] = ReferenceConvention();
        s.TownList = towns;
        s.NumberOfTowns = static_cast<int>(towns.size());
        s.TownSelected = selected;
        s.Verbose = verbose;
        const bool written = s.WriteConfigFile();
        Q_ASSERT(written);
    }

    void WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile f(File(name));
        const bool opened = f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        Q_ASSERT(opened);
        f.write(bytes);
    }

    // A file of tests/data (path relative to it) copied into the folder.
    void CopyTestData(const QString& source, const QString& name) const {
        QFile f(QStringLiteral(DUSKWHEEL_TEST_DATA_DIR "/") + source);
        const bool opened = f.open(QIODevice::ReadOnly);
        Q_ASSERT(opened);
        WriteFile(name, f.readAll());
    }

    // The names in the folder, sorted.
    QStringList Entries() const {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }

    QByteArray ReadFile(const QString& name) const {
        QFile f(File(name));
        if (!f.open(QIODevice::ReadOnly)) {
            return {};
        }
        return f.readAll();
    }

    MainOptions Options() {
        MainOptions o;
        o.filesDir = Dir();
        o.clock = [this] { return now; };
        o.showError = [this](const QString& text, const QString& title) {
            messages.push_back({text, title});
        };
        o.startTimer = false;
        o.openDocument = [this](const QString& path) {
            opened.push_back(path);
            return openSucceeds;
        };
        return o;
    }

    std::unique_ptr<TFormMain> MakeMain() { return std::make_unique<TFormMain>(Options()); }

    QDateTime now{QDate(2008, 12, 21), QTime(10, 11, 12)};
    std::vector<Message> messages;
    std::vector<QString> opened; // pages handed to the desktop, in order
    bool openSucceeds = true;    // whether the desktop finds a program for them

  private:
    QTemporaryDir dir_;
};

// Answers a modal dialog from inside its exec: once `dialog` shows, `act`
// runs; should the dialog still be open afterwards it is cancelled, so a
// failed check never leaves a test waiting on a modal loop.
class ModalAnswer {
  public:
    ModalAnswer(QDialog* dialog, std::function<void()> act)
        : ModalAnswer([dialog] { return dialog; }, std::move(act)) {}
    // For a dialog that may only come to be inside the command.
    ModalAnswer(std::function<QDialog*()> find, std::function<void()> act)
        : find_(std::move(find)), act_(std::move(act)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    bool Shown() const { return shown_; }

  private:
    void Poll() {
        dialog_ = find_();
        if (dialog_.isNull() || !dialog_->isVisible()) {
            return;
        }
        timer_.stop();
        shown_ = true;
        act_();
        if (!dialog_.isNull() && dialog_->isVisible()) {
            dialog_->reject();
        }
    }

    std::function<QDialog*()> find_;
    QPointer<QDialog> dialog_;
    std::function<void()> act_;
    QTimer timer_;
    bool shown_ = false;
};

inline QStringList FieldTexts(const TFormMain& w) {
    QStringList out;
    for (const auto* field : w.TimeFields()) {
        out << field->text();
    }
    return out;
}

} // namespace duskwheel::ui::test
