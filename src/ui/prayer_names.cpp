#include "prayer_names.h"

#include <QFont>
#include <QStringList>

namespace duskwheel::ui {

QFont ArabicFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Traditional Arabic"), QStringLiteral("Noto Naskh Arabic"),
                      QStringLiteral("Noto Sans Arabic"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace duskwheel::ui
