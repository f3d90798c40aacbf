// The About box "About Tolm32": the icon, the program's name and version, an
// ownership notice and the download address, which opens in the browser
// when clicked.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace tolm {

inline constexpr const char* kAboutCaption = "About Tolm32";
inline constexpr const char* kDownloadAddress = "https://tolm.example.org/download";

class AboutForm : public QDialog {
  Q_OBJECT

 public:
  // runCommandText runs one command line (the interpreter's RunCommandText);
  // a click on the address runs the address in double quotes, a program
  // start that hands the URL to the desktop's opener.
  AboutForm(std::function<void(const std::string&)> runCommandText, QWidget* parent = nullptr);

  // The handler of a click on the address.
  void Label6Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(const std::string&)> runCommandText_;
  QLabel* Label6;
  QPushButton* btnOk;
};

}  // namespace tolm
