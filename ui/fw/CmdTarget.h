// Message tables: each class has one static table of rows, chained to its base
// class's table. A message goes to the first matching row found from the most
// derived class down; a message no row matches gets the window's default processing.
//
//     const fw::MessageTable* CMyDlg::GetThisMessageMap() {
//         static constexpr fw::MessageRow rows[] = {
//             fw::OnClicked<&CMyDlg::OnStart>(IDOK),
//             fw::OnSysCommand<&CMyDlg::OnSysCommand>(),
//         };
//         static const fw::MessageTable table{CDialog::GetThisMessageMap(), rows};
//         return &table;
//     }
#pragma once

#include <span>
#include <type_traits>

#include "fw/Types.h"

class CCmdTarget;

namespace fw {

// Calls the bound handler with the message's parameters; returns the message's result.
using MessageThunk = LRESULT (*)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);

struct MessageRow {
    UINT message = 0;
    UINT code = 0;  // WM_COMMAND only: the notification code
    UINT id = 0;    // WM_COMMAND only: the control or command identifier
    MessageThunk call = nullptr;
};

struct MessageTable {
    const MessageTable* base = nullptr;  // the base class's table; null ends the chain
    std::span<const MessageRow> rows;
};

}  // namespace fw

// Anything that receives messages through a message table.
class CCmdTarget {
  public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // The class's table; overridden by every class that has a table of its own.
    virtual const fw::MessageTable* GetMessageMap() const;
    static const fw::MessageTable* GetThisMessageMap();

    // Runs the handler of the first matching row; false when no row matches.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The first matching row of `table` and its bases, or null.
    static const fw::MessageRow* FindRow(const fw::MessageTable* table, UINT message,
                                         WPARAM wParam);
};

namespace fw {

template <class>
struct MemberOf;
template <class C, class F>
struct MemberOf<F C::*> {
    using Class = C;
};

template <auto Handler>
using HandlerClass = typename MemberOf<decltype(Handler)>::Class;

template <auto Handler>
LRESULT CallVoid(CCmdTarget& target, WPARAM, LPARAM) {
    (static_cast<HandlerClass<Handler>&>(target).*Handler)();
    return 0;
}

// WM_COMMAND with notification `code` from control or command `id`: void Handler().
template <auto Handler>
constexpr MessageRow OnCommandCode(UINT id, UINT code) {
    return {WM_COMMAND, code, id, &CallVoid<Handler>};
}

// A button's click (BN_CLICKED; menu and accelerator commands arrive the same way).
template <auto Handler>
constexpr MessageRow OnClicked(UINT id) {
    return OnCommandCode<Handler>(id, BN_CLICKED);
}

// A command of a menu, an accelerator or the framework (notification code 0).
template <auto Handler>
constexpr MessageRow OnCommand(UINT id) {
    return OnCommandCode<Handler>(id, 0);
}

// An edit field's text changed (EN_CHANGE).
template <auto Handler>
constexpr MessageRow OnEditChange(UINT id) {
    return OnCommandCode<Handler>(id, EN_CHANGE);
}

// WM_SYSCOMMAND: void Handler(UINT command, LPARAM lParam).
template <auto Handler>
constexpr MessageRow OnSysCommand() {
    return {WM_SYSCOMMAND, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                (static_cast<HandlerClass<Handler>&>(t).*Handler)(static_cast<UINT>(w), l);
                return 0;
            }};
}

// WM_PAINT: void Handler().
template <auto Handler>
constexpr MessageRow OnPaint() {
    return {WM_PAINT, 0, 0, &CallVoid<Handler>};
}

// WM_QUERYDRAGICON: HICON Handler().
template <auto Handler>
constexpr MessageRow OnQueryDragIcon() {
    return {
        WM_QUERYDRAGICON, 0, 0, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT {
            return reinterpret_cast<LRESULT>((static_cast<HandlerClass<Handler>&>(t).*Handler)());
        }};
}

// WM_INITDIALOG: BOOL Handler().
template <auto Handler>
constexpr MessageRow OnInitDialogMessage() {
    return {WM_INITDIALOG, 0, 0, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT {
                return (static_cast<HandlerClass<Handler>&>(t).*Handler)();
            }};
}

// Any other message, handled as LRESULT Handler(WPARAM, LPARAM).
template <auto Handler>
constexpr MessageRow OnMessage(UINT message) {
    return {message, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                return (static_cast<HandlerClass<Handler>&>(t).*Handler)(w, l);
            }};
}

}  // namespace fw
