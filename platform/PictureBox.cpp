// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PictureBox.h"

#include "cards/PixelView.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

int16_t vbButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return PictureBox::vbLeftButton;
    case Qt::RightButton:
        return PictureBox::vbRightButton;
    case Qt::MiddleButton:
        return PictureBox::vbMiddleButton;
    default:
        return 0;
    }
}

int16_t vbButtons(Qt::MouseButtons buttons)
{
    int16_t result = 0;
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (buttons & b)
            result |= vbButton(b);
    return result;
}

int16_t vbShift(Qt::KeyboardModifiers modifiers)
{
    return static_cast<int16_t>(((modifiers & Qt::ShiftModifier) ? 1 : 0) |
                                ((modifiers & Qt::ControlModifier) ? 2 : 0) |
                                ((modifiers & Qt::AltModifier) ? 4 : 0));
}

namespace {
// A box tells a screen reader the role its owner gave it, read afresh each time.
class PictureBoxAccessible : public QAccessibleWidget
{
public:
    explicit PictureBoxAccessible(PictureBox *box) : QAccessibleWidget(box) {}
    QAccessible::Role role() const override
    {
        return static_cast<const PictureBox *>(widget())->AccessibleRole();
    }
};

QAccessibleInterface *pictureBoxAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("PictureBox") && object && object->isWidgetType())
        return new PictureBoxAccessible(static_cast<PictureBox *>(object));
    return nullptr;
}
} // namespace

PictureBox::PictureBox(QWidget *parent, int16_t index) : QWidget(parent), mIndex(index)
{
    [[maybe_unused]] static const bool accessible =
        (QAccessible::installFactory(pictureBoxAccessible), true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true); // MouseMove is raised with no button held too
    // A box shows its own pointer, never the one its container shows.
    setCursor(Qt::ArrowCursor);
    resizeImage();
}

QSize PictureBox::innerSize() const
{
    return QSize(std::max(0, width() - 2 * borderWidth()),
                 std::max(0, height() - 2 * borderWidth()));
}

// The image keeps what was drawn where the old and new sizes overlap; new area is
// back colour, scaled if the pixel ratio changed. It is made at the screen's pixel ratio so cards
// stay sharp.
void PictureBox::resizeImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize logical = innerSize();
    const QSize device(static_cast<int>(std::ceil(logical.width() * ratio)),
                       static_cast<int>(std::ceil(logical.height() * ratio)));
    if (!mImage.isNull() && mImage.size() == device && mImage.devicePixelRatio() == ratio)
        return;
    mSurface.paint();
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(mBackColor);
    if (!mImage.isNull()) {
        QImage view = pixelView(image);
        QPainter painter(&view);
        painter.drawImage(QPointF(0, 0), mImage);
    }
    mImage = std::move(image);
}

const QImage &PictureBox::image()
{
    resizeImage();
    mSurface.paint();
    return mImage;
}

void PictureBox::Cls()
{
    mSurface.discard();
    resizeImage();
    mImage.fill(mBackColor);
}

void PictureBox::setBorderStyle(bool single)
{
    if (mBorder == single)
        return;
    mBorder = single;
    resizeImage();
    update();
}

void PictureBox::setBackColor(const QColor &colour)
{
    mBackColor = colour;
    Cls();
    update();
}

void PictureBox::setFocusRing(bool on)
{
    if (mFocusRing == on)
        return;
    mFocusRing = on;
    if (hasFocus())
        update();
}

void PictureBox::setMousePointer(int16_t pointer)
{
    mMousePointer = pointer;
    setCursor(pointer == vbCustom ? mMouseIcon : QCursor(Qt::ArrowCursor));
}

void PictureBox::setMouseIcon(const QCursor &cursor)
{
    mMouseIcon = cursor;
    if (mMousePointer == vbCustom)
        setCursor(mMouseIcon);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    resizeImage();
    mSurface.paint();
    QPainter painter(this);
    const int b = borderWidth();
    painter.drawImage(QPointF(b, b), mImage);
    if (b) {
        // A sunken frame: dark above and left, light below and right.
        const QRect r = rect();
        painter.setPen(QColor(64, 64, 64));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(Qt::black);
        painter.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
        painter.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
        painter.setPen(QColor(212, 208, 200));
        painter.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
        painter.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() + QPoint(-1, -1));
        painter.setPen(Qt::white);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
    if (mFocusRing && hasFocus())
        paintFocusRing(painter);
    Q_UNUSED(event);
}

// Yellow with a black edge inside, plain on the green table and on a white card alike.
void PictureBox::paintFocusRing(QPainter &painter) const
{
    constexpr int kRing = 3;
    const QRect r = rect();
    QPainterPath ring;
    ring.addRect(r);
    ring.addRect(r.adjusted(kRing, kRing, -kRing, -kRing));
    painter.fillPath(ring, QColor(255, 214, 0));
    painter.setPen(Qt::black);
    painter.drawRect(r.adjusted(kRing, kRing, -kRing - 1, -kRing - 1));
}

void PictureBox::resizeEvent(QResizeEvent *)
{
    resizeImage();
}

void PictureBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ScreenChangeInternal)
        resizeImage();
    QWidget::changeEvent(event);
}

QPointF PictureBox::inner(const QPointF &widgetPos) const
{
    return widgetPos - QPointF(borderWidth(), borderWidth());
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = inner(event->position());
    mPressedInside = true;
    Q_EMIT MouseDown(mIndex, vbButton(event->button()), vbShift(event->modifiers()),
                     static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = inner(event->position());
    Q_EMIT MouseMove(mIndex, vbButtons(event->buttons()), vbShift(event->modifiers()),
                     static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF p = inner(event->position());
    Q_EMIT MouseUp(mIndex, vbButton(event->button()), vbShift(event->modifiers()),
                   static_cast<float>(p.x()), static_cast<float>(p.y()));
    if (mPressedInside && rect().contains(event->position().toPoint()))
        Q_EMIT Click(mIndex);
    mPressedInside = false;
}

// The second press of a left double click raises only DblClick; its release is an
// ordinary MouseUp without a second Click. The other buttons have no double click:
// their second press is a press like the first.
void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    mPressedInside = false;
    Q_EMIT DblClick(mIndex);
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
    Q_EMIT KeyDown(mIndex, event);
}

void PictureBox::keyReleaseEvent(QKeyEvent *event)
{
    event->ignore();
    if (!event->isAutoRepeat())
        Q_EMIT KeyUp(mIndex, event->key());
}

void PictureBox::focusInEvent(QFocusEvent *event)
{
    if (mFocusRing)
        update();
    Q_EMIT GotFocus(mIndex);
    QWidget::focusInEvent(event);
}

void PictureBox::focusOutEvent(QFocusEvent *event)
{
    if (mFocusRing)
        update();
    Q_EMIT LostFocus(mIndex);
    QWidget::focusOutEvent(event);
}
