// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QCursor>
#include <QRectF>
#include <QWidget>

#include <vector>

class frmMain;

// The window's own surface: the green baize under the piles. Pointer moves over it and
// releases of presses on it are the window's (Form_MouseMove, Form_MouseUp). Boxes
// drawn on it stay until Cls, so a repaint never wipes them.
class TableSurface : public QWidget
{
    Q_OBJECT

public:
    static inline const QColor Baize{0, 128, 0};

    explicit TableSurface(frmMain *form);

    void Cls();
    void drawBox(const QRectF &box, const QColor &colour);
    bool AutoRedraw() const { return mAutoRedraw; }
    void setAutoRedraw(bool on) { mAutoRedraw = on; }
    const std::vector<std::pair<QRectF, QColor>> &boxes() const { return mBoxes; }
    // The custom cursor shown while MousePointer is 99.
    void setMouseIcon(const QCursor &cursor) { mMouseIcon = cursor; }
    int16_t MousePointer() const { return mMousePointer; }
    void setMousePointer(int16_t pointer);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool isBareSurface(const QPoint &p) const;

    frmMain *mForm;
    bool mPressedOnSurface = false;
    bool mAutoRedraw = true;
    QCursor mMouseIcon;
    int16_t mMousePointer = 0;
    std::vector<std::pair<QRectF, QColor>> mBoxes;
};
