// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DeferredStyleIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>

#include <optional>

namespace {

// Stands for one of the style's icons and fetches it at the first question asked of it.
class DeferredIcon : public QIconEngine
{
public:
    DeferredIcon(const QStyle *style, QStyle::StandardPixmap which) : mStyle(style), mWhich(which)
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QIconEngine *clone() const override { return new DeferredIcon(mStyle, mWhich); }

private:
    const QIcon &icon()
    {
        if (!mIcon)
            mIcon = mStyle->standardIcon(mWhich);
        return *mIcon;
    }

    const QStyle *mStyle;
    QStyle::StandardPixmap mWhich;
    std::optional<QIcon> mIcon;
};

} // namespace

void DeferredStyleIcons::install()
{
    QApplication::setStyle(new DeferredStyleIcons(QApplication::style()->name()));
}

QIcon DeferredStyleIcons::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                       const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredIcon(baseStyle(), icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}
