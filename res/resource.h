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

// Capture result dialog
#define IDD_CAPTURE_RESULT 109
#define IDC_CAPTURE_COPY 1017
#define IDC_CAPTURE_SAVE 1018

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

// Capture page controls; its "&Capture!" button carries the tray window's
// Capture command, ID_CAPTURE.
#define IDC_CAP_HELP 1014
#define IDC_CAP_HOTKEY 1016
#define IDC_CAP_PATH 1023
#define IDC_CAP_GO 1034

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
#define IDC_ABOUT_PICTURE 1090 // the picture beside the name, set by the page

// The product's web page, opened by the About page's "&Web Page"
#define IDS_WEB_ADDRESS 124

// Tip of the Day
#define IDD_TIP 113
#define IDB_LIGHTBULB 112       // 40 x 53, 16 colours, on white
#define IDS_TIP_HEADING 120     // "Did you know..."
#define IDS_TIP_FILE_ABSENT 122 // "Tips file does not exist in the prescribed directory"
#define IDS_TIP_FILE_ERROR 123  // "Trouble reading the tips file"
#define IDC_TIP_AREA 1000       // hidden: marks the white area the dialog paints
#define IDC_TIP_STARTUP 1001
#define IDC_TIP_NEXT 1002
#define IDC_TIP_TEXT 1004

// Skin dialog (no title bar) and its scheme name prompt
#define IDD_SKIN 222
#define IDD_SCHEME_NAME 224
#define IDC_SCHEME_NAME 1023 // the name prompt's edit
#define IDC_SKIN_SAVE 1015
#define IDC_SKIN_IMPORT 1016
#define IDC_SKIN_EXPORT 1017
#define IDC_SKIN_DELETE 1018
#define IDC_SKIN_HELP 1019
#define IDC_SKIN_MODE 1023
#define IDC_SKIN_GRANULARITY 1024
#define IDC_SKIN_COLORING 1026
#define IDC_SKIN_RED 1028 // trackbars 0..255
#define IDC_SKIN_GREEN 1029
#define IDC_SKIN_BLUE 1030
#define IDC_SKIN_EDIT_COLOR 1033
#define IDC_SKIN_CANCEL 1066 // "Cancel"; Esc is IDCANCEL
#define IDC_SKIN_MODE_SPIN 1068
#define IDC_SKIN_GRANULARITY_SPIN 1069
#define IDC_SKIN_COLORING_SPIN 1071
#define IDC_SKIN_SWATCH 1072 // group box: the tint colour is painted inside it
#define IDC_SKIN_TARGET_DIALOG 1073
#define IDC_SKIN_TARGET_BUTTON 1074
#define IDC_SKIN_LIST 1076
#define IDC_SKIN_PREVIEW_BUTTON 1077
#define IDC_SKIN_RANDOM 1078

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

// Colour editor: the dialog and its wheel picture share the number 5130.
#define IDD_COLOR_EDIT 5130
#define IDB_COLOR_WHEEL 5130 // 202 x 201, 24-bit; background RGB(192, 192, 192)
#define IDB_COLOR_CUBE 5131  // 190 x 190, 24-bit; background RGB(192, 192, 192)
#define IDC_CE_RGB_AREA 5000 // group box framing the cube
#define IDC_CE_HSB_AREA 5001 // group box framing the wheel and the bar
#define IDC_CE_RED 5002
#define IDC_CE_RED_SPIN 5003
#define IDC_CE_GREEN 5004
#define IDC_CE_GREEN_SPIN 5005
#define IDC_CE_BLUE 5006
#define IDC_CE_BLUE_SPIN 5007
#define IDC_CE_INITIAL 5008 // hidden group box: place of the swatch of the colour opened with
#define IDC_CE_CURRENT 5009 // hidden group box: place of the swatch of the colour edited
#define IDC_CE_HUE 5010
#define IDC_CE_HUE_SPIN 5011
#define IDC_CE_SATURATION 5012
#define IDC_CE_SATURATION_SPIN 5013
#define IDC_CE_BRIGHTNESS 5014
#define IDC_CE_BRIGHTNESS_SPIN 5015
