// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MouseCapture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {

// Qt's explicit grab routes the window's mouse events to the holder, as the window API
// did. This watches the rest of the application for whatever must end it.
class Capture : public QObject
{
public:
    void set(QWidget *widget, std::function<void()> onCancel)
    {
        release();
        mHolder = widget;
        mOnCancel = std::move(onCancel);
        widget->grabMouse();
        qApp->installEventFilter(this);
    }

    void release()
    {
        qApp->removeEventFilter(this);
        if (mHolder)
            mHolder->releaseMouse();
        mHolder = nullptr;
        mOnCancel = nullptr;
    }

    QWidget *holder() const { return mHolder; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!mHolder) { // the holder is gone, and whoever would hear of it with it
            release();
            return false;
        }
        if (!cancels(watched, event))
            return false;
        const std::function<void()> onCancel = std::move(mOnCancel);
        release();
        if (onCancel)
            onCancel();
        return event->type() == QEvent::KeyPress;
    }

private:
    bool cancels(QObject *watched, QEvent *event) const
    {
        switch (event->type()) {
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
            return watched == mHolder->window();
        case QEvent::Show: {
            const auto *widget = qobject_cast<QWidget *>(watched);
            return widget && widget->windowType() == Qt::Popup;
        }
        case QEvent::KeyPress:
            return static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape;
        default:
            return false;
        }
    }

    QPointer<QWidget> mHolder;
    std::function<void()> mOnCancel;
};

Capture &capture()
{
    static Capture instance;
    return instance;
}

} // namespace

void SetCapture(QWidget *widget, std::function<void()> onCancel)
{
    capture().set(widget, std::move(onCancel));
}

void ReleaseCapture()
{
    capture().release();
}

QWidget *GetCapture()
{
    return capture().holder();
}
