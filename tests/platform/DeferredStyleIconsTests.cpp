// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DeferredStyleIcons.h"

#include <QImage>

#include <gtest/gtest.h>

// The overflow arrow read late is the style's own arrow; the other icons pass straight on.
TEST(DeferredStyleIcons, GiveTheStylesOwnIcons)
{
    DeferredStyleIcons style(QStringLiteral("Fusion"));
    const QStyle *fusion = style.baseStyle();
    for (auto which : {QStyle::SP_ToolBarHorizontalExtensionButton,
                       QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_MessageBoxWarning}) {
        const QIcon icon = style.standardIcon(which, nullptr, nullptr);
        ASSERT_FALSE(icon.isNull()) << which;
        EXPECT_EQ(icon.pixmap(16).toImage(), fusion->standardIcon(which).pixmap(16).toImage())
            << which;
    }
}
