// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "animation/AnimateShim.h"

#include <QString>

#include <cstdint>
#include <optional>

// Wraps the animation control: keeps its settings, makes its window only when there is
// a clip to open or play, makes it again when a style or the parent changes, and
// destroys it with the object. A clip comes from the program's resources by number
// (which wins) or from a file.
class CAnimate
{
public:
    CAnimate();
    ~CAnimate();
    CAnimate(const CAnimate &) = delete;
    CAnimate &operator=(const CAnimate &) = delete;

    HWND hwnd() const { return mHwnd; }
    void setAutoPlay(bool NewVal);
    bool AutoPlay() const { return mAutoPlay; }
    void setCenter(bool NewVal);
    bool Center() const { return mCenter; }
    void setFileName(const QString &NewVal);
    QString FileName() const { return mFileName; }
    void setResourceID(int32_t NewVal);
    int32_t ResourceID() const { return mResourceID; }
    void setParent(HWND NewVal);
    HWND Parent() const { return mParent; }
    void setTransparent(bool NewVal);
    bool Transparent() const { return mTransparent; }
    void setHeight(int32_t NewVal) { Move({}, {}, {}, NewVal); }
    int32_t Height() const { return mHeight; }
    int32_t Left() const { return mLeft; }
    void setLeft(int32_t NewVal) { Move(NewVal); }
    void setTop(int32_t NewVal) { Move({}, NewVal); }
    int32_t Top() const { return mTop; }
    void setWidth(int32_t NewVal) { Move({}, {}, NewVal); }
    int32_t Width() const { return mWidth; }
    void setVisible(bool NewVal);
    bool Visible() const { return mVisible; }
    void AniPlay();
    void AniStop();
    // Arguments left out keep their value; fractions go to the nearest whole number, a half
    // to the even one. A value beyond 32 bits throws std::out_of_range and changes nothing.
    void Move(std::optional<double> Left = {}, std::optional<double> Top = {},
              std::optional<double> Width = {}, std::optional<double> Height = {});

private:
    void AniCreate();
    void AniOpen();
    void AniDestroy();
    void recreateIfMade();

    HWND mHwnd = 0;
    HWND mParent = 0;
    bool mAutoPlay = true;
    bool mCenter = true;
    bool mTransparent = true;
    bool mVisible = true;
    bool mbPlaying = false;
    int32_t mResourceID = 0;
    QString mFileName;
    int32_t mLeft = 0;
    int32_t mTop = 0;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
};
