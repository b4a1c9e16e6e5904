// Resource ids of the executable: dialog templates, icons, the tray menu,
// strings, and the controls and commands of the windows in res/.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SORBELQUINTARO_DIALOG 102
#define IDR_MAINFRAME 128
#define IDI_DISABLED 129
#define IDD_SETTING_DIALOG 129
#define IDR_TRAY_MENU 130
#define IDD_MAPEDIT_DIALOG 131
#define IDD_APPSELECT_DIALOG 132
#define IDD_DEVICE_SLOTS_DIALOG 150
#define IDD_LAYER_NAMES_DIALOG 155

// Settings window
#define IDC_DEVICE_COMBO 1000
#define IDC_TABLE_LIST 1001
#define IDC_ADD_BUTTON 1002
#define IDC_EDIT_BUTTON 1003
#define IDC_DELETE_BUTTON 1004
#define IDC_MONITOR_BUTTON 1200
#define IDC_SHOW_NOTICE_CHECK 1201

// The settings window's button for the other devices, and their dialog:
// one list per slot 2..8, ids in slot order.
#define IDC_OTHER_DEVICES_BUTTON 1240
#define IDC_SLOT_COMBO_FIRST 1241

// Writing the table to a file and reading one.
#define IDC_EXPORT_BUTTON 1271
#define IDC_IMPORT_BUTTON 1272

// The settings window's button for the layer names, and their dialog: one
// edit per layer 1..16, ids in layer order.
#define IDC_LAYER_NAMES_BUTTON 1279
#define IDC_LAYER_NAME_FIRST 1280
// The same dialog's MIDI-OUT lists for the lights, one per slot 1..8 in slot
// order, and the name of slot 1's device, which the settings window chooses.
#define IDC_OUT_COMBO_FIRST 1300
#define IDC_SLOT1_DEVICE_NAME 1310

// Version box
#define IDC_VERSION_TEXT 1017
#define IDC_COPYRIGHT_TEXT 1018

// Tray menu
#define ID_TRAY_SETTINGS 32771
#define ID_TRAY_VERSION 32772
#define ID_TRAY_TOGGLE_ENABLED 32773
#define ID_TRAY_MONITOR 32780

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
