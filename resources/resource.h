// Numeric identifiers of the board program's resources, controls and commands.
// Shared by the .rc files and the C++ code; every number is written out once here.
#ifndef VARNEL_RESOURCE_H
#define VARNEL_RESOURCE_H

// Icons and bitmaps
#define IDI_BOARD 128
#define IDI_TRAY 139
#define IDB_SPLASH 144

// Menus
#define IDR_BOARD_MENU 129
#define IDR_RENAME_MENU 130
#define IDR_SLOT_MENU 131
#define IDR_TRAY_MENU 132

// Dialog templates
#define IDD_BOARD 200
#define IDD_RENAME_BUTTONS 201
#define IDD_EDIT_TEXT_FIELD 202
#define IDD_CONSOLIDATE 206
#define IDD_ABOUT 203
#define IDD_HELP 205
#define IDD_INPUT_BOX 209
#define IDD_SPLASH 211

// Board controls (template 200). The slot controls are computed from the slot number:
// marker 1004 + i, label 1037 + i, copy button 1070 + 2i, text field 1071 + 2i.
#define IDC_DUMMY_DEFAULT 1000
#define IDC_MIN_ON_EACH_COPY 1001
#define IDC_TOPMOST 1002
#define IDC_PROJECT_COMBO 1003
#define IDC_FIRST_MARKER 1004
#define IDC_LAST_MARKER 1036
#define IDC_FIRST_LABEL 1037
#define IDC_LAST_LABEL 1069
#define IDC_FIRST_COPY_BUTTON 1070
#define IDC_LAST_COPY_BUTTON 1134
#define IDC_FIRST_TEXT_FIELD 1071
#define IDC_LAST_TEXT_FIELD 1135

// Rename Buttons controls (template 201): the name fields carry the ids of the board's text
// fields, 1071 + 2i, and stand where the board's copy buttons stand.
#define IDC_RENAME_OK 1136
#define IDC_RENAME_CANCEL 1137

// Edit Text Field controls (template 202)
#define IDC_EDITOR_OK 1138
#define IDC_EDITOR_CANCEL 1139
#define IDC_EDITOR_TEXT 1140

// Consolidate Projects controls (template 206)
#define IDC_CONSOLIDATE_ALL 1160
#define IDC_CONSOLIDATE_ADD 1161
#define IDC_CONSOLIDATE_REMOVE 1162
#define IDC_CONSOLIDATE_CHOSEN 1163
#define IDC_CONSOLIDATE_OK 1164
#define IDC_CONSOLIDATE_CANCEL 1165
#define IDC_CONSOLIDATE_HELP 1166
#define IDC_CONSOLIDATE_TO_PLACE 1167
#define IDC_CONSOLIDATE_EXAMINED 1168

// Help topics window controls (template 205)
#define IDC_HELP_DONE 1141
#define IDC_HELP_TEXT 1142

// About box controls (template 203)
#define IDC_ABOUT_TEXT 1143

// Input box controls (template 209)
#define IDC_INPUT_PROMPT 1169
#define IDC_INPUT_TEXT 1170

// Menu 129 commands
#define ID_FILE_NEW_PROJECT 32771
#define ID_FILE_SAVE_PROJECT 32772
#define ID_FILE_SAVEAS_PROJECT 32773
#define ID_FILE_DELETE_PROJECT 32774
#define ID_FILE_EXIT 32775
#define ID_EDIT_RENAME_BUTTONS 32776
#define ID_EDIT_TEXT_FIELD 32777
#define ID_EDIT_FIND 32778
#define ID_CONFIGURE_REPOSITION 32779
#define ID_CONFIGURE_CONSOLIDATE 32780
#define ID_OPTIONS_USE_TRAY 32781
#define ID_OPTIONS_HIDE_AT_STARTUP 32782
#define ID_OPTIONS_AUTO_PASTE 32783
#define ID_HIDE 32784
#define ID_HELP_README 32785
#define ID_HELP_SCREENTIPS 32786
#define ID_SUPPORT_WEB 32787
#define ID_SUPPORT_FAQ 32788
#define ID_SUPPORT_EMAIL 32789
#define ID_SUPPORT_PHONE 32790
#define ID_HELP_OVERVIEW 32791
#define ID_HELP_MIN_ON_EACH_COPY 32792
#define ID_HELP_TOPMOST 32793
#define ID_HELP_CHANGE_PROJECT 32794
#define ID_HELP_RENAME_ONE_BUTTON 32795
#define ID_HELP_FILE_NEW 32796
#define ID_HELP_FILE_OPEN 32797
#define ID_HELP_FILE_SAVE 32798
#define ID_HELP_FILE_SAVEAS 32799
#define ID_HELP_FILE_EXIT 32800
#define ID_HELP_EDIT_RENAME 32801
#define ID_HELP_EDIT_TEXT_FIELD 32802
#define ID_HELP_EDIT_FIND 32803
#define ID_HELP_CONFIGURE_REPOSITION 32804
#define ID_HELP_CONFIGURE_CONSOLIDATE 32805
#define ID_HELP_OPTIONS_USE_TRAY 32806
#define ID_HELP_OPTIONS_HIDE_AT_STARTUP 32807
#define ID_HELP_OPTIONS_AUTO_PASTE 32808
#define ID_HELP_ABOUT 32809

// Menu 130 (Rename Buttons)
#define ID_RENAME_HELP 32810

// Commands posted between parts of the program and between two copies of it
#define ID_HANDOVER_REQUEST 32813
#define ID_HANDOVER_ACKNOWLEDGE 32814
#define ID_COPY_BUTTON_RIGHT_CLICKED 32815

// Slot context menu (131) and tray menu (132)
#define ID_SLOT_RENAME_BUTTON 32816
#define ID_SLOT_EDIT_TEXT_FIELD 32817
#define ID_TRAY_EXIT 32818

#endif
