#pragma once
// The program's icon (window, task bar and tray): a dusk sky over the horizon
// with the setting Sun and a crescent, drawn at whatever size is asked, so it
// stays sharp from 16 pixels up.

#include <QIcon>

class QPainter;
class QRectF;

namespace duskwheel::ui {

QIcon AppIcon();
void DrawAppIcon(QPainter& painter, const QRectF& rect);

} // namespace duskwheel::ui
