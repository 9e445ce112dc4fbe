// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <vector>

// The animation control: a child widget that plays a silent AVI clip from the program's
// resources or from a file, timed by the clip's own frame rate. Stopped or hidden it
// keeps no timer running.
class AnimationWidget : public QWidget
{
    Q_OBJECT

public:
    struct Options {
        bool center = false; // frames centred in the widget, else the widget takes their size
        bool transparent =
            false; // the colour of the first frame's top-left pixel lets the parent through
        bool autoPlay = false; // plays without end from the moment a clip opens
    };
    static constexpr int LastFrame = 0xffff;
    static constexpr qint64 MaxFileBytes = qint64{64} << 20;

    AnimationWidget(QWidget *parent, Options options);

    // Opening stops and replaces the clip; a clip that cannot be played leaves none.
    bool openResource(int id);
    bool openFile(const QString &path);
    void closeClip();
    // Plays frames from..to (LastFrame for the last) repeat times, -1 for without end.
    // Equal ends show that one frame.
    bool play(int repeat, int from, int to);
    void stop();

    int frameCount() const { return int(mFrames.size()); }
    int currentFrame() const { return mFrame; }
    bool isPlaying() const { return mPlaying; }
    int frameInterval() const { return mTimer.interval(); }
    bool isTimerActive() const { return mTimer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    bool load(const QString &path);
    void advance();
    QRect frameRect() const;

    Options mOptions;
    std::vector<QImage> mFrames;
    QTimer mTimer;
    int mFrame = 0;
    int mFrom = 0;
    int mTo = 0;
    int mRepeatsLeft = 0;
    bool mPlaying = false;
};
