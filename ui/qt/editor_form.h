// The command file editor "Tolm Command File Editor" in Qt, for "/edit".
#pragma once

#include <string>

namespace tolm {

// Shows the editor on fileName (read when not empty; untitled otherwise)
// modally, in an event loop of its own, until the user closes it. Needs the
// application object to exist. The editor shows the failures of its own
// operations itself; anything else that fails is thrown (and fails "/edit").
void RunEditorForm(const std::string& fileName);

}  // namespace tolm
