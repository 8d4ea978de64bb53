#pragma once
// Resource and control ids of the component. Plain macros: windres reads this file too.

#define IDB_CHECKBOXES 900

// The panel: its value list and the two edit boxes above it.
#define IDC_PANEL_VALUE_LIST 1101
#define IDC_PANEL_FILTER 1102
#define IDC_PANEL_ADD 1103

// Dialog templates.
#define IDD_PANEL 1100
#define IDD_POPUP_HOST 30000
