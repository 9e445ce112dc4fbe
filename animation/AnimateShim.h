// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class QWidget;

// The window calls the animation wrapper makes, with their usual names and numbers, on
// top of our own widgets. A window handle is a number for a widget; 0 is no window, and
// handles are never reused. A window's children go into its client area (a main
// window's central widget).
using HWND = int32_t;
using HINSTANCE = int32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000;
constexpr uint32_t ACS_CENTER = 0x0001;
constexpr uint32_t ACS_TRANSPARENT = 0x0002;
constexpr uint32_t ACS_AUTOPLAY = 0x0004;

constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t ACM_OPENA = 0x0464;
constexpr uint32_t ACM_PLAY = 0x0465;
constexpr uint32_t ACM_STOP = 0x0466;

constexpr int32_t SW_HIDE = 0;
constexpr int32_t SW_SHOW = 5;

constexpr uint32_t ICC_ANIMATE_CLASS = 0x00000080;
struct INITCOMMONCONTROLSEX {
    uint32_t dwSize;
    uint32_t dwICC;
};

// A number that fits the low word names a resource; anything else is a pointer to text.
constexpr LPARAM MAKEINTRESOURCE(uint16_t id)
{
    return LPARAM{id};
}
constexpr bool IS_INTRESOURCE(LPARAM value)
{
    return (uintptr_t(value) >> 16) == 0;
}

// The program's own instance: where resources by number come from.
constexpr HINSTANCE kProgramInstance = 1;

bool InitCommonControlsEx(const INITCOMMONCONTROLSEX *picce);
// Makes an animation control ("SysAnimate32") as a child of the parent; any other class,
// or a child without a parent, fails with 0.
HWND CreateWindowExA(uint32_t dwExStyle, const char *lpClassName, const char *lpWindowName,
                     uint32_t dwStyle, int32_t X, int32_t Y, int32_t nWidth, int32_t nHeight,
                     HWND hWndParent, int32_t hMenu, HINSTANCE hInstance, void *lpParam);
LRESULT SendMessageA(HWND hWnd, uint32_t Msg, WPARAM wParam, LPARAM lParam);
bool ShowWindow(HWND hWnd, int32_t nCmdShow);
bool MoveWindow(HWND hWnd, int32_t X, int32_t Y, int32_t nWidth, int32_t nHeight, bool bRepaint);
bool DestroyWindow(HWND hWnd);

// The handle of a widget, given on first asking; and the widget of a handle, or null.
HWND hWndOf(QWidget *window);
QWidget *windowFromHandle(HWND hWnd);
