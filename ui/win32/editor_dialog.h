// The command file editor "Tolm Command File Editor" as a resizable dialog
// with a menu bar: the list of lines (several selectable at once), the
// "Move" buttons, the context menu and a status bar with the message line
// and "Modified". A view over EditorModel: each menu item, button and key
// takes the list's selection into the model, calls its handler and shows
// the model again.
#pragma once

#include <functional>
#include <string>

#include "ui/core/editor_model.h"
#include "ui/win32/modal_dialog.h"

namespace tolm {

class EditorDialog : public ModalDialog {
 public:
  // questions and commandDialog are not owned; showAbout shows the About
  // box over the editor.
  EditorDialog(UserQuestions& questions, CommandDialogHost& commandDialog, std::function<void(HWND)> showAbout);

  // "/edit": shows the editor on fileName (untitled when empty) until the
  // user closes it.
  void Edit(const std::string& fileName);
  // The editor's window while it is shown, for the questions' owner.
  std::function<void(HWND)> onOpen;

 protected:
  void OnInit() override;
  bool OnCommand(int id, int notification) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  // Runs a model handler between taking the selection and showing the model.
  void Handle(const std::function<void()>& handler);
  void TakeSelection();
  void ShowModel();
  void ShowLines();
  void ShowBusy(bool busy);
  void Close();
  bool OnMenu(int id);
  void Layout(int width, int height);

  EditorModel model_;
  std::string fileName_;
  std::function<void(HWND)> showAbout_;
  HMENU popup_ = nullptr;
  int margin_ = 0;
};

}  // namespace tolm
