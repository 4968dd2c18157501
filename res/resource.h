// Resource and command ids shared by the resource script and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif

// Strings
#define IDS_SHEET_CAPTION 1 // "!Zentrova": the options sheet's caption at construction
#define IDR_MAINFRAME 101   // tray window: title string "&Hide Magnify"
#define IDS_APP_TITLE 57344 // "!Zentrova": message box caption and tooltip

// Icons and bitmaps
#define IDI_TRAY_NORMAL 104
#define IDI_TRAY_BUSY 105
#define IDB_MENU_SIDEBAR 182 // 20 x 107, the program's name bottom to top
#define IDB_ABOUT_ICON 220

// Cursors
#define IDC_EYEDROPPER 225 // 32 x 32, hotspot (9, 21) at the dropper's tip

// Menus
#define IDR_TRAY_MENU 121 // one popup with the placeholder item ID_MENU_PLACEHOLDER

// Dialog templates (options pages)
#define IDD_MAGNIFY_PAGE 102
#define IDD_CAPTURE_PAGE 108
#define IDD_COLOR_PAGE 114
#define IDD_ABOUT_PAGE 125

// Magnify page controls; F1 on the options window explains the ones from
// IDC_MAG_FIRST to IDC_MAG_LAST.
#define IDC_MAG_FIRST 1001
#define IDC_MAG_LAST 1012
#define IDC_MAG_HOTKEY 1001
#define IDC_MAG_FACTOR 1002
#define IDC_MAG_FACTOR_SPIN 1003
#define IDC_MAG_REGION 1004
#define IDC_MAG_REGION_SPIN 1005
#define IDC_MAG_HOTKEY_GROUP 1006 // reserved for the hotkey's group; explained like the hotkey
#define IDC_MAG_HOTKEY_CAPTION 1008
#define IDC_MAG_REGION_CAPTION 1009
#define IDC_MAG_FACTOR_CAPTION 1010
#define IDC_MAG_REGION_UNIT 1011
#define IDC_MAG_FACTOR_UNIT 1012
#define IDC_MAG_HELP 1014
#define IDC_MAG_MAGNIFY 1039

// Color page controls
#define IDC_COLOR_SWATCH 1024 // group box: the swatch is painted inside it
#define IDC_COLOR_HELP 1032
#define IDC_COLOR_EDIT 1033
#define IDC_COLOR_RGB 1055
#define IDC_COLOR_HTML 1056
#define IDC_COLOR_POSITION 1057
#define IDC_COLOR_HOTKEY 1059

// About page controls
#define IDC_ABOUT_WEB 1060
#define IDC_ABOUT_HELP 1064
#define IDC_ABOUT_SKIN 1065
#define IDC_ABOUT_TIP 1066

// Commands to the tray window
#define ID_OPTIONS 40001
#define ID_EXIT 40002
#define ID_MAGNIFY 40003
#define ID_CAPTURE 40006
#define ID_PICKER_TOGGLE 40007
#define ID_MENU_PLACEHOLDER 40010
#define ID_ZOOM_HIDDEN 40011 // from the hook library: the zoom window hid itself
#define ID_RECORD_TOGGLE 40009
#define ID_PLAYBACK 41008
#define ID_HELP_INSTALL 41009
