#pragma once
// The component's resource ids: the one place their numbers are written. The resource
// scripts, the code and the tests name them from here. The numbers are fixed: translations,
// skins made for the component and the player's stored state rely on them.
// Plain macros, since the resource compiler reads this file too.

// Texts of menu items and dialog controls are string ids written as text ("1000"); the code
// replaces them by the localised string at run time. RESOURCE_TEXT(IDS_MENU_BACK) is "1000".
#define RESOURCE_TEXT_OF(number) #number
#define RESOURCE_TEXT(id) RESOURCE_TEXT_OF(id)

// String table. Every translatable text has an id of at least IDS_FIRST.
#define IDS_FIRST 1000
#define IDS_MENU_BACK 1000
#define IDS_MENU_PLAY_PAUSE 1010
#define IDS_MENU_STOP 1020
#define IDS_MENU_NEXT 1030
#define IDS_MENU_LOAD 1040
#define IDS_MENU_LOAD_FILE 1041
#define IDS_MENU_LOAD_DIRECTORY 1042
#define IDS_MENU_LOAD_URL 1043
#define IDS_MENU_DELETE_FILE 1050
#define IDS_MENU_CONFIGURATION 1060
#define IDS_MENU_VOLUME_SLIDER 1061
#define IDS_MENU_SEEK_SLIDER 1062
#define IDS_MENU_PREFERENCES 1063
#define IDS_MENU_RESET_ICONS 1064
#define IDS_PAGE_SETTINGS 1100
#define IDS_PAGE_SHOW_BALLOON 1101
#define IDS_PAGE_FORMAT 1102
#define IDS_PAGE_TITLE 1108
#define IDS_PAGE_AUTO_VOLUME 1112
#define IDS_PAGE_SHOW_ON_STREAM 1113
#define IDS_PAGE_SKIN 1114
#define IDS_PAGE_PAUSE_ON_SCREEN_SAVER 1115
#define IDS_PAGE_HIDE_AFTER 1116
#define IDS_PAGE_LANGUAGE 1118
#define IDS_PAGE_SHOW_CARD 1119
#define IDS_LANGUAGE_NAME 1130
#define IDS_TRANSLATOR_INTRO 1131
#define IDS_TRANSLATOR_NAME 1132
#define IDS_TRANSLATOR_CONTACT 1133
#define IDS_LABEL_ARTIST 1135
#define IDS_LABEL_ALBUM 1136
#define IDS_LABEL_LENGTH 1137
#define IDS_LABEL_FILE 1138
#define IDS_DELETE_QUESTION 1139
#define IDS_MENU_SHOW_HIDE 1580
#define IDS_MENU_QUIT 1590
#define IDS_PAGE_FORMAT_HELP 1603
// The string block that holds IDS_LANGUAGE_NAME: a language is present when this block is.
#define IDS_LANGUAGE_BLOCK (IDS_LANGUAGE_NAME / 16 + 1)

// The tray popup menu: one popup, with two sub-menus, each found by a command it holds.
#define IDR_TRAY_MENU 30058

// Commands of the tray popup menu.
#define ID_TRAY_BACK 59000
#define ID_TRAY_PREFERENCES 59003
#define ID_TRAY_LOAD_DIRECTORY 59004
#define ID_TRAY_LOAD_FILE 59005
#define ID_TRAY_LOAD_URL 59006
#define ID_TRAY_NEXT 59007
#define ID_TRAY_PLAY_PAUSE 59008
#define ID_TRAY_QUIT 59009
#define ID_TRAY_SEEK_SLIDER 59010
#define ID_TRAY_STOP 59012
#define ID_TRAY_VOLUME_SLIDER 59013
#define ID_TRAY_DELETE_FILE 59014
#define ID_TRAY_TITLE_BAND 59015
#define ID_TRAY_RESET_ICONS 59016
#define ID_TRAY_SHOW_HIDE 40011

// The tray menu's 13 x 13 item glyphs.
#define IDB_MENU_BACK 30002
#define IDB_MENU_SLIDER_CHECK 30003
#define IDB_MENU_CONFIGURATION 30004
#define IDB_MENU_LOAD 30006
#define IDB_MENU_NEXT 30007
#define IDB_MENU_PAUSE 30008
#define IDB_MENU_PLAY 30009
#define IDB_MENU_QUIT 30010
#define IDB_MENU_SHOW_HIDE 30011
#define IDB_MENU_RESET 30012
#define IDB_MENU_STOP 30013
#define IDB_MENU_DELETE 117
#define IDB_MENU_FILE 118
#define IDB_MENU_DIRECTORY 119
#define IDB_MENU_URL 120

// The colour (black) and mask (white) planes of an empty 16 x 16 icon.
#define IDB_EMPTY_COLOUR 111
#define IDB_EMPTY_MASK 112

// The component's icon, shown on the preferences page.
#define IDI_COMPONENT 30057
// The strip's built-in images: image `index` of a set at an artwork size is icon
// IDI_STRIP_FIRST + STRIP_ICON_SIZE_STRIDE x (the size's place in 16, 20, 24, 32)
// + STRIP_ICON_SET_STRIDE x (the set's place in classic, light, dark) + index.
#define IDI_STRIP_FIRST 30060
#define IDI_STRIP_LAST 30297
#define STRIP_ICON_SET_STRIDE 20
#define STRIP_ICON_SIZE_STRIDE 60

// The preferences page and its controls.
#define IDD_PREFERENCES 30056
#define IDC_WEB_ADDRESS 1005
#define IDC_PAUSE_ON_SCREEN_SAVER 1009
#define IDC_BALLOON_FORMAT 1010
#define IDC_BALLOON_TITLE 1011
#define IDC_TRANSLATOR_CREDIT 1017
#define IDC_AUTO_VOLUME_ON_STREAM 1020
#define IDC_SHOW_BALLOON_ON_STREAM 1021
#define IDC_SKINS 1022
#define IDC_LANGUAGES 1024
#define IDC_HIDE_AFTER 1026
#define IDC_SHOW_CARD 1027
#define IDC_SHOW_BALLOON 30034
