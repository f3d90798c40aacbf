// The "Replace All" dialog of the editor: the text to replace and its
// replacement; "&OK" hands both back, "&Cancel" and the close box nothing.
#pragma once

#include <optional>

#include "ui/core/replace_all.h"
#include "ui/win32/modal_dialog.h"

namespace tolm {

class ReplaceDialog : public ModalDialog {
 public:
  ReplaceDialog();
  std::optional<ReplaceStrings> Ask(HWND owner);

 protected:
  bool OnCommand(int id, int notification) override;

 private:
  ReplaceStrings strings_;
};

}  // namespace tolm
