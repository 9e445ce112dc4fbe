// SPDX-License-Identifier: GPL-3.0-or-later
#include "animation/AnimateShim.h"

#include "animation/AnimationWidget.h"

#include <QMainWindow>
#include <QPointer>

#include <algorithm>
#include <map>
#include <string>

namespace {

constexpr HWND kFirstHandle = 0x10010;

std::map<HWND, QPointer<QWidget>> &windows()
{
    static std::map<HWND, QPointer<QWidget>> map;
    return map;
}

// Where a window's children go: a main window's central widget, else the window itself.
QWidget *clientArea(QWidget *window)
{
    if (auto *main = qobject_cast<QMainWindow *>(window); main && main->centralWidget())
        return main->centralWidget();
    return window;
}

AnimationWidget *animation(HWND hWnd)
{
    return qobject_cast<AnimationWidget *>(windowFromHandle(hWnd));
}

LRESULT open(AnimationWidget *control, LPARAM lParam)
{
    if (lParam == 0) {
        control->closeClip();
        return 1;
    }
    if (IS_INTRESOURCE(lParam))
        return control->openResource(int(lParam));
    return control->openFile(QString::fromLocal8Bit(reinterpret_cast<const char *>(lParam)));
}

LRESULT send(HWND hWnd, uint32_t Msg, WPARAM wParam, LPARAM lParam)
{
    if (Msg == WM_PAINT) {
        QWidget *window = windowFromHandle(hWnd);
        if (window)
            clientArea(window)->update();
        return 0;
    }
    AnimationWidget *control = animation(hWnd);
    if (!control)
        return 0;
    switch (Msg) {
    case ACM_OPENA:
        return open(control, lParam);
    case ACM_PLAY: {
        const auto repeat = int32_t(uint32_t(wParam));
        const auto frames = uint32_t(lParam);
        return control->play(repeat, int(frames & 0xffff), int(frames >> 16));
    }
    case ACM_STOP:
        control->stop();
        return 1;
    default:
        return 0;
    }
}

} // namespace

HWND hWndOf(QWidget *window)
{
    static HWND last = kFirstHandle;
    auto &map = windows();
    std::erase_if(map, [](const auto &entry) { return entry.second.isNull(); });
    const auto found = std::find_if(map.begin(), map.end(),
                                    [window](const auto &entry) { return entry.second == window; });
    if (found != map.end())
        return found->first;
    last += 2;
    map[last] = window;
    return last;
}

QWidget *windowFromHandle(HWND hWnd)
{
    const auto found = windows().find(hWnd);
    return found == windows().end() ? nullptr : found->second.data();
}

bool InitCommonControlsEx(const INITCOMMONCONTROLSEX *picce)
{
    return picce && picce->dwSize == sizeof(INITCOMMONCONTROLSEX);
}

HWND CreateWindowExA(uint32_t, const char *lpClassName, const char *, uint32_t dwStyle, int32_t X,
                     int32_t Y, int32_t nWidth, int32_t nHeight, HWND hWndParent, int32_t,
                     HINSTANCE, void *)
{
    const std::string className = lpClassName ? lpClassName : "";
    HWND made = 0;
    QWidget *parent = windowFromHandle(hWndParent);
    if (QString::fromLatin1(className).compare(QLatin1String("SysAnimate32"),
                                               Qt::CaseInsensitive) == 0 &&
        (dwStyle & WS_CHILD) && parent) {
        auto *control = new AnimationWidget(clientArea(parent), {(dwStyle & ACS_CENTER) != 0,
                                                                 (dwStyle & ACS_TRANSPARENT) != 0,
                                                                 (dwStyle & ACS_AUTOPLAY) != 0});
        control->setGeometry(X, Y, std::max(nWidth, 0), std::max(nHeight, 0));
        control->raise();
        control->setVisible(dwStyle & WS_VISIBLE);
        made = hWndOf(control);
    }
    return made;
}

LRESULT SendMessageA(HWND hWnd, uint32_t Msg, WPARAM wParam, LPARAM lParam)
{
    return send(hWnd, Msg, wParam, lParam);
}

bool ShowWindow(HWND hWnd, int32_t nCmdShow)
{
    QWidget *window = windowFromHandle(hWnd);
    const bool wasVisible = window && window->isVisible();
    if (window)
        window->setVisible(nCmdShow != SW_HIDE);
    return wasVisible;
}

bool MoveWindow(HWND hWnd, int32_t X, int32_t Y, int32_t nWidth, int32_t nHeight, bool)
{
    QWidget *window = windowFromHandle(hWnd);
    if (window)
        window->setGeometry(X, Y, std::max(nWidth, 0), std::max(nHeight, 0));
    return window != nullptr;
}

bool DestroyWindow(HWND hWnd)
{
    AnimationWidget *control = animation(hWnd);
    delete control;
    return control != nullptr;
}
