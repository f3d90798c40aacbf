#include "ui/qt/qt_text.h"

namespace tolm {

QString WindowTitleText(const std::string& caption) {
  QString title = ToQt(caption);
  title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  return title;
}

}  // namespace tolm
