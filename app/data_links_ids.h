#pragma once

// Controls of the "Insert Link" dialog (INSERTLINK).
#define IDC_LINK_APPLICATION 2001
#define IDC_LINK_TOPIC 2002
#define IDC_LINK_ITEM 2003
