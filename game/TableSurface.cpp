// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/TableSurface.h"

#include "game/frmMain.h"
#include "platform/MouseCapture.h"

#include <QMouseEvent>
#include <QPainter>

TableSurface::TableSurface(frmMain *form) : QWidget(form), mForm(form)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void TableSurface::setMousePointer(int16_t pointer)
{
    mMousePointer = pointer;
    if (pointer == PictureBox::vbCustom)
        setCursor(mMouseIcon);
    else
        unsetCursor();
}

void TableSurface::Cls()
{
    mBoxes.clear();
    update();
}

void TableSurface::drawBox(const QRectF &box, const QColor &colour)
{
    mBoxes.emplace_back(box, colour);
    update(box.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void TableSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Baize);
    for (const auto &[box, colour] : mBoxes) {
        painter.setPen(colour);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
    }
}

void TableSurface::resizeEvent(QResizeEvent *)
{
    mForm->Form_Resize();
}

void TableSurface::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    mForm->Form_MouseMove(vbButtons(event->buttons()), vbShift(event->modifiers()),
                          static_cast<float>(p.x()), static_cast<float>(p.y()));
}

// Controls that let the mouse through (the label, the markers, the clip) still own the
// spot they cover: a press there is theirs, not the window's.
bool TableSurface::isBareSurface(const QPoint &p) const
{
    for (QObject *child : children()) {
        const auto *control = qobject_cast<QWidget *>(child);
        if (control && control->isVisible() && control->geometry().contains(p))
            return false;
    }
    return true;
}

void TableSurface::mousePressEvent(QMouseEvent *event)
{
    mPressedOnSurface = isBareSurface(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

// The window hears a release while it holds the mouse (a card is carried) or when the
// press was its own.
void TableSurface::mouseReleaseEvent(QMouseEvent *event)
{
    const bool formsOwn = GetCapture() == this || mPressedOnSurface;
    mPressedOnSurface = false;
    if (!formsOwn)
        return;
    const QPointF p = event->position();
    mForm->Form_MouseUp(vbButton(event->button()), vbShift(event->modifiers()),
                        static_cast<float>(p.x()), static_cast<float>(p.y()));
}
