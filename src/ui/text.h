#pragma once
// The core speaks 8-bit Latin-1 text; Qt speaks Unicode. Every string crosses
// here, at the edge of the windows.

#include <QByteArray>
#include <QString>

#include <string>

namespace duskwheel::ui {

inline QString FromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Characters outside Latin-1 become '?', as an 8-bit conversion would.
inline std::string ToLatin1(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A file-system path as the core's std::string paths expect it (the local
// 8-bit encoding, UTF-8 on Linux), and back.
std::string ToFilePath(const QString& path);
QString FromFilePath(const std::string& path);

} // namespace duskwheel::ui
