// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// The desktop's style, with its toolbar overflow arrows read from their files only when
// first shown. A menu bar asks for its arrow as it is made, and reading that picture has
// Qt load every image-format plugin it has, to ask each whether it reads the format: a
// cost at start-up for an arrow our menu bar never shows.
class DeferredStyleIcons : public QProxyStyle
{
public:
    // Wraps the style the application would use, the user's -style choice included.
    static void install();

    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option,
                       const QWidget *widget) const override;
};
