// Texts cross between the core (UTF-8 std::string) and Qt (QString) only through these two.
#pragma once
#include <QString>
#include <string>

namespace bm::app {

inline QString qs(const std::string& text) { return QString::fromStdString(text); }
inline std::string ss(const QString& text) { return text.toStdString(); }

}  // namespace bm::app
