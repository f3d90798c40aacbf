// Whether XDG_CURRENT_DESKTOP names a desktop: the variable is a list of
// names separated by colons ("ubuntu:GNOME"), and a name counts only whole
// and in its own case ("GNOME-Classic" is not "GNOME"). Used where the
// desktop is chosen and by the desktops that share a session variable.
#pragma once

#include <string_view>

namespace tolm {

// currentDesktop may be nullptr (the variable is not set).
bool NamesDesktop(const char* currentDesktop, std::string_view desktop);

}  // namespace tolm
