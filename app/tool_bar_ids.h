#pragma once

// Resources of the tool bar and the zoom cursor.

#define TOOLBAR_BUTTON_COUNT 26
#define TOOLBAR_BUTTON_HELP 25
#define TOOLBAR_BUTTON_HIDE 26
