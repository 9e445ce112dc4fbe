// SPDX-License-Identifier: GPL-3.0-or-later
#include "animation/CAnimate.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr WPARAM kRepeatWithoutEnd = WPARAM(-1);
constexpr LPARAM kFirstToLastFrame = LPARAM(0xffff0000);

std::optional<int32_t> toLong(std::optional<double> value)
{
    if (!value)
        return std::nullopt;
    const double whole = std::nearbyint(*value); // a half goes to the even neighbour
    if (!(whole >= std::numeric_limits<int32_t>::min() &&
          whole <= std::numeric_limits<int32_t>::max()))
        throw std::out_of_range("CAnimate::Move: value out of range");
    return int32_t(whole);
}

} // namespace

CAnimate::CAnimate()
{
    const INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&icc);
}

CAnimate::~CAnimate()
{
    if (mHwnd)
        AniDestroy();
}

void CAnimate::setAutoPlay(bool NewVal)
{
    mAutoPlay = NewVal;
    recreateIfMade();
}

void CAnimate::setCenter(bool NewVal)
{
    mCenter = NewVal;
    recreateIfMade();
}

void CAnimate::setFileName(const QString &NewVal)
{
    mFileName = NewVal;
    mResourceID = 0;
    AniOpen();
}

void CAnimate::setResourceID(int32_t NewVal)
{
    mResourceID = NewVal;
    mFileName.clear();
    AniOpen();
}

void CAnimate::setParent(HWND NewVal)
{
    mParent = NewVal;
    recreateIfMade();
}

void CAnimate::setTransparent(bool NewVal)
{
    mTransparent = NewVal;
    recreateIfMade();
}

void CAnimate::setVisible(bool NewVal)
{
    mVisible = NewVal;
    if (mHwnd)
        ShowWindow(mHwnd, NewVal ? SW_SHOW : SW_HIDE);
}

void CAnimate::AniPlay()
{
    if (!mHwnd)
        AniCreate();
    mbPlaying = SendMessageA(mHwnd, ACM_PLAY, kRepeatWithoutEnd, kFirstToLastFrame) != 0;
}

void CAnimate::AniStop()
{
    if (mHwnd && SendMessageA(mHwnd, ACM_STOP, 0, 0) != 0)
        mbPlaying = false;
}

void CAnimate::Move(std::optional<double> Left, std::optional<double> Top,
                    std::optional<double> Width, std::optional<double> Height)
{
    const auto left = toLong(Left), top = toLong(Top), width = toLong(Width),
               height = toLong(Height);
    mLeft = left.value_or(mLeft);
    mTop = top.value_or(mTop);
    mWidth = width.value_or(mWidth);
    mHeight = height.value_or(mHeight);
    if (mHwnd)
        MoveWindow(mHwnd, mLeft, mTop, mWidth, mHeight, true);
}

void CAnimate::recreateIfMade()
{
    if (mHwnd)
        AniCreate();
}

void CAnimate::AniCreate()
{
    bool wasPlaying = false;
    if (mHwnd) {
        wasPlaying = mbPlaying;
        AniDestroy();
    }
    uint32_t style = WS_CHILD | WS_CLIPSIBLINGS;
    if (mVisible)
        style |= WS_VISIBLE;
    if (mAutoPlay)
        style |= ACS_AUTOPLAY;
    if (mCenter)
        style |= ACS_CENTER;
    if (mTransparent)
        style |= ACS_TRANSPARENT;
    mHwnd = CreateWindowExA(0, "SysAnimate32", nullptr, style, mLeft, mTop, mWidth, mHeight,
                            mParent, 0, kProgramInstance, nullptr);
    if (wasPlaying) {
        AniOpen();
        AniPlay();
    }
    if (mVisible)
        SendMessageA(mParent, WM_PAINT, 0, 0);
}

void CAnimate::AniOpen()
{
    if (!mHwnd)
        AniCreate();
    else
        AniStop();
    if (!mHwnd)
        return;
    LRESULT result = 0;
    if (mResourceID != 0) {
        // Only a number that fits the low word can name a resource; a larger one would be
        // taken for the address of a file name.
        if (mResourceID > 0 && mResourceID <= 0xffff)
            result = SendMessageA(mHwnd, ACM_OPENA, 0, MAKEINTRESOURCE(uint16_t(mResourceID)));
    } else if (!mFileName.isEmpty()) {
        const QByteArray name = mFileName.toLocal8Bit();
        result = SendMessageA(mHwnd, ACM_OPENA, 0, reinterpret_cast<LPARAM>(name.constData()));
    }
    mbPlaying = mAutoPlay && result != 0;
}

void CAnimate::AniDestroy()
{
    if (!mHwnd)
        return;
    AniStop();
    DestroyWindow(mHwnd);
}
