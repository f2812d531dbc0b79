#include "graph.h"

#include "app_icon.h"
#include "prayer_names.h"
#include "text.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <type_traits>
#include <variant>

namespace duskwheel::ui {

namespace {

// The controls beside and under the plot, in pixels of the client area.
constexpr int kPanelLeft = 410;
constexpr int kPanelWidth = graph::kClientWidth - kPanelLeft - 4;
constexpr int kNameWidth = 56;
constexpr int kFieldLeft = kPanelLeft + kNameWidth + 4;
constexpr int kFirstRowTop = 48;
constexpr int kRowHeight = 38;
constexpr int kScrollTop = graph::kY0 + graph::kCursorLength + 4;
constexpr int kScrollHeight = 17;
// The design's 8-point type, in pixels so the plot keeps its geometry on any screen.
constexpr int kTextPixels = 11;
constexpr int kSmallestTitlePixels = 9;
constexpr int kTitleLeft = 10;
constexpr int kTitleRightMargin = 4;

QColor ToColor(graph::Rgb c) {
    return QColor(c.r, c.g, c.b);
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

TFormGraph::TFormGraph(YearGraph graph, QWidget* owner)
    : QWidget(owner, Qt::Window), graph_(std::move(graph)), scene_(graph::PlotScene(graph_)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("FormGraph"));
    setWindowTitle(FromLatin1(graph::kWindowCaption));
    setWindowIcon(AppIcon());
    BuildForm();
    FitTitle();
}

TFormGraph::~TFormGraph() = default;

void TFormGraph::BuildForm() {
    plotFont_ = font();
    plotFont_.setPixelSize(kTextPixels);
    setFont(plotFont_);
    setFixedSize(graph::kClientWidth, graph::kClientHeight);

    QFont bold = plotFont_;
    bold.setBold(true);
    LabelJour = new QLabel(FromLatin1(graph::kDayLabelInitial), this);
    LabelJour->setObjectName(QStringLiteral("LabelJour"));
    LabelJour->setFont(bold);
    LabelJour->setAlignment(Qt::AlignCenter);
    LabelJour->setGeometry(kPanelLeft, 24, kPanelWidth, 20);

    const QFont arabic = ArabicFont(14, false);
    std::array<QLineEdit*, 6> fields{};
    for (int i = 0; i < 6; ++i) {
        const auto u = static_cast<std::size_t>(i);
        const int top = kFirstRowTop + i * kRowHeight;
        const QString& latin = LatinPrayerNames()[u];
        ArabicLabels[u] = new QLabel(ArabicPrayerNames()[u], this);
        ArabicLabels[u]->setFont(arabic);
        ArabicLabels[u]->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        ArabicLabels[u]->setGeometry(kPanelLeft, top - 2, kNameWidth, 22);
        NameLabels[u] = new QLabel(latin, this);
        NameLabels[u]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        NameLabels[u]->setGeometry(kPanelLeft, top + 20, kNameWidth, 16);
        fields[u] = new QLineEdit(this);
        fields[u]->setObjectName(QStringLiteral("Edit") + latin);
        fields[u]->setReadOnly(true);
        fields[u]->setAlignment(Qt::AlignCenter);
        fields[u]->setToolTip(latin + QStringLiteral(" time"));
        fields[u]->setGeometry(kFieldLeft, top + 8, kPanelLeft + kPanelWidth - kFieldLeft, 22);
    }
    EditFajr = fields[0];
    EditChourouk = fields[1];
    EditZuhr = fields[2];
    EditAsr = fields[3];
    EditMaghrib = fields[4];
    EditIsha = fields[5];

    ScrollBarJour = new QScrollBar(Qt::Horizontal, this);
    ScrollBarJour->setObjectName(QStringLiteral("ScrollBarJour"));
    ScrollBarJour->setRange(kDayScrollMin, kDayScrollMax);
    ScrollBarJour->setPageStep(kDayScrollLargeStep);
    ScrollBarJour->setSingleStep(kDayScrollSmallStep);
    ScrollBarJour->setValue(kDayScrollMin);
    ScrollBarJour->setGeometry(graph::kX0, kScrollTop, graph::kPlotWidth + 1, kScrollHeight);
    // The window itself takes the keys that move the cursor (the scroll bar
    // takes none); a field takes the focus only when clicked, to copy a time.
    setFocusPolicy(Qt::StrongFocus);
    ScrollBarJour->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* field : TimeFields()) {
        field->setFocusPolicy(Qt::ClickFocus);
    }
    connect(ScrollBarJour, &QScrollBar::valueChanged, this, &TFormGraph::ScrollBarJourChange);
}

std::array<QLineEdit*, 6> TFormGraph::TimeFields() const {
    return {EditFajr, EditChourouk, EditZuhr, EditAsr, EditMaghrib, EditIsha};
}

void TFormGraph::FitTitle() {
    // Country and town names may each run to 31 letters: the type gets
    // smaller first, then the place is shortened, so the coordinates always
    // show whole.
    const std::string place = graph_.town.Country + " \\ " + graph_.town.Name;
    const std::string whole = graph::GraphTitle(graph_.town);
    titleLatin1_ = whole;
    const QString placeText = FromLatin1(place);
    const QString coordinates = FromLatin1(whole.substr(std::min(place.size(), whole.size())));
    const int room = graph::kClientWidth - kTitleLeft - kTitleRightMargin;
    titleFont_ = plotFont_;
    for (int px = kTextPixels; px >= kSmallestTitlePixels; --px) {
        titleFont_.setPixelSize(px);
        if (QFontMetrics(titleFont_).horizontalAdvance(placeText + coordinates) <= room) {
            titleText_ = placeText + coordinates;
            return;
        }
    }
    const QFontMetrics fm(titleFont_);
    const int placeRoom = room - fm.horizontalAdvance(coordinates);
    titleText_ = fm.elidedText(placeText, Qt::ElideRight, std::max(placeRoom, 0)) + coordinates;
    if (fm.horizontalAdvance(titleText_) > room) {
        titleText_ = fm.elidedText(titleText_, Qt::ElideRight, room);
    }
}

void TFormGraph::CentreOn(const QWidget* owner) {
    QPoint place = pos();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (owner != nullptr) {
        const QRect o = owner->frameGeometry();
        place = o.center() - QPoint(width() / 2, height() / 2);
        if (owner->screen() != nullptr) {
            screen = owner->screen();
        }
    }
    if (screen != nullptr) {
        // Whole on the owner's screen, the title bar above all.
        const QRect avail = screen->availableGeometry();
        place.setX(std::clamp(place.x(), avail.left(),
                              std::max(avail.left(), avail.right() + 1 - width())));
        place.setY(std::clamp(place.y(), avail.top(),
                              std::max(avail.top(), avail.bottom() + 1 - height())));
    }
    move(place);
}

void TFormGraph::ScrollBarJourChange() {
    cursor_ = DayCursorAt(graph_, ScrollBarJour->value());
    LabelJour->setText(FromLatin1(DayCursorLabel(graph_, cursor_)));
    const auto times = DayCursorTimes(graph_, cursor_);
    const auto fields = TimeFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i]->setText(FromLatin1(times[i]));
    }
    update();
}

void TFormGraph::keyPressEvent(QKeyEvent* event) {
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        action = QAbstractSlider::SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        action = QAbstractSlider::SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = QAbstractSlider::SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = QAbstractSlider::SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = QAbstractSlider::SliderToMinimum;
        break;
    case Qt::Key_End:
        action = QAbstractSlider::SliderToMaximum;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    ScrollBarJour->triggerAction(action);
    event->accept();
}

void TFormGraph::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    FormPaint(painter);
}

void TFormGraph::FormPaint(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics plotMetrics(plotFont_);

    const auto drawLine = [&painter](const graph::Line& line) {
        painter.setPen(QPen(ToColor(line.colour), 1));
        const QPoint from(line.from.x, line.from.y);
        const QPoint to(line.to.x, line.to.y);
        if (from == to) {
            return;
        }
        if (from.x() == to.x() || from.y() == to.y()) {
            // As the Windows pen draws it: up to its last point, not onto it,
            // so an axis and a grid line that meet end to end do not overlap.
            painter.drawLine(from, to - QPoint(Sign(to.x() - from.x()), Sign(to.y() - from.y())));
        } else {
            painter.drawLine(from, to);
        }
    };

    for (const graph::Shape& shape : scene_) {
        std::visit(
            [&](const auto& s) {
                using T = std::decay_t<decltype(s)>;
                if constexpr (std::is_same_v<T, graph::Line>) {
                    drawLine(s);
                } else if constexpr (std::is_same_v<T, graph::Dot>) {
                    const int w = s.right - s.left;
                    const int h = s.bottom - s.top;
                    if (w <= 0 || h <= 0) {
                        return;
                    }
                    // The box's right and bottom edges lie outside the
                    // ellipse; a 2 by 2 box makes a solid 2 by 2 dot.
                    const QColor colour = ToColor(s.colour);
                    painter.setPen(QPen(colour, 1));
                    painter.setBrush(colour);
                    painter.drawEllipse(QRectF(s.left, s.top, w - 1, h - 1));
                    painter.setBrush(Qt::NoBrush);
                } else {
                    painter.setPen(ToColor(s.colour));
                    if (s.anchor == graph::Anchor::TopLeft) {
                        const bool isTitle = s.text == titleLatin1_;
                        const QFont& font = isTitle ? titleFont_ : plotFont_;
                        painter.setFont(font);
                        const QString text = isTitle ? titleText_ : FromLatin1(s.text);
                        painter.drawText(QPoint(s.at.x, s.at.y + QFontMetrics(font).ascent()),
                                         text);
                    } else {
                        painter.setFont(plotFont_);
                        const QString text = FromLatin1(s.text);
                        const int w = plotMetrics.horizontalAdvance(text) + 2;
                        painter.drawText(
                            QRect(s.at.x - w / 2 - 1, s.at.y, w + 2, plotMetrics.height()),
                            Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
                    }
                }
            },
            shape);
    }
    drawLine(graph::CursorLine(cursor_));
}

} // namespace duskwheel::ui
