#pragma once
// Resource and command ids of Parvel.exe. Shared by the resource scripts and the code.

// Frame resources: icon, accelerators, document string.
#define IDR_MAINFRAME 128
#define IDD_ABOUTBOX 100

// Wizard pages.
#define IDD_FOLDER 130
#define IDD_NOTICE 132
#define IDD_CONFIRM 133

#define IDC_DRIVE_LIST 1002
#define IDC_FOLDER_LIST 1003
#define IDC_REVERT 1004
#define IDC_FOLDER_EDIT 1005
#define IDC_TEXT 1006
#define IDC_PICTURE 1007
#define IDC_BACK 1008

// Commands posted between the windows of the wizard.
#define ID_SHOW_NOTICE 101
#define ID_SHOW_FOLDER 102
#define ID_SHOW_CONFIRM 103
#define ID_SET_TITLE 104
#define ID_APP_ABOUT 0xE140

// Texts of the update run's message boxes.
#define IDS_CAPTION_ERROR 2001
#define IDS_CAPTION_CONFIRM 2002
#define IDS_WRONG_FOLDER 2011
#define IDS_FOLDER_NOT_VALID 2012
#define IDS_KIND_NOT_RECOGNISED 2013
#define IDS_INSERT_DISK 2014
#define IDS_UPDATE_CANCELLED 2015
#define IDS_TEMPLATE_UPDATED 2016
#define IDS_COPY_FAILED 2018
#define IDS_ATTRIBUTES_FAILED 2019
#define IDS_SIZE_CONVERSION_FAILED 2020
#define IDS_TYPE_CONVERSION_FAILED 2021
#define IDS_UPDATE_DONE 2022
#define IDS_SETTINGS_NOT_WRITTEN 2023
#define IDS_BROKEN_ENTRY_LINE 2024
#define IDS_FILES_HELD 2025
#define IDS_HOLDING_PROGRAMS 2026
#define IDS_NO_SPACE 2027
#define IDS_NO_WRITE_ACCESS 2028
#define IDS_RECOVERED 2029
#define IDS_RECOVERY_DISCARDED 2030
#define IDS_RECOVERY_FAILED 2031
#define IDS_COMMIT_CANCELLED 2032
#define IDS_COMMIT_FAILED 2033
#define IDS_COMMIT_INCOMPLETE 2034
#define IDS_MEDIUM_DAMAGED 2035

// Texts of the wizard pages.
#define IDS_PAGE_CAPTION_UPDATE 2101

// Texts of the command line.
#define IDS_USAGE_CAPTION 2201
#define IDS_USAGE 2202
#define IDS_BAD_COMMAND_LINE 2203

// Texts of the archive component (its own range).
#define IDS_ARCHIVE_FIRST 3000
