// A dialog runner for the form tests: each dialog the code under test shows
// runs the next scripted step (which reads its controls and answers it)
// instead of blocking in a modal loop. A dialog without a step fails the test.
#pragma once

#include <QDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tolm::testing {

class DialogScript {
 public:
  using Step = std::function<void(QDialog&)>;
  ~DialogScript() { EXPECT_TRUE(steps.empty()) << "dialog steps left unused"; }

  std::deque<Step> steps;
  std::vector<std::string> titles;  // of every dialog shown, in order

  std::function<void(QDialog&)> Runner() {
    return [this](QDialog& dialog) {
      titles.push_back(dialog.windowTitle().toStdString());
      if (steps.empty()) {
        ADD_FAILURE() << "unexpected dialog " << titles.back();
        return;
      }
      Step step = std::move(steps.front());
      steps.pop_front();
      step(dialog);
    };
  }
};

// The box's buttons' texts, in the order shown.
inline std::vector<std::string> ButtonTexts(const QMessageBox& box) {
  std::vector<std::string> texts;
  for (QAbstractButton* b : box.buttons()) texts.push_back(b->text().toStdString());
  return texts;
}

}  // namespace tolm::testing
