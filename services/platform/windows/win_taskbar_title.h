// The application title on the task bar. A program without windows of its
// own has no task-bar button; this one gets a button through a small
// application window, shown minimized without taking the focus, whose text is
// the application title ("<what runs> - tolm32") and whose icon is the
// program's. Closing it from the task bar is a close request (WM_SYSCOMMAND
// with SC_CLOSE, served by the pump).
#pragma once

namespace tolm {

// Creates the window with the current title and follows every change of the
// title. Main thread only, once.
void ShowTitleOnTaskbar();

}  // namespace tolm
