// SPDX-License-Identifier: GPL-3.0-or-later
// The animation wrapper as the victory uses it, watched through the control it makes.
#include "animation/AnimationWidget.h"
#include "animation/CAnimate.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

AnimationWidget *control(const CAnimate &animate)
{
    return qobject_cast<AnimationWidget *>(windowFromHandle(animate.hwnd()));
}

class Animation : public testing::Test
{
protected:
    Animation()
    {
        parent.resize(640, 480);
        parent.show();
    }
    QWidget parent;
    HWND parentHandle = hWndOf(&parent);
};

// A number too large to name a resource would be taken for the address of a file name.
TEST_F(Animation, PlaysTheVictoryClipWhereItIsPutUntilHiddenOrStoppedAndOpensNothingElse)
{
    CAnimate animate;
    animate.setParent(parentHandle);
    animate.Move(153.5, 20); // a half goes to the even neighbour
    EXPECT_THROW(animate.Move(3, 3e10), std::out_of_range);
    EXPECT_THROW(animate.Move(std::nan("")), std::out_of_range);
    animate.setCenter(false);
    animate.setResourceID(102);
    AnimationWidget *widget = control(animate);
    ASSERT_TRUE(widget);
    EXPECT_EQ(widget->geometry(), QRect(154, 20, 320, 240)) << "uncentred: the clip's size";
    EXPECT_EQ(widget->frameCount(), 18);
    EXPECT_EQ(widget->frameInterval(), 111);
    EXPECT_TRUE(QTest::qWaitFor([&] { return widget->currentFrame() >= 2; }, 2000));

    animate.setVisible(false);
    EXPECT_FALSE(widget->isVisible() || widget->isTimerActive());
    animate.setVisible(true);
    EXPECT_TRUE(widget->isTimerActive());
    animate.AniStop();
    EXPECT_FALSE(widget->isTimerActive());

    animate.setFileName(QCoreApplication::applicationFilePath());
    EXPECT_EQ(control(animate)->frameCount(), 0);
    animate.setResourceID(0x10066);
    EXPECT_EQ(control(animate)->frameCount(), 0);
    EXPECT_FALSE(control(animate)->isTimerActive());
}

// Out of the box the control is centred in its place, lets the parent show through the
// clip's background and plays. A style is the window's: a new one makes a new window, which
// plays again only if the old one played.
TEST_F(Animation, OpensCentredAndClearAndANewStyleMakesANewWindowThatPlaysAsTheOldOneDid)
{
    for (const bool autoPlay : {true, false}) {
        SCOPED_TRACE(autoPlay);
        auto animate = std::make_unique<CAnimate>();
        animate->setParent(parentHandle);
        animate->Move(10, 10, 400, 300);
        if (!autoPlay)
            animate->setAutoPlay(false);
        animate->setResourceID(102);
        QPointer<AnimationWidget> old = control(*animate);
        ASSERT_TRUE(old);
        const QImage picture = parent.grab(old->geometry()).toImage();
        QRect letters;
        int purple = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                purple += picture.pixel(x, y) == qRgb(128, 0, 128);
                if (picture.pixel(x, y) != picture.pixel(0, 0))
                    letters |= QRect(x, y, 1, 1);
            }
        EXPECT_EQ(purple, 0);
        EXPECT_TRUE(QRect(40, 30, 320, 240).contains(letters));
        EXPECT_EQ(QTest::qWaitFor([&] { return old->currentFrame() > 0; }, 1000), autoPlay);

        animate->setCenter(false);
        EXPECT_TRUE(old.isNull());
        QPointer<AnimationWidget> widget = control(*animate);
        ASSERT_TRUE(widget);
        EXPECT_EQ(widget->currentFrame(), 0);
        EXPECT_EQ(widget->isTimerActive(), autoPlay);

        animate.reset();
        EXPECT_TRUE(widget.isNull());
    }
}

TEST_F(Animation, AClipPlayedACountedNumberOfTimesStopsOnItsLastFrame)
{
    AnimationWidget widget(&parent, {});
    ASSERT_TRUE(widget.openResource(102));
    widget.show();
    ASSERT_TRUE(widget.play(2, 16, AnimationWidget::LastFrame));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !widget.isPlaying(); }, 3000));
    EXPECT_EQ(widget.currentFrame(), 17);
    EXPECT_FALSE(widget.isTimerActive());
}

} // namespace
