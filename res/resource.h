// Identifiers shared by the resource script and the code.
// Plain #defines: llvm-rc preprocesses this file too.
#ifndef TARVIX_RESOURCE_H
#define TARVIX_RESOURCE_H

// Dialog templates
#define IDD_ABOUT 100
#define IDD_MAIN_WINDOW 102

// Application icon
#define IDR_APP_ICON 128

// System-menu command of the about entry; its low four bits are the system's.
#define IDM_ABOUT 0x0010

// Standard push buttons
#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif

// Controls of the main window
#define IDC_PROGRAM_PATH 1000
#define IDC_BROWSE_PROGRAM 1001
#define IDC_SOUND_PATH 1002
#define IDC_BROWSE_SOUND 1003
#define IDC_SECTOR 1004
#define IDC_SECONDS 1005

// Strings: the tool's own messages
#define IDS_ABOUT_ITEM 101
#define IDS_MERGE_DONE 102
#define IDS_PROGRAM_OPEN_FAILED 103
#define IDS_POSITION_BEYOND_END 104
#define IDS_SOUND_OPEN_FAILED 105
#define IDS_SOUND_READ_FAILED 106
#define IDS_PROGRAM_WRITE_FAILED 107
#define IDS_NO_PROGRAM_FILE 108
#define IDS_NO_SOUND_FILE 109

// Strings: the framework texts the tool can show
#define IDS_OUT_OF_MEMORY 61475
#define IDS_HELP_LAUNCH_FAILED 61703

#endif
