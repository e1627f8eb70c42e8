// Basic types and numeric constants of the window layer.
//
// The names and values follow the Windows user interface, so that the same tool code
// builds on every backend. The handle types are opaque: a backend maps them to its own
// objects. Declared so that they agree with a STRICT <windows.h> (which a Win32 backend
// includes first); the constants are guarded for the same reason.
#pragma once

#include <cstdint>

#include "resource.h"

typedef struct HWND__* HWND;
typedef struct HICON__* HICON;
typedef struct HDC__* HDC;
typedef struct HMENU__* HMENU;

typedef int BOOL;
typedef unsigned int UINT;
typedef unsigned long DWORD;
typedef std::uintptr_t UINT_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;

#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif

// Window messages
#ifndef WM_PAINT
#define WM_PAINT 0x000F
#endif
#ifndef WM_CLOSE
#define WM_CLOSE 0x0010
#endif
#ifndef WM_ICONERASEBKGND
#define WM_ICONERASEBKGND 0x0027
#endif
#ifndef WM_QUERYDRAGICON
#define WM_QUERYDRAGICON 0x0037
#endif
#ifndef WM_HELP
#define WM_HELP 0x0053
#endif
#ifndef WM_SETICON
#define WM_SETICON 0x0080
#endif
#ifndef WM_INITDIALOG
#define WM_INITDIALOG 0x0110
#endif
#ifndef WM_COMMAND
#define WM_COMMAND 0x0111
#endif
#ifndef WM_SYSCOMMAND
#define WM_SYSCOMMAND 0x0112
#endif

// Notification codes (high word of a WM_COMMAND's first parameter)
#ifndef BN_CLICKED
#define BN_CLICKED 0
#endif
#ifndef EN_CHANGE
#define EN_CHANGE 0x0300
#endif

// System commands
#ifndef SC_CLOSE
#define SC_CLOSE 0xF060
#endif
#ifndef SC_KEYMENU
#define SC_KEYMENU 0xF100
#endif

// Window styles
#ifndef WS_POPUP
#define WS_POPUP 0x80000000u
#endif
#ifndef WS_CHILD
#define WS_CHILD 0x40000000u
#endif
#ifndef WS_VISIBLE
#define WS_VISIBLE 0x10000000u
#endif
#ifndef WS_DISABLED
#define WS_DISABLED 0x08000000u
#endif
#ifndef WS_CAPTION
#define WS_CAPTION 0x00C00000u
#endif
#ifndef WS_BORDER
#define WS_BORDER 0x00800000u
#endif
#ifndef WS_SYSMENU
#define WS_SYSMENU 0x00080000u
#endif
#ifndef WS_GROUP
#define WS_GROUP 0x00020000u
#endif
#ifndef WS_TABSTOP
#define WS_TABSTOP 0x00010000u
#endif
#ifndef WS_MINIMIZEBOX
#define WS_MINIMIZEBOX 0x00020000u
#endif
#ifndef WS_MAXIMIZEBOX
#define WS_MAXIMIZEBOX 0x00010000u
#endif

// Dialog styles
#ifndef DS_ABSALIGN
#define DS_ABSALIGN 0x0001
#endif
#ifndef DS_FIXEDSYS
#define DS_FIXEDSYS 0x0008
#endif
#ifndef DS_SETFONT
#define DS_SETFONT 0x0040
#endif
#ifndef DS_MODALFRAME
#define DS_MODALFRAME 0x0080
#endif
#ifndef DS_CENTER
#define DS_CENTER 0x0800
#endif
#ifndef DS_CENTERMOUSE
#define DS_CENTERMOUSE 0x1000
#endif

// Control styles
#ifndef BS_TYPEMASK
#define BS_TYPEMASK 0x000F
#endif
#ifndef BS_PUSHBUTTON
#define BS_PUSHBUTTON 0x0000
#endif
#ifndef BS_DEFPUSHBUTTON
#define BS_DEFPUSHBUTTON 0x0001
#endif
#ifndef SS_TYPEMASK
#define SS_TYPEMASK 0x001F
#endif
#ifndef SS_CENTER
#define SS_CENTER 0x0001
#endif
#ifndef SS_RIGHT
#define SS_RIGHT 0x0002
#endif
#ifndef SS_ICON
#define SS_ICON 0x0003
#endif
#ifndef SS_NOPREFIX
#define SS_NOPREFIX 0x0080
#endif
#ifndef ES_CENTER
#define ES_CENTER 0x0001
#endif
#ifndef ES_RIGHT
#define ES_RIGHT 0x0002
#endif
#ifndef ES_AUTOHSCROLL
#define ES_AUTOHSCROLL 0x0080
#endif
#ifndef ES_READONLY
#define ES_READONLY 0x0800
#endif

// Menus
#ifndef MF_STRING
#define MF_STRING 0x0000
#endif
#ifndef MF_BYPOSITION
#define MF_BYPOSITION 0x0400
#endif
#ifndef MF_SEPARATOR
#define MF_SEPARATOR 0x0800
#endif

// Message boxes
#ifndef MB_OK
#define MB_OK 0x0000
#endif
#ifndef MB_ICONEXCLAMATION
#define MB_ICONEXCLAMATION 0x0030
#endif
#ifndef MB_SYSTEMMODAL
#define MB_SYSTEMMODAL 0x1000
#endif

// Keys, help
#ifndef VK_SHIFT
#define VK_SHIFT 0x10
#endif
#ifndef VK_CONTROL
#define VK_CONTROL 0x11
#endif
#ifndef VK_MENU
#define VK_MENU 0x12
#endif
#ifndef HELP_CONTEXT
#define HELP_CONTEXT 0x0001
#endif
// The framework's help command
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

// Icons and metrics
#ifndef ICON_SMALL
#define ICON_SMALL 0
#endif
#ifndef ICON_BIG
#define ICON_BIG 1
#endif
#ifndef SM_CXICON
#define SM_CXICON 11
#endif
#ifndef SM_CYICON
#define SM_CYICON 12
#endif

namespace fw {

constexpr UINT LoWord(std::uintptr_t v) {
    return static_cast<UINT>(v & 0xFFFF);
}
constexpr UINT HiWord(std::uintptr_t v) {
    return static_cast<UINT>((v >> 16) & 0xFFFF);
}
constexpr WPARAM MakeWParam(UINT low, UINT high) {
    return static_cast<WPARAM>((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}

}  // namespace fw

// A rectangle in pixels; right and bottom lie just outside it.
struct CRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const CRect&) const = default;
};

struct CPoint {
    int x = 0, y = 0;
    bool operator==(const CPoint&) const = default;
};
