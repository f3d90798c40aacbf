// The program's icon: a script page with a start arrow. One table of shapes
// is both painted for the windows and the About box and written out as the
// SVG file the desktop shows (ui/qt/icons/tolm32.svg).
#pragma once

#include <QIcon>
#include <QPixmap>
#include <string>

namespace tolm {

// The icon drawn size by size pixels.
QPixmap ProgramIconPixmap(int size);
// The icon at the sizes windows and task bars ask for.
QIcon ProgramIcon();
// The SVG document of the same shapes.
std::string ProgramIconSvg();

}  // namespace tolm
