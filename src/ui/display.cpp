#include "display.h"

#include "elided_label.h"
#include "main_window.h"
#include "options.h"
#include "prayer_names.h"
#include "windows.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace duskwheel::ui {

namespace {

constexpr int kMargin = 6;
constexpr int kColumnWidth = (TFormDisplay::kWidth - 2 * kMargin) / 6;
constexpr int kNameOverhang = 5;

// Rows (top, height): Arabic names, Latin names, times, clock, town and date.
constexpr int kArabicTop = 0, kArabicHeight = 18;
constexpr int kNameTop = 17, kNameHeight = 14;
constexpr int kTimeTop = 31, kTimeHeight = 15;
constexpr int kClockTop = 46, kClockHeight = 13;
constexpr int kTownTop = 59, kTownHeight = 17;

QFont UiFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Noto Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QFont& font, const QColor& colour,
                  const QRect& geometry, Qt::Alignment alignment = Qt::AlignCenter) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setAlignment(alignment);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    label->setGeometry(geometry);
    // The panel receives the mouse, whatever label is under it.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

TFormDisplay::TFormDisplay()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    RegisterWindow(FormDisplay, this, "TFormDisplay");
    setWindowTitle(QStringLiteral("Duskwheel"));
    setObjectName(QStringLiteral("FormDisplay"));
    // It floats beside whatever the user works in: showing it takes no focus,
    // and closing the main window, not this one, ends the program.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kWidth, kHeight);

    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(0, 0, kWidth, kHeight);
    Panel3->setFrameShape(QFrame::Box);
    Panel3->setAutoFillBackground(true);
    QPalette pal = Panel3->palette();
    pal.setColor(QPalette::Window, QColor(0x1d, 0x26, 0x40));
    pal.setColor(QPalette::WindowText, QColor(0x0b, 0x10, 0x1e));
    Panel3->setPalette(pal);
    Panel3->setFont(ArabicFont(13, false));
    Panel3->installEventFilter(this);

    const QColor arabicColour(0xf2, 0xc6, 0x6d);
    const QColor nameColour(0xc9, 0xd3, 0xe8);
    const QColor timeColour(0xff, 0xff, 0xff);
    const QColor softColour(0xa8, 0xb3, 0xcc);

    const QFont arabicFont = ArabicFont(14, true);
    const QFont nameFont = UiFont(11, true);
    const QFont timeFont = UiFont(13, true);
    std::array<QLabel*, 6> times{};
    for (int i = 0; i < 6; ++i) {
        const int x = kMargin + i * kColumnWidth;
        const auto u = static_cast<std::size_t>(i);
        ArabicLabels[u] = MakeLabel(Panel3, ArabicPrayerNames()[u], arabicFont, arabicColour,
                                    QRect(x, kArabicTop, kColumnWidth, kArabicHeight));
        // A little wider than the column: "Chourouk" may reach over the
        // margins of its short neighbours.
        NameLabels[u] = MakeLabel(
            Panel3, LatinPrayerNames()[u], nameFont, nameColour,
            QRect(x - kNameOverhang, kNameTop, kColumnWidth + 2 * kNameOverhang, kNameHeight));
        times[u] = MakeLabel(Panel3, QStringLiteral("00:00"), timeFont, timeColour,
                             QRect(x, kTimeTop, kColumnWidth, kTimeHeight));
        times[u]->setObjectName(QStringLiteral("Label") + LatinPrayerNames()[u]);
    }
    LabelFajr = times[0];
    LabelChourouk = times[1];
    LabelZuhr = times[2];
    LabelAsr = times[3];
    LabelMaghrib = times[4];
    LabelIsha = times[5];

    const int mid = kWidth / 2;
    LabelHeureCaption = MakeLabel(Panel3, QStringLiteral("heure"), UiFont(11, false), softColour,
                                  QRect(kMargin, kClockTop, mid - kMargin - 26, kClockHeight),
                                  Qt::AlignRight | Qt::AlignVCenter);
    LabelHeure =
        MakeLabel(Panel3, QStringLiteral("00:00"), UiFont(11, true), timeColour,
                  QRect(mid - 22, kClockTop, 80, kClockHeight), Qt::AlignLeft | Qt::AlignVCenter);
    LabelHeure->setObjectName(QStringLiteral("LabelHeure"));

    LabelVille = new ElidedLabel(QStringLiteral("Ville"), Panel3);
    LabelVille->setObjectName(QStringLiteral("LabelVille"));
    LabelVille->setFont(UiFont(11, true));
    LabelVille->setAlignment(Qt::AlignCenter);
    QPalette villePal = LabelVille->palette();
    villePal.setColor(QPalette::WindowText, nameColour);
    LabelVille->setPalette(villePal);
    LabelVille->setGeometry(kMargin, kTownTop, kWidth - 2 * kMargin, kTownHeight);
    LabelVille->setAttribute(Qt::WA_TransparentForMouseEvents);

    ApplyOpacity();
}

TFormDisplay::~TFormDisplay() {
    UnregisterWindow(FormDisplay, this);
}

std::array<QLabel*, 6> TFormDisplay::TimeLabels() const {
    return {LabelFajr, LabelChourouk, LabelZuhr, LabelAsr, LabelMaghrib, LabelIsha};
}

void TFormDisplay::ApplyOpacity() {
    setWindowOpacity(alphaBlend_ ? alphaBlendValue_ / 255.0 : 1.0);
}

void TFormDisplay::SetAlphaBlend(bool on) {
    alphaBlend_ = on;
    ApplyOpacity();
}

void TFormDisplay::SetAlphaBlendValue(int value) {
    alphaBlendValue_ = std::clamp(value, 0, 255);
    ApplyOpacity();
}

bool TFormDisplay::IsTopmost() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TFormDisplay::SetTopmost(bool on) {
    if (IsTopmost() == on) {
        return;
    }
    // Changing a window flag re-creates the native window hidden: put it back
    // where it was, as it was.
    const bool wasVisible = isVisible();
    const QPoint where = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    move(where);
    if (wasVisible) {
        show();
    }
}

void TFormDisplay::Panel3MouseDown(Qt::MouseButton button, const QPoint& pos) {
    if (button != Qt::LeftButton) {
        return;
    }
    if (FormOptions != nullptr && FormOptions->CBFixed->isChecked()) {
        return;
    }
    dragging_ = true;
    dragStart_ = pos;
}

void TFormDisplay::Panel3MouseMove(const QPoint& pos) {
    if (!dragging_) {
        return;
    }
    // The grabbed point stays under the cursor: (x0, y0) is not updated.
    move(x() + pos.x() - dragStart_.x(), y() + pos.y() - dragStart_.y());
}

void TFormDisplay::Panel3MouseUp(Qt::MouseButton /*button*/) {
    dragging_ = false;
}

bool TFormDisplay::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Panel3) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        Panel3MouseDown(e->button(), e->position().toPoint());
        return true;
    }
    case QEvent::MouseMove: {
        // Panel coordinates from the cursor's screen position and the place
        // the window was last moved to, so that a window manager still busy
        // with the previous move does not make the display jitter.
        auto* e = static_cast<QMouseEvent*>(event);
        Panel3MouseMove(e->globalPosition().toPoint() - pos() - Panel3->pos());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        Panel3MouseUp(e->button());
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void TFormDisplay::closeEvent(QCloseEvent* event) {
    // Closed by the user through the window manager (Alt+F4): the "Detach
    // display" box follows, so that the options window and the saved settings
    // tell the truth. Closed by the program or the session as it ends, the
    // box keeps its state for Duskwheel.ini.
    dragging_ = false;
    const bool ending = FormMain != nullptr && FormMain->IsClosing();
    if (event->spontaneous() && !ending && FormOptions != nullptr) {
        FormOptions->CBDisplay->setChecked(false);
    }
    event->accept();
}

} // namespace duskwheel::ui
