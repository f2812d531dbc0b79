#include "elided_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace duskwheel::ui {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

QSize ElidedLabel::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 4, QLabel::minimumSizeHint().height()};
}

bool ElidedLabel::IsElided() const {
    const QRect r = contentsRect();
    return fontMetrics().horizontalAdvance(text()) > r.width();
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect r = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
    style()->drawItemText(&painter, r, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && IsElided()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTip().isEmpty() ? text() : text() + QLatin1Char('\n') + toolTip();
        QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QLabel::event(event);
}

} // namespace duskwheel::ui
