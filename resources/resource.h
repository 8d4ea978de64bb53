#pragma once
// Resource and control ids of the component. Plain macros: windres reads this file too.

#define IDB_CHECKBOXES 900
// The same state images drawn at 24 and 32 px, for larger display scalings.
#define IDB_CHECKBOXES_24 901
#define IDB_CHECKBOXES_32 902

// The panel: its value list and the two edit boxes above it.
#define IDC_PANEL_VALUE_LIST 1101
#define IDC_PANEL_FILTER 1102
#define IDC_PANEL_ADD 1103

// Dialog templates.
#define IDD_PANEL 1100
#define IDD_POPUP_HOST 30000

// The window properties dialog of a popup window.
#define IDD_PANEL_PROPERTIES 1300
#define IDC_PANEL_PROPERTIES_PERSISTENT 1306
#define IDC_PANEL_PROPERTIES_NAME 1307

// The Options dialog of a panel: its presets and the settings of the one shown.
#define IDD_OPTIONS 1200
#define IDC_OPTIONS_PRESET 1202
#define IDC_OPTIONS_NEW 1203
#define IDC_OPTIONS_DELETE 1204
#define IDC_OPTIONS_RENAME 1205
#define IDC_OPTIONS_FIELD 1208
#define IDC_OPTIONS_TAGS 1210
#define IDC_OPTIONS_SCAN_FIELDS 1215
#define IDC_OPTIONS_FILTER_FIELDS 1217
#define IDC_OPTIONS_TEXT_FONT 1219
#define IDC_OPTIONS_LIST_FONT 1220
#define IDC_OPTIONS_TEXT_COLOR 1221
#define IDC_OPTIONS_LIST_COLOR 1222
#define IDC_OPTIONS_BACK_COLOR 1223
#define IDC_OPTIONS_LIST_BACK_COLOR 1224
#define IDC_OPTIONS_EDGE_STYLE 1227
#define IDC_OPTIONS_DOUBLECLICK 1229
#define IDC_OPTIONS_PLAYLIST_NAME 1231
#define IDC_OPTIONS_SCAN_LIBRARY 1232
#define IDC_OPTIONS_FILTER_ON_FOCUSED 1233
#define IDC_OPTIONS_GLOBAL_COLORS 1234
#define IDC_OPTIONS_SORT_LIST 1235
#define IDC_OPTIONS_SAME_VALUE_FIELDS 1236
#define IDC_OPTIONS_SORT_ORDER 1237

// The name of a new or renamed preset, asked by the Options dialog.
#define IDD_PRESET_NAME 1000
#define IDC_PRESET_NAME_TEXT 1001
