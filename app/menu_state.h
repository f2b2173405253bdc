#pragma once

// Enabled states and check marks of the menus, refreshed after every
// command; the recent-file items of the File menu.

namespace merva::app {

void RefreshMenus();
void UpdateRecentFilesMenu();

}  // namespace merva::app
