// "/edit", "/plist" and "/wlist": windows of the user interface, shown until
// the user is done with them.
#include "interp/executor.h"
#include "services/seams/user_interface.h"

namespace tolm {

void ExecuteEdit(CommandContext& c) { CurrentUserInterface().EditCommandFile(c.ArgumentText); }
void ExecutePlist(CommandContext&) { CurrentUserInterface().ShowListDialog(false); }
void ExecuteWlist(CommandContext&) { CurrentUserInterface().ShowListDialog(true); }

}  // namespace tolm
