#include "ui/qt/dialog_runner.h"

#include <QDialog>

namespace tolm {

void ExecDialog(QDialog& dialog) { dialog.exec(); }

}  // namespace tolm
