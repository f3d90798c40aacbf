// The application title: "<what runs> - <title word>". The title word is the
// program's own name; AfterLastBlank of any title gives it back.
#pragma once

#include <functional>
#include <string>

namespace tolm {

const std::string& ApplicationTitle();
void SetApplicationTitle(std::string title);
// Sets the title back to its title word (what a script error does).
void ResetApplicationTitle();
// Sets the title to "<text> - <title word of the current title>".
void SetTitleFor(const std::string& text);
// A user interface that shows the title somewhere registers here.
void OnApplicationTitleChanged(std::function<void(const std::string&)> listener);

}  // namespace tolm
