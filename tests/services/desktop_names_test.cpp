// Which XDG_CURRENT_DESKTOP values name a desktop: whole names of the list
// only, in their own case.
#include "services/core/desktop_names.h"

#include <gtest/gtest.h>

namespace tolm {
namespace {

TEST(DesktopNames, OnlyAWholeNameOfTheListCounts) {
  const struct {
    const char* value;
    const char* desktop;
    bool names;
  } cases[] = {
      {"GNOME", "GNOME", true},          {"ubuntu:GNOME", "GNOME", true}, {"GNOME-Classic:GNOME", "GNOME", true},
      {"GNOME:Unity", "GNOME", true},    {"GNOME-Classic", "GNOME", false}, {"gnome", "GNOME", false},
      {"KDE", "GNOME", false},           {"", "GNOME", false},            {nullptr, "GNOME", false},
      {"XGNOME:", "GNOME", false},       {"KDE", "KDE", true},             {"sway:KDE:", "KDE", true},
      {"::", "KDE", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NamesDesktop(c.value, c.desktop), c.names) << (c.value ? c.value : "(unset)") << " / " << c.desktop;
  }
}

}  // namespace
}  // namespace tolm
