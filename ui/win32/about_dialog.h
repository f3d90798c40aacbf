// "About Tolm32": the program's icon, name and version, an ownership notice
// and the download address, which opens in the web browser when clicked.
#pragma once

#include <functional>
#include <string>

#include "ui/win32/modal_dialog.h"

namespace tolm {

inline constexpr const char* kAboutDownloadAddress = "https://tolm.example.org/download";
// The program's icon is shown 32 by 32 pixels.
inline constexpr int kAboutIconPixels = 32;

class AboutDialog : public ModalDialog {
 public:
  // runCommandText runs the quoted address as a one-line command.
  explicit AboutDialog(std::function<void(const std::string&)> runCommandText);
  ~AboutDialog() override;

 protected:
  void OnInit() override;
  bool OnCommand(int id, int notification) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void Label6Click();

  std::function<void(const std::string&)> runCommandText_;
  HFONT largeFont_ = nullptr;
  HFONT linkFont_ = nullptr;
};

}  // namespace tolm
