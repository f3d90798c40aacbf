// The standard message boxes: "Information", "Warning" and "Error" with one
// OK button, and "Confirm" with "&Yes" and "&No". Each is made here and
// shown by the caller, so tests can look at the box before it is answered.
#pragma once

#include <QString>

#include <memory>
#include <string>

#include "services/seams/user_interface.h"

class QMessageBox;

namespace tolm {

// A text of the program as the forms show it: UTF-8, CR LF pairs as line feeds.
QString ShownText(const std::string& text);

// A box of the kind, captioned with the kind's name, with one OK button.
std::unique_ptr<QMessageBox> MakeMessageBox(MessageKind kind, const std::string& text);
// The "Confirm" box; "&Yes" is the default button, Escape and the close box answer No.
std::unique_ptr<QMessageBox> MakeYesNoBox(const std::string& text);
// Whether the user's answer to a MakeYesNoBox box was Yes.
bool AnsweredYes(const QMessageBox& box);

}  // namespace tolm
