// The one-line input box: a caption, a prompt, an edit box with a default
// text, OK and Cancel.
#pragma once

#include <optional>
#include <string>

#include "ui/win32/modal_dialog.h"

namespace tolm {

class InputBox : public ModalDialog {
 public:
  InputBox(std::string caption, std::string prompt, std::string defaultText);
  // The text entered, or nothing when cancelled.
  std::optional<std::string> Ask(HWND owner);

 protected:
  void OnInit() override;
  bool OnCommand(int id, int notification) override;

 private:
  std::string caption_;
  std::string prompt_;
  std::string value_;
};

}  // namespace tolm
