// Resource numbers shared by the resource script and the program.
#pragma once

// Pictures (24-bit bitmaps drawn on the main window's blue).
#define IDB_PROGRAM_PICTURE 101  // 392 x 299, main window, password dialog, about box
#define IDB_LOGO 102             // 346 x 105, main window

// The twelve launcher symbols (48 x 48), in the order of the main window's entries.
#define IDB_LAUNCHER_ASSISTENT 110
#define IDB_LAUNCHER_BERICHT 111
#define IDB_LAUNCHER_INTERNETZUGANG 112
#define IDB_LAUNCHER_CLEANUP 113
#define IDB_LAUNCHER_IE 114
#define IDB_LAUNCHER_OFFICEXP 115
#define IDB_LAUNCHER_SYSTEM 116
#define IDB_LAUNCHER_EXPLORER 117
#define IDB_LAUNCHER_STARTMENU 118
#define IDB_LAUNCHER_ANMELDEN 119
#define IDB_LAUNCHER_AUTOSTART 120
#define IDB_LAUNCHER_SONSTIGES 121

// The drive pictures (icons of 32 and 16 pixels), in the order of the drive lists'
// image lists: removable, fixed, CD-ROM, network, RAM disk, unknown; then the diskette.
#define IDI_DRIVE_REMOVABLE 130
#define IDI_DRIVE_FIXED 131
#define IDI_DRIVE_CDROM 132
#define IDI_DRIVE_NETWORK 133
#define IDI_DRIVE_RAMDISK 134
#define IDI_DRIVE_UNKNOWN 135
#define IDI_DRIVE_FLOPPY 136

// The group pictures of the clean-up's registry result list (icons of 32 and 16
// pixels), one per check: file types, COM classes, ActiveX, shared DLLs, fonts, icons.
#define IDI_REGISTRY_FILETYPE 140
#define IDI_REGISTRY_COM 141
#define IDI_REGISTRY_ACTIVEX 142
#define IDI_REGISTRY_SHAREDDLL 143
#define IDI_REGISTRY_FONT 144
#define IDI_REGISTRY_ICON 145

// The symbols of the four wizards on the wizard page (icons of 48 and 32 pixels):
// SPEED, STANDARD, Policy, Rescue.
#define IDI_WIZARD_SPEED 150
#define IDI_WIZARD_STANDARD 151
#define IDI_WIZARD_POLICY 152
#define IDI_WIZARD_RETTUNG 153
