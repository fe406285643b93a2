// Resource and control ids.
#pragma once

// Dialogs
#define IDD_ABOUTBOX 100
#define IDD_WORDMILL_DIALOG 102
#define IDD_SETTINGS 129
#define IDD_BROWSE 131
#define IDD_SPELL 134
#define IDD_GIVEUP 135

// Icons, bitmaps, strings
#define IDR_MAINFRAME 128
#define IDB_TOP 150
#define IDB_BACKGROUND 151
#define IDS_ABOUTBOX 101
#define IDS_SPEAK_TIP 200
#define IDS_SPEECH_STARTING 201
#define IDS_SPEECH_NO_ENGINE 202
#define IDS_SPEECH_ENGINE_FAILED 203
#define IDS_SPEECH_NO_ENGLISH 204

// System-menu item
#define IDM_ABOUTBOX 0x0010

// Controls
#define IDC_BROWSE 1000
#define IDC_SPELL 1001
#define IDC_GAME 1002
#define IDC_HIDE 1003
#define IDC_SETTINGS 1004
#define IDC_FORCED 1005
#define IDC_EDIT 1006
#define IDC_LEFT 1011
#define IDC_RIGHT 1012
#define IDC_INFO 1015
#define IDC_PROTECT 1018
#define IDC_INTERVAL 1020
#define IDC_REMAIN 1025
#define IDC_ANSWER 1026
#define IDC_PER_READ 1027
#define IDC_BANK 1033
#define IDC_HOMEPAGE 1035
#define IDC_SPEAK 1040
#define IDC_AUTOSPEAK 1041
