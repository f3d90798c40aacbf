// RunEditorForm: the editor in its own event loop until it is closed. The
// window is found and closed from a timer; should it never show, a deadline
// ends the loop so the test fails instead of hanging.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

#include "support/run_tolm.h"
#include "ui/qt/editor_form.h"

namespace tolm {
namespace {

QWidget* EditorWindowShown() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "frmTolmWiz" && w->isVisible()) return w;
  return nullptr;
}

TEST(RunEditorForm, ShowsTheFileModallyUntilClosed) {
  testing::TempDir dir;
  const std::string path = dir.Write("shown.tm", "/pause one\r\n/pause two\r\n");
  std::string title;
  std::vector<std::string> items;
  bool modal = false;
  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (QWidget* w = EditorWindowShown()) {
      title = w->windowTitle().toStdString();
      modal = w->windowModality() == Qt::ApplicationModal;
      const auto* list = w->findChild<QListWidget*>("List1");
      for (int i = 0; list && i < list->count(); ++i) items.push_back(list->item(i)->text().toStdString());
      w->close();
      poll.stop();
    } else if (clock.elapsed() > 5000) {
      QCoreApplication::exit(1);  // ends every running event loop
      poll.stop();
    }
  });
  poll.start(10);
  RunEditorForm(path);
  EXPECT_EQ(title, "Tolm Command File Editor - shown.tm");
  EXPECT_TRUE(modal);
  EXPECT_EQ(items, (std::vector<std::string>{"/pause one", "/pause two"}));
  EXPECT_EQ(EditorWindowShown(), nullptr);
}

}  // namespace
}  // namespace tolm
