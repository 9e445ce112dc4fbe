// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cards/DrawingSurface.h"

#include <QAccessible>
#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>

#include <cstdint>

// A picture box: a widget with a persistent image that cards are drawn into through
// its hDC, shown when refreshed. Members of a control array carry their Index into
// every event they raise. Coordinates are logical pixels inside the border.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    enum MousePointerKind : int16_t { vbDefault = 0, vbCustom = 99 };
    enum Button : int16_t { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };

    explicit PictureBox(QWidget *parent, int16_t index = 0);

    int16_t Index() const { return mIndex; }
    HDC hDC() const { return mSurface.hDC(); }

    // Clears the persistent image to the back colour.
    void Cls();
    // Shows what has been drawn since the last refresh.
    void Refresh() { update(); }

    bool BorderStyle() const { return mBorder; }
    void setBorderStyle(bool single);
    QColor BackColor() const { return mBackColor; }
    void setBackColor(const QColor &colour);
    int16_t MousePointer() const { return mMousePointer; }
    void setMousePointer(int16_t pointer);
    const QCursor &MouseIcon() const { return mMouseIcon; }
    void setMouseIcon(const QCursor &cursor);

    // VB-style geometry of the outer box, in the parent's logical pixels.
    int Left() const { return x(); }
    int Top() const { return y(); }
    void setLeft(int left) { move(left, y()); }
    void setTop(int top) { move(x(), top); }
    void setWidth(int width) { resize(width, height()); }
    void setHeight(int height) { resize(width(), height); }

    // A ring over the picture's edge while the box has the keyboard focus.
    bool FocusRing() const { return mFocusRing; }
    void setFocusRing(bool on);
    // What the box is to a screen reader; its name and description are the widget's.
    QAccessible::Role AccessibleRole() const { return mAccessibleRole; }
    void setAccessibleRole(QAccessible::Role role) { mAccessibleRole = role; }

    // The inner picture, for tests and for screenshots.
    const QImage &image();

Q_SIGNALS:
    void MouseDown(int16_t index, int16_t button, int16_t shift, float x, float y);
    void MouseMove(int16_t index, int16_t button, int16_t shift, float x, float y);
    void MouseUp(int16_t index, int16_t button, int16_t shift, float x, float y);
    void Click(int16_t index);
    void DblClick(int16_t index);
    // A key pressed while the box has the focus. The event arrives ignored: a handler
    // accepts the keys it uses, and the others go on to the parent (a dialog's Escape).
    void KeyDown(int16_t index, QKeyEvent *event);
    // A key let go; the releases of a key's automatic repeat are left out.
    void KeyUp(int16_t index, int key);
    void GotFocus(int16_t index);
    void LostFocus(int16_t index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Takes cards through the box's hDC after bringing the image to the box's current
    // size: a hidden widget is resized at once but hears of it only when shown. They are
    // painted when the image is shown or read.
    class Surface : public DeferredImageSurface
    {
    public:
        explicit Surface(PictureBox *box) : DeferredImageSurface(&box->mImage), mBox(box) {}
        void drawCard(int32_t x, int32_t y, int32_t card, int32_t mode, int32_t colour) override
        {
            mBox->resizeImage();
            DeferredImageSurface::drawCard(x, y, card, mode, colour);
        }

    private:
        PictureBox *mBox;
    };

    int borderWidth() const { return mBorder ? 2 : 0; }
    void paintFocusRing(QPainter &painter) const;
    QSize innerSize() const;
    void resizeImage();
    QPointF inner(const QPointF &widgetPos) const;

    int16_t mIndex;
    bool mBorder = false;
    QColor mBackColor = Qt::white;
    int16_t mMousePointer = vbDefault;
    QCursor mMouseIcon;
    QImage mImage;
    Surface mSurface{this};
    bool mPressedInside = false;
    bool mFocusRing = false;
    QAccessible::Role mAccessibleRole = QAccessible::Client;
};

// Mouse buttons and shift keys as the game's handlers count them.
int16_t vbButton(Qt::MouseButton button);
int16_t vbButtons(Qt::MouseButtons buttons);
int16_t vbShift(Qt::KeyboardModifiers modifiers);
