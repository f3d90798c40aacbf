// Drives the modal dialogs and message boxes that the code under test shows
// on this thread: a timer, served by the dialogs' own modal loops, hands
// each new dialog to the next step, which reads its controls and ends it
// (the step may open a further dialog; that one gets the step after). A
// dialog that no step expects, or one still open after the time limit, is
// ended with IDCANCEL so that a failing test fails instead of hanging.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tolm::testing {

class ModalDriver {
 public:
  using Step = std::function<void(HWND dialog)>;

  explicit ModalDriver(std::vector<Step> steps);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // The captions of the dialogs seen, in order (unexpected ones included).
  std::vector<std::string> titles;
  // Steps that never got a dialog.
  size_t StepsLeft() const { return steps_.size() - next_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void DriveNewDialog();

  std::vector<Step> steps_;
  size_t next_ = 0;
  std::set<HWND> seen_;
  UINT_PTR timer_ = 0;
  DWORD started_ = 0;
};

// The children of a window as "class id text" lines, for reading a form back.
struct Control {
  std::string className;
  int id;
  std::string text;
};
std::vector<Control> Controls(HWND window);
// Clicks a button (WM_COMMAND with its id, as a click sends it).
void Click(HWND dialog, int id);
// The entries of a list box.
std::vector<std::string> ListEntries(HWND list);

}  // namespace tolm::testing
