// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays the real window through the window system, as a player would. Built with
// QTEST_QPA_MOUSE_HANDLING, so QTest's mouse events go through the window and carry
// the buttons held: Qt's own routing (implicit grab, double clicks) applies.

#include "game/TableSurface.h"
#include "game/frmMain.h"
#include "cards/modGlobals.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <utility>

// Shuffles that keep the fresh order: pile i holds suit i / 4, ranks 3 * (i % 4) + 2
// to + 4, the top card last.
inline const std::vector<float> kFreshOrder{0.0f};
// Shuffles that reverse it: pile i holds suit 3 - i / 4, ranks 13 - 3 * (i % 4) down to
// 11 - 3 * (i % 4), so each suit goes home from its fourth pile back to its first.
inline const std::vector<float> kReversedOrder{0.99999f};

inline void backToTheTable(frmMain &form)
{
    form.activateWindow();
    (void)QTest::qWaitForWindowActive(&form);
}

struct Table {
    explicit Table(std::vector<float> values = kFreshOrder) : random(std::move(values))
    {
        // The offscreen platform cannot grab the pointer and says so at every pick-up;
        // Qt routes the window's events to the grabbing widget all the same.
        static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
                if (previous && !message.startsWith(QLatin1String("This plugin does not support")))
                    previous(type, context, message);
            });
        form.show();
        backToTheTable(form);
    }
    ScopedFakeMidi midi;
    ScopedRandomSource random;
    frmMain form;
};

// Points in the table's (the window's client) coordinates.
inline QPoint onPile(const frmMain &form, int i, int x = 20, int y = 40)
{
    return form.picPile[i]->pos() + QPoint(x, y);
}
inline QPoint onTopCard(const frmMain &form, int i, int x = 20, int y = 40)
{
    return onPile(form, i, form.picPile[i]->width() - 71 + x, y);
}
inline QPoint onHome(const frmMain &form, int h)
{
    return form.picHome[h]->geometry().center();
}

inline void press(frmMain &form, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(form.table, button, {}, at);
}
inline void moveTo(frmMain &form, QPoint at)
{
    QTest::mouseMove(form.table, at);
}
inline void release(frmMain &form, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseRelease(form.table, button, {}, at);
}
inline void drag(frmMain &form, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    press(form, from, button);
    moveTo(form, (from + to) / 2);
    moveTo(form, to);
    release(form, to, button);
}
inline void doubleClick(frmMain &form, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseDClick(form.table, button, {}, at);
}

inline void openAndDismiss(frmMain &form, QAction *menuEntry)
{
    whileModal([menuEntry] { menuEntry->trigger(); }, [](QWidget &modal) { modal.close(); });
    backToTheTable(form);
}

inline void glanceAtHelp(frmMain &form)
{
    form.mnuHelpContents->trigger();
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->inherits("HelpWindow") && window->isVisible())
            window->close();
    backToTheTable(form);
}

// Cards home by double clicks until `left` are out. Reversed, each suit goes home from
// the last of its four piles back to the first, and the king of spades, alone on pile 0,
// is the last card.
inline void sendHomeUntil(frmMain &form, int left)
{
    for (int pile = 15; pile >= 0; --pile)
        for (int card = 0; card < 3 && gclsDeck().Count() > left; ++card)
            doubleClick(form, onTopCard(form, pile));
}

// The yellow ring, as the focused place paints it.
inline bool ringShows()
{
    auto *box = qobject_cast<PictureBox *>(QApplication::focusWidget());
    return box && box->grab().toImage().pixelColor(1, 1) == QColor(255, 214, 0);
}

inline int topRank(const CStack &pile)
{
    return pile.Count() ? pile.TopCard()->CardNumber() : 0;
}

inline const CStack &stack(const frmMain &form, int i)
{
    return i < 16 ? form.mclsPile[i] : form.mclsHome[i - 16];
}

// What must hold after every event, whatever the player did.
inline ::testing::AssertionResult tableIsWhole(const frmMain &form)
{
    auto failure = [] { return ::testing::AssertionFailure(); };
    if (form.mbDragging != (form.mclsDragCard != nullptr) ||
        form.picDrag->isHidden() == form.mbDragging ||
        (QWidget::mouseGrabber() == form.table) != form.mbDragging)
        return failure() << "the hand, the drag picture or the capture outlived the drag";
    std::multiset<const CCard *> inPlay, all, deck;
    std::set<std::pair<int, int>> faces;
    auto count = [&](const CCard *card, bool playing) {
        if (playing)
            inPlay.insert(card);
        all.insert(card);
        faces.emplace(card->CardSuit(), card->CardNumber());
    };
    for (int i = 0; i < 20; ++i)
        for (int p = 1; p <= stack(form, i).Count(); ++p) {
            const CCard *card = stack(form, i).Card(p).get();
            if (i >= 16 && (card->CardSuit() != i - 16 || card->CardNumber() != p))
                return failure() << "home " << i - 16 << " holds a stranger at " << p;
            count(card, i < 16);
        }
    if (form.mbDragging)
        count(form.mclsDragCard.get(), true);
    if (all.size() != 52 || faces.size() != 52)
        return failure() << all.size() << " cards, " << faces.size() << " different";

    for (int16_t i = 1; i <= gclsDeck().Count(); ++i)
        deck.insert(gclsDeck().Card(i).get());
    if (deck != inPlay)
        return failure() << "the deck holds " << deck.size() << " for " << inPlay.size();
    const QString caption = QStringLiteral("Marrowby - %1 Card%2 Left")
                                .arg(deck.size())
                                .arg(deck.size() == 1 ? u"" : u"s");
    if (form.windowTitle() != caption && form.windowTitle() != QStringLiteral("Marrowby"))
        return failure() << "caption " << form.windowTitle().toStdString();

    for (int i = 0; i < 16; ++i) {
        const int n = form.mclsPile[i].Count();
        if (form.picPile[i]->isHidden() != (n == 0) ||
            (n && form.picPile[i]->width() != 71 + (n - 1) * 15) ||
            form.picPile[i]->MousePointer() != form.table->MousePointer() ||
            form.picPile[i]->toolTip().isEmpty() == form.DrawModeOn())
            return failure() << "pile " << i << " is shown wrong";
    }
    if (form.DrawModeOn() && !form.cmdDraw->isEnabled())
        return failure() << "draw mode with the draw used up";
    return ::testing::AssertionSuccess();
}
