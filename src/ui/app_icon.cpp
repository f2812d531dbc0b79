#include "app_icon.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

#include <algorithm>

namespace duskwheel::ui {

namespace {

class DuskIconEngine : public QIconEngine {
  public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State /*state*/) override {
        painter->save();
        if (mode == QIcon::Disabled) {
            painter->setOpacity(0.45);
        }
        DrawAppIcon(*painter, QRectF(rect));
        painter->restore();
    }
    QIconEngine* clone() const override { return new DuskIconEngine; }
    QString key() const override { return QStringLiteral("duskwheel"); }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }
};

} // namespace

QIcon AppIcon() {
    return QIcon(new DuskIconEngine);
}

void DrawAppIcon(QPainter& p, const QRectF& rect) {
    const double side = std::min(rect.width(), rect.height());
    const QRectF box(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    const double margin = side <= 16 ? 0.5 : side * 0.04;
    const QRectF disc = box.adjusted(margin, margin, -margin, -margin);
    const double r = disc.width() / 2;
    const QPointF c = disc.center();
    const double horizon = c.y() + 0.30 * r;

    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    QPainterPath discPath;
    discPath.addEllipse(disc);

    // Dusk sky: night blue above, the glow of sunset towards the horizon.
    QLinearGradient sky(disc.topLeft(), QPointF(disc.left(), horizon));
    sky.setColorAt(0.0, QColor(0x14, 0x21, 0x3d));
    sky.setColorAt(0.55, QColor(0x5b, 0x3a, 0x70));
    sky.setColorAt(1.0, QColor(0xf4, 0x8c, 0x3c));
    p.fillPath(discPath, sky);

    p.setClipPath(discPath);
    // The Sun, half set.
    const double sunR = 0.42 * r;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd1, 0x66));
    p.drawEllipse(QPointF(c.x() + 0.08 * r, horizon), sunR, sunR);
    // The ground.
    p.fillRect(QRectF(disc.left(), horizon, disc.width(), disc.bottom() - horizon + 1),
               QColor(0x22, 0x24, 0x3a));
    p.setClipping(false);

    // The crescent.
    const QPointF moon(c.x() - 0.36 * r, c.y() - 0.38 * r);
    const double moonR = 0.25 * r;
    QPainterPath outer;
    outer.addEllipse(moon, moonR, moonR);
    QPainterPath inner;
    inner.addEllipse(QPointF(moon.x() + 0.42 * moonR, moon.y() - 0.22 * moonR), 0.82 * moonR,
                     0.82 * moonR);
    p.fillPath(outer.subtracted(inner), QColor(0xfb, 0xf3, 0xd5));

    // Rim.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x0b, 0x12, 0x24), std::max(1.0, side / 32)));
    p.drawEllipse(disc);
    p.restore();
}

} // namespace duskwheel::ui
