// Texts between the toolkit-free layer (std::string, UTF-8) and Qt (QString),
// and window titles that Qt shows exactly as given.
#pragma once

#include <QString>
#include <string>

namespace tolm {

inline QString ToQt(const std::string& text) { return QString::fromStdString(text); }
inline std::string FromQt(const QString& text) { return text.toStdString(); }

// Qt reads "[*]" in a window title as the place of the modified mark and
// drops it; doubled it stands for itself. A caption goes through here so the
// title shows every character of it.
QString WindowTitleText(const std::string& caption);

}  // namespace tolm
