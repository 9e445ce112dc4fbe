// SPDX-License-Identifier: GPL-3.0-or-later
#include "animation/AnimationWidget.h"
#include "animation/AviReader.h"
#include "animation/CAnimate.h"
#include "tools/AviWriter.h"

#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

using testing::ElementsAre;

namespace {

// The calls made while it lives, in a short form: the function or message, then the
// arguments that matter, then "= result".
class CallLog
{
public:
    CallLog()
    {
        setWindowCallRecorder([this](const WindowCall &c) { calls.push_back(describe(c)); });
    }
    ~CallLog() { setWindowCallRecorder({}); }
    std::vector<std::string> take() { return std::exchange(calls, {}); }

    std::vector<std::string> calls;

private:
    static std::string describe(const WindowCall &call)
    {
        const auto &a = call.args;
        QString text = QString::fromStdString(call.function);
        if (call.function == "CreateWindowExA")
            text = QStringLiteral("Create %1 0x%2 %3,%4 %5x%6")
                       .arg(QString::fromStdString(call.text))
                       .arg(a[1], 0, 16)
                       .arg(a[2])
                       .arg(a[3])
                       .arg(a[4])
                       .arg(a[5]);
        else if (call.function == "MoveWindow")
            text += QStringLiteral(" %1,%2 %3x%4").arg(a[1]).arg(a[2]).arg(a[3]).arg(a[4]);
        else if (call.function == "ShowWindow")
            text += QStringLiteral(" %1").arg(a[1]);
        else if (call.function == "SendMessageA")
            text = a[1] == ACM_OPENA
                       ? QStringLiteral("ACM_OPENA ") +
                             (call.text.empty() ? QString::number(a[3]) : QStringLiteral("file"))
                   : a[1] == ACM_PLAY
                       ? QStringLiteral("ACM_PLAY %1 0x%2").arg(a[2]).arg(a[3], 0, 16)
                   : a[1] == ACM_STOP ? QStringLiteral("ACM_STOP")
                                      : QStringLiteral("WM_PAINT");
        return (text + QStringLiteral(" = %1").arg(call.result != 0)).toStdString();
    }
};

AnimationWidget *control(const CAnimate &animate)
{
    return qobject_cast<AnimationWidget *>(windowFromHandle(animate.hwnd()));
}

QRect placeOf(const CAnimate &animate)
{
    return QRect(animate.Left(), animate.Top(), animate.Width(), animate.Height());
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
    CallLog log;
};

TEST_F(Animation, MakesNoWindowUntilThereIsAClipAndAParent)
{
    {
        CAnimate animate;
        EXPECT_THAT(log.take(), ElementsAre("InitCommonControlsEx = 1"));
        animate.setAutoPlay(false);
        animate.setCenter(false);
        animate.setTransparent(false);
        animate.setParent(parentHandle);
        animate.setVisible(false);
        animate.Move(1, 2, 3, 4);
        EXPECT_EQ(animate.hwnd(), 0);
    }
    EXPECT_THAT(log.take(), testing::IsEmpty());

    CAnimate animate; // no parent: a child window cannot be made
    EXPECT_TRUE(animate.AutoPlay() && animate.Center() && animate.Transparent() &&
                animate.Visible());
    animate.setResourceID(102);
    EXPECT_EQ(animate.hwnd(), 0);
    log.take();
    animate.AniPlay();
    EXPECT_THAT(log.take(), ElementsAre("Create SysAnimate32 0x54000007 0,0 0x0 = 0",
                                        "WM_PAINT = 0", "ACM_PLAY -1 0xffff0000 = 0"));
}

TEST_F(Animation, OpensTheVictoryClipSizedToItsFramesAndPlaysIt)
{
    CAnimate animate;
    animate.setParent(parentHandle);
    animate.Move(153.5, 20);
    animate.setCenter(false);
    animate.setTransparent(false);
    log.take();
    animate.setResourceID(102);
    EXPECT_THAT(log.take(), ElementsAre("Create SysAnimate32 0x54000004 154,20 0x0 = 1",
                                        "WM_PAINT = 0", "ACM_OPENA 102 = 1"));
    // Its place, parent and first picture are the victory tests' to check, through the window.
    AnimationWidget *widget = control(animate);
    ASSERT_TRUE(widget);
    EXPECT_EQ(widget->frameCount(), 18);
    EXPECT_EQ(widget->frameInterval(), 111);
    EXPECT_TRUE(QTest::qWaitFor([&] { return widget->currentFrame() >= 2; }, 2000));

    // Hidden, it runs nothing until shown again.
    animate.setVisible(false);
    EXPECT_FALSE(widget->isVisible() || widget->isTimerActive());
    animate.setVisible(true);
    EXPECT_TRUE(widget->isTimerActive());

    // Stopped, it keeps its frame and runs nothing.
    animate.AniStop();
    EXPECT_THAT(log.take(), ElementsAre("ShowWindow 0 = 1", "ShowWindow 5 = 0", "ACM_STOP = 1"));
    EXPECT_FALSE(widget->isTimerActive());
    const int frame = widget->currentFrame();
    QTest::qWait(250);
    EXPECT_EQ(widget->currentFrame(), frame);
}

TEST_F(Animation, StartValuesMakeACentredTransparentAutoplayingControl)
{
    CAnimate animate;
    animate.setParent(parentHandle);
    animate.Move(10, 10, 400, 300);
    log.take();
    animate.setResourceID(102);
    EXPECT_THAT(log.take(), ElementsAre("Create SysAnimate32 0x54000007 10,10 400x300 = 1",
                                        "WM_PAINT = 0", "ACM_OPENA 102 = 1"));
    ASSERT_TRUE(control(animate));

    // The letters show in the middle; the clip's background lets the parent through.
    const QImage picture = parent.grab(control(animate)->geometry()).toImage();
    EXPECT_EQ(picture.size(), QSize(400, 300));
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
    EXPECT_NEAR(letters.center().x(), 200, 4);
}

TEST_F(Animation, TheLastClipSourceWrittenIsTheOneOpened)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("clip.avi")));
    const std::vector<uint8_t> bytes =
        writeAvi({2, 2, 5, AviStream::Rle8, {}, {encodeRle8(std::vector<uint8_t>(4, 0), 2, 2)}});
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
    file.close();

    CAnimate animate;
    animate.setParent(parentHandle);
    animate.setCenter(false);
    animate.setResourceID(102);
    log.take();
    animate.setFileName(file.fileName());
    EXPECT_EQ(animate.ResourceID(), 0);
    EXPECT_THAT(log.take(), ElementsAre("ACM_STOP = 1", "ACM_OPENA file = 1"));
    EXPECT_EQ(control(animate)->size(), QSize(2, 2));

    animate.setResourceID(102);
    EXPECT_EQ(animate.FileName(), QString());
    EXPECT_THAT(log.take(), ElementsAre("ACM_STOP = 1", "ACM_OPENA 102 = 1"));

    // A file that is no clip, and a number too large to name a resource, open nothing.
    animate.setFileName(dir.path());
    animate.setResourceID(0x10066);
    EXPECT_THAT(log.take(), ElementsAre("ACM_STOP = 1", "ACM_OPENA file = 0", "ACM_STOP = 1"));
    EXPECT_EQ(control(animate)->frameCount(), 0);
    EXPECT_FALSE(control(animate)->isTimerActive());
}

TEST_F(Animation, AStyleWrittenWhilePlayingMakesANewWindowThatPlaysOnUntilReleased)
{
    auto animate = std::make_unique<CAnimate>();
    animate->setParent(parentHandle);
    animate->setResourceID(102);
    QPointer<AnimationWidget> old = control(*animate);
    ASSERT_TRUE(QTest::qWaitFor([&] { return old->currentFrame() > 0; }, 2000));
    log.take();

    animate->setCenter(false);
    EXPECT_THAT(log.take(),
                ElementsAre("ACM_STOP = 1", "DestroyWindow = 1",
                            "Create SysAnimate32 0x54000006 0,0 0x0 = 1", "ACM_STOP = 1",
                            "ACM_OPENA 102 = 1", "ACM_PLAY -1 0xffff0000 = 1", "WM_PAINT = 0"));
    EXPECT_TRUE(old.isNull());
    QPointer<AnimationWidget> widget = control(*animate);
    EXPECT_EQ(widget->currentFrame(), 0);
    EXPECT_TRUE(widget->isTimerActive());

    animate.reset();
    EXPECT_THAT(log.take(), ElementsAre("ACM_STOP = 1", "DestroyWindow = 1"));
    EXPECT_TRUE(widget.isNull());
}

TEST_F(Animation, MoveRoundsHalvesToEvenAndChangesOnlyWhatItIsGiven)
{
    CAnimate animate;
    animate.Move(1.5, 2.5, -0.5, 7.49);
    EXPECT_EQ(placeOf(animate), QRect(2, 2, 0, 7));
    animate.setTop(40);
    EXPECT_THROW(animate.Move(3, 3e10), std::out_of_range);
    EXPECT_THROW(animate.Move(std::nan("")), std::out_of_range);
    EXPECT_EQ(placeOf(animate), QRect(2, 40, 0, 7));

    animate.setParent(parentHandle);
    animate.setResourceID(102);
    log.take();
    animate.setWidth(500);
    EXPECT_THAT(log.take(), ElementsAre("MoveWindow 2,40 500x7 = 1"));
}

// Another player reads the clip as one run-length video stream at 9 frames a second, with
// the very pictures our reader sees.
TEST(VictoryClip, ReadsTheSameInAnotherPlayer)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("ffprobe")).isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("victory.avi"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/avi/102"), path));
    auto run = [&path](const char *program, const char *arguments) {
        QProcess process;
        QStringList list = QString::fromLatin1(arguments).split(u' ');
        list.replaceInStrings(QStringLiteral("CLIP"), path);
        process.start(QString::fromLatin1(program), list);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    };
    EXPECT_EQ(run("ffprobe",
                  "-v error -count_frames -of csv=p=0 -show_entries "
                  "stream=codec_name,codec_type,width,height,r_frame_rate,nb_read_frames CLIP"),
              "msrle,video,320,240,9/1,18\n");
    const QByteArray theirs = run("ffmpeg", "-v error -i CLIP -f rawvideo -pix_fmt rgb24 -");

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto clip =
        readAviClip({reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())});
    ASSERT_TRUE(clip);
    QByteArray ours;
    for (const auto &frame : clip->frames)
        for (uint8_t index : frame)
            ours.append(char(qRed(clip->palette[index])))
                .append(char(qGreen(clip->palette[index])))
                .append(char(qBlue(clip->palette[index])));
    EXPECT_TRUE(ours == theirs) << "the pictures differ";
}

} // namespace
