#pragma once
// The six prayer names shown in the windows, index 0 Fajr .. 5 Isha.

#include <QFont>
#include <QString>

#include <array>

namespace duskwheel::ui {

inline const std::array<QString, 6>& LatinPrayerNames() {
    static const std::array<QString, 6> names = {
        QStringLiteral("Fajr"), QStringLiteral("Chourouk"), QStringLiteral("Zuhr"),
        QStringLiteral("Asr"),  QStringLiteral("Maghrib"),  QStringLiteral("Isha")};
    return names;
}

// The Arabic captions, stored by the original as Windows-1256 bytes (DD CC D1,
// D4 D1 E6 DE, D9 E5 D1, DA D5 D1, E3 DB D1 C8, DA D4 C7 C1); here as the same
// letters in Unicode.
inline const std::array<QString, 6>& ArabicPrayerNames() {
    static const std::array<QString, 6> names = {
        QStringLiteral("\u0641\u062C\u0631"),       // fajr
        QStringLiteral("\u0634\u0631\u0648\u0642"), // shuruq
        QStringLiteral("\u0638\u0647\u0631"),       // zuhr
        QStringLiteral("\u0639\u0635\u0631"),       // asr
        QStringLiteral("\u0645\u063A\u0631\u0628"), // maghrib
        QStringLiteral("\u0639\u0634\u0627\u0621"), // isha
    };
    return names;
}

// A font for the Arabic captions: the original's "Traditional Arabic" where
// it exists, else the Naskh and Sans faces of the Noto set that the set-up
// installs; Qt falls back further on its own.
QFont ArabicFont(int pixelSize, bool bold);

} // namespace duskwheel::ui
