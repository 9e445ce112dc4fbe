// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AnimationWidget.h"
#include "platform/AviReader.h"
#include "platform/CAnimate.h"
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
using testing::IsEmpty;

namespace {

// The calls made while it lives, in a short form: the function or message, then the
// arguments that matter, then "= result".
class CallLog
{
public:
    CallLog()
    {
        setWindowCallRecorder(
            [this](const WindowCall &call) { calls.push_back(describe(call).toStdString()); });
    }
    ~CallLog() { setWindowCallRecorder({}); }
    std::vector<std::string> take() { return std::exchange(calls, {}); }

    std::vector<std::string> calls;

private:
    static QString describe(const WindowCall &call)
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
        else if (call.function == "SendMessageA")
            text = message(a[1]) +
                   (a[1] == ACM_OPENA && call.text.empty() ? QStringLiteral(" %1").arg(a[3])
                    : a[1] == ACM_OPENA                    ? QStringLiteral(" file")
                    : a[1] == ACM_PLAY ? QStringLiteral(" %1 0x%2").arg(a[2]).arg(a[3], 0, 16)
                                       : QString());
        else if (call.function == "MoveWindow")
            text += QStringLiteral(" %1,%2 %3x%4").arg(a[1]).arg(a[2]).arg(a[3]).arg(a[4]);
        else if (call.function == "ShowWindow")
            text += QStringLiteral(" %1").arg(a[1]);
        return text + QStringLiteral(" = %1").arg(call.result != 0);
    }
    static QString message(int64_t msg)
    {
        switch (msg) {
        case WM_PAINT:
            return QStringLiteral("WM_PAINT");
        case ACM_OPENA:
            return QStringLiteral("ACM_OPENA");
        case ACM_PLAY:
            return QStringLiteral("ACM_PLAY");
        case ACM_STOP:
            return QStringLiteral("ACM_STOP");
        }
        return QString::number(msg, 16);
    }
};

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

TEST_F(Animation, MakesNoWindowUntilThereIsAClip)
{
    CallLog log;
    {
        CAnimate animate;
        EXPECT_THAT(log.take(), ElementsAre("InitCommonControlsEx = 1"));
        EXPECT_EQ(animate.hwnd(), 0);
        EXPECT_EQ(animate.Parent(), 0);
        EXPECT_TRUE(animate.AutoPlay() && animate.Center() && animate.Transparent() &&
                    animate.Visible());
        EXPECT_EQ(animate.ResourceID(), 0);
        EXPECT_EQ(animate.FileName(), QString());
        EXPECT_EQ(QRect(animate.Left(), animate.Top(), animate.Width(), animate.Height()), QRect());

        animate.setAutoPlay(false);
        animate.setCenter(false);
        animate.setTransparent(false);
        animate.setParent(parentHandle);
        animate.setVisible(false);
        animate.Move(1, 2, 3, 4);
        EXPECT_EQ(animate.hwnd(), 0);
    }
    EXPECT_THAT(log.calls, IsEmpty());
}

TEST_F(Animation, OpensTheVictoryClipSizedToItsFramesAndPlaysIt)
{
    CallLog log;
    CAnimate animate;
    animate.setParent(parentHandle);
    animate.Move(153.5, 20);
    animate.setAutoPlay(true);
    animate.setCenter(false);
    animate.setTransparent(false);
    log.take();
    animate.setResourceID(102);
    EXPECT_THAT(log.take(), ElementsAre("Create SysAnimate32 0x54000004 154,20 0x0 = 1",
                                        "WM_PAINT = 0", "ACM_OPENA 102 = 1"));
    AnimationWidget *widget = control(animate);
    ASSERT_TRUE(widget);
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(widget->geometry(), QRect(154, 20, 320, 240));
    EXPECT_EQ(widget->frameCount(), 18);
    EXPECT_EQ(widget->frameInterval(), 111);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_TRUE(widget->isTimerActive());
    EXPECT_EQ(widget->grab().toImage().pixelColor(2, 2), QColor(128, 0, 128));
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
    CallLog log;
    CAnimate animate;
    animate.setParent(parentHandle);
    animate.Move(10, 10, 400, 300);
    log.take();
    animate.setResourceID(102);
    EXPECT_THAT(log.take(), ElementsAre("Create SysAnimate32 0x54000007 10,10 400x300 = 1",
                                        "WM_PAINT = 0", "ACM_OPENA 102 = 1"));
    AnimationWidget *widget = control(animate);
    ASSERT_TRUE(widget);
    EXPECT_EQ(widget->size(), QSize(400, 300));

    // The letters show in the middle; the clip's background lets the parent through.
    const QImage picture = parent.grab(widget->geometry()).toImage();
    const QRgb behind = picture.pixel(0, 0);
    QRect letters;
    int purple = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            purple += picture.pixel(x, y) == qRgb(128, 0, 128);
            if (picture.pixel(x, y) != behind)
                letters |= QRect(x, y, 1, 1);
        }
    EXPECT_EQ(purple, 0);
    EXPECT_TRUE(QRect(40, 30, 320, 240).contains(letters));
    EXPECT_NEAR(letters.center().x(), 200, 4);
}

TEST_F(Animation, TheLastClipSourceWrittenIsTheOneOpened)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("clip.avi"));
    {
        AviStream stream{
            2, 2, 5, AviStream::Rle8, {}, {encodeRle8(std::vector<uint8_t>(4, 0), 2, 2)}};
        const std::vector<uint8_t> bytes = writeAvi(stream);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
    }
    CallLog log;
    CAnimate animate;
    animate.setParent(parentHandle);
    animate.setCenter(false);
    animate.setResourceID(102);
    log.take();
    animate.setFileName(path);
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

TEST_F(Animation, AStyleWrittenWhilePlayingMakesANewWindowThatPlaysOn)
{
    CallLog log;
    CAnimate animate;
    animate.setParent(parentHandle);
    animate.setResourceID(102);
    const HWND first = animate.hwnd();
    QPointer<AnimationWidget> old = control(animate);
    ASSERT_TRUE(QTest::qWaitFor([&] { return old->currentFrame() > 0; }, 2000));
    log.take();

    animate.setCenter(false);
    EXPECT_THAT(log.take(),
                ElementsAre("ACM_STOP = 1", "DestroyWindow = 1",
                            "Create SysAnimate32 0x54000006 0,0 0x0 = 1", "ACM_STOP = 1",
                            "ACM_OPENA 102 = 1", "ACM_PLAY -1 0xffff0000 = 1", "WM_PAINT = 0"));
    EXPECT_TRUE(old.isNull());
    EXPECT_NE(animate.hwnd(), first);
    EXPECT_EQ(windowFromHandle(first), nullptr);
    EXPECT_EQ(control(animate)->currentFrame(), 0);
    EXPECT_TRUE(control(animate)->isTimerActive());
}

TEST_F(Animation, MoveRoundsHalvesToEvenAndChangesOnlyWhatItIsGiven)
{
    CAnimate animate;
    animate.Move(1.5, 2.5, -0.5, 7.49);
    EXPECT_EQ(QRect(animate.Left(), animate.Top(), animate.Width(), animate.Height()),
              QRect(2, 2, 0, 7));
    animate.setTop(40);
    EXPECT_EQ(QRect(animate.Left(), animate.Top(), animate.Width(), animate.Height()),
              QRect(2, 40, 0, 7));
    EXPECT_THROW(animate.Move(3, 3e10), std::out_of_range);
    EXPECT_THROW(animate.Move(std::nan("")), std::out_of_range);
    EXPECT_EQ(animate.Left(), 2);

    animate.setParent(parentHandle);
    animate.setResourceID(102);
    CallLog log;
    animate.setWidth(500);
    EXPECT_THAT(log.take(), ElementsAre("MoveWindow 2,40 500x7 = 1"));
}

TEST_F(Animation, ReleaseStopsThenDestroysTheWindow)
{
    auto animate = std::make_unique<CAnimate>();
    animate->setParent(parentHandle);
    animate->setResourceID(102);
    QPointer<AnimationWidget> widget = control(*animate);
    CallLog log;
    animate.reset();
    EXPECT_THAT(log.take(), ElementsAre("ACM_STOP = 1", "DestroyWindow = 1"));
    EXPECT_TRUE(widget.isNull());
}

TEST_F(Animation, AWindowThatCannotBeMadeLeavesNoHandle)
{
    CallLog log;
    CAnimate animate; // no parent: a child window cannot be made
    animate.setResourceID(102);
    EXPECT_EQ(animate.hwnd(), 0);
    log.take();
    animate.AniPlay();
    EXPECT_THAT(log.take(), ElementsAre("Create SysAnimate32 0x54000007 0,0 0x0 = 0",
                                        "WM_PAINT = 0", "ACM_PLAY -1 0xffff0000 = 0"));
}

// Another program's reading of the clip: one run-length video stream, no sound, and the
// very pictures our reader sees.
TEST(VictoryClip, ReadsTheSameInAnotherPlayer)
{
    const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffprobe.isEmpty() || ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("victory.avi"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/avi/102"), path));
    auto run = [&path](const QString &program, const char *arguments) {
        QStringList list = QString::fromLatin1(arguments).split(u' ');
        list.replaceInStrings(QStringLiteral("CLIP"), path);
        QProcess process;
        process.start(program, list);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    };
    EXPECT_EQ(run(ffprobe,
                  "-v error -count_frames -of default=noprint_wrappers=1 -show_entries "
                  "stream=codec_type,codec_name,width,height,r_frame_rate,nb_read_frames CLIP")
                  .split('\n'),
              QByteArrayList({"codec_name=msrle", "codec_type=video", "width=320", "height=240",
                              "r_frame_rate=9/1", "nb_read_frames=18", ""}));
    const QByteArray rgb = run(ffmpeg, "-v error -i CLIP -f rawvideo -pix_fmt rgb24 -");

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto clip =
        readAviClip({reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())});
    ASSERT_TRUE(clip);
    QByteArray ours;
    for (const auto &frame : clip->frames)
        for (uint8_t index : frame) {
            const QRgb colour = clip->palette[index];
            ours.append(char(qRed(colour)))
                .append(char(qGreen(colour)))
                .append(char(qBlue(colour)));
        }
    EXPECT_TRUE(ours == rgb) << "the pictures differ";
}

} // namespace
