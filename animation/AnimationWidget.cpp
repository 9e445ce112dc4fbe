// SPDX-License-Identifier: GPL-3.0-or-later
#include "animation/AnimationWidget.h"

#include "animation/AviReader.h"
#include "platform/PlainFile.h"

#include <QPainter>

#include <algorithm>

AnimationWidget::AnimationWidget(QWidget *parent, Options options)
    : QWidget(parent), mOptions(options), mTimer(this)
{
    // A picture only: the pointer acts on whatever lies beneath it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&mTimer, &QTimer::timeout, this, &AnimationWidget::advance);
}

bool AnimationWidget::openResource(int id)
{
    return load(QStringLiteral(":/avi/%1").arg(id));
}

bool AnimationWidget::openFile(const QString &path)
{
    return load(path);
}

void AnimationWidget::closeClip()
{
    stop();
    mFrames.clear();
    mFrame = 0;
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    update();
}

bool AnimationWidget::load(const QString &path)
{
    closeClip();
    const QByteArray bytes = readPlainFile(path, MaxFileBytes).bytes;
    const std::optional<AviClip> clip =
        readAviClip({reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())});
    if (!clip)
        return false;

    QList<QRgb> colours(clip->palette.begin(), clip->palette.end());
    if (mOptions.transparent)
        colours[clip->frames.front().front()] = qRgba(0, 0, 0, 0);
    const QImage::Format format =
        mOptions.transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage indexed(clip->width, clip->height, QImage::Format_Indexed8);
    indexed.setColorTable(colours);
    for (const std::vector<uint8_t> &pixels : clip->frames) {
        for (int y = 0; y < clip->height; ++y)
            std::copy_n(pixels.begin() + qsizetype(y) * clip->width, clip->width,
                        indexed.scanLine(y));
        mFrames.push_back(indexed.convertToFormat(format));
    }
    mTimer.setInterval(clip->frameIntervalMs);
    if (!mOptions.center)
        resize(clip->width, clip->height);
    // Uncentred solid frames cover the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent, !mOptions.center && !mOptions.transparent);
    update();
    if (mOptions.autoPlay)
        play(-1, 0, LastFrame);
    return true;
}

bool AnimationWidget::play(int repeat, int from, int to)
{
    if (to == LastFrame)
        to = frameCount() - 1;
    if (from < 0 || from > to || to >= frameCount())
        return false;
    stop();
    mFrom = from;
    mTo = to;
    mFrame = from;
    mRepeatsLeft = repeat;
    mPlaying = from != to && repeat != 0;
    if (mPlaying && isVisible())
        mTimer.start();
    update(frameRect());
    return true;
}

void AnimationWidget::stop()
{
    mPlaying = false;
    mTimer.stop();
}

void AnimationWidget::advance()
{
    if (mFrame < mTo) {
        ++mFrame;
    } else if (mRepeatsLeft > 0 && --mRepeatsLeft == 0) {
        stop();
        return;
    } else {
        mFrame = mFrom;
    }
    update(frameRect());
}

QRect AnimationWidget::frameRect() const
{
    if (mFrames.empty())
        return {};
    QRect frame = mFrames.front().rect();
    if (mOptions.center)
        frame.moveCenter(rect().center());
    return frame;
}

void AnimationWidget::paintEvent(QPaintEvent *)
{
    if (mFrames.empty())
        return;
    QPainter painter(this);
    painter.drawImage(frameRect().topLeft(), mFrames[size_t(mFrame)]);
}

void AnimationWidget::showEvent(QShowEvent *)
{
    if (mPlaying)
        mTimer.start();
}

void AnimationWidget::hideEvent(QHideEvent *)
{
    mTimer.stop();
}
