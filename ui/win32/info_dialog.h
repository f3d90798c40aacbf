// The "Information" dialog: a long text (the output of a run, a parser's
// report) in a read-only, scrolling text box that grows with the dialog,
// and "OK" at the bottom. The close box does what "OK" does.
#pragma once

#include <string>

#include "ui/win32/modal_dialog.h"

namespace tolm {

class InfoDialog : public ModalDialog {
 public:
  explicit InfoDialog(std::string text);

 protected:
  void OnInit() override;
  bool OnCommand(int id, int notification) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void Layout(int width, int height);

  std::string text_;
  int margin_ = 0;  // the template's margins, in pixels
  int buttonGap_ = 0;
};

}  // namespace tolm
