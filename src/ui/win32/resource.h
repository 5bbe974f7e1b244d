// Resource and control IDs of zembrix.rc, shared with the code that drives them.
#pragma once

#define IDR_MAINFRAME 128

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_ZEMBRIX_DIALOG 102

// The system menu command of the about box; system menu IDs keep the low four bits clear.
#define IDM_ABOUTBOX 0x0010

#define IDC_TYPE_COMBO 1000
#define IDC_SOURCE_EDIT 1001
#define IDC_SOURCE_BROWSE 1002
#define IDC_OUTPUT_EDIT 1003
#define IDC_OUTPUT_BROWSE 1004
#define IDC_TYPE_LABEL 1005
#define IDC_SOURCE_LABEL 1006
#define IDC_OUTPUT_LABEL 1007
#define IDC_HINT 1008
#define IDC_RECOGNIZED 1009

#define IDC_ABOUT_ICON 1100
#define IDC_ABOUT_VERSION 1101
#define IDC_ABOUT_NOTICE 1102
