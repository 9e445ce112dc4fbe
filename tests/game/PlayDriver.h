// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays the real window through the window system, as a player would. Built with
// QTEST_QPA_MOUSE_HANDLING, so QTest's mouse events go through the window and carry
// the buttons held: Qt's own routing (implicit grab, double clicks) applies.

#include "game/TableSurface.h"
#include "game/frmMain.h"
#include "game/modGlobals.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

// A deck whose shuffles never change its fresh order: pile i holds suit i / 4, ranks
// 3 * (i % 4) + 2 to + 4, top card last.
inline std::vector<float> freshOrder()
{
    return {0.0f};
}
// A deck whose shuffles reverse it: pile i holds suit 3 - i / 4, ranks 13 - 3 * (i % 4)
// down to 11 - 3 * (i % 4), so each suit goes home from its fourth pile back to its first.
inline std::vector<float> reversedOrder()
{
    return {0.99999f};
}

// The offscreen platform cannot grab the pointer for real and says so at every drag;
// Qt routes the window's events to the grabbing widget all the same.
inline void quietGrabWarnings()
{
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (previous &&
                !message.startsWith(QLatin1String("This plugin does not support grabbing")))
                previous(type, context, message);
        });
}

// The window, shown and active, dealt from a fixed random source.
struct Table {
    explicit Table(std::vector<float> values = freshOrder())
        : Table(std::make_unique<FixedRandomSource>(std::move(values)))
    {
    }
    explicit Table(std::unique_ptr<RandomSource> source) : random(std::move(source))
    {
        quietGrabWarnings();
        form.show();
        form.activateWindow();
        (void)QTest::qWaitForWindowActive(&form);
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
inline void doubleClick(frmMain &form, QPoint at)
{
    QTest::mouseDClick(form.table, Qt::LeftButton, {}, at);
}

// Where a card lies on the play piles: pile index and position, or nothing.
inline std::optional<std::pair<int, int>> findCard(const frmMain &form, int suit, int rank)
{
    for (int i = 0; i < 16; ++i)
        for (int p = 1; p <= form.mclsPile[i].Count(); ++p)
            if (form.mclsPile[i].Card(p)->CardSuit() == suit &&
                form.mclsPile[i].Card(p)->CardNumber() == rank)
                return std::pair{i, p};
    return std::nullopt;
}

// Moves a card from wherever it lies on the play piles onto the top of pile i, then
// redraws the table and takes a fresh undo snapshot: a position set up for a test.
inline void putOnTop(frmMain &form, int i, int suit, int rank)
{
    const auto [from, p] = *findCard(form, suit, rank);
    const CardRef card = form.mclsPile[from].Card(p);
    form.mclsPile[from].Remove(static_cast<int16_t>(p));
    form.mclsPile[i].Add(card);
    for (int16_t k = 0; k < 16; ++k)
        form.DrawPile(k);
    form.SaveUndo();
}

inline int topRank(const CStack &pile)
{
    return pile.Count() ? pile.TopCard()->CardNumber() : 0;
}

// What must hold after every event, whatever the player did.
inline ::testing::AssertionResult tableIsWhole(const frmMain &form)
{
    std::multiset<const CCard *> onTable, home;
    for (const CStack &pile : form.mclsPile)
        for (int p = 1; p <= pile.Count(); ++p)
            onTable.insert(pile.Card(p).get());
    for (int s = 0; s < 4; ++s) {
        const CStack &pile = form.mclsHome[s];
        for (int p = 1; p <= pile.Count(); ++p) {
            const CardRef &card = pile.Card(p);
            if (card->CardSuit() != s || card->CardNumber() != p)
                return ::testing::AssertionFailure()
                       << "home " << s << " position " << p << " holds rank " << card->CardNumber();
            home.insert(card.get());
        }
    }
    if (form.mbDragging != (form.mclsDragCard != nullptr))
        return ::testing::AssertionFailure() << "the hand and the drag state disagree";
    if (form.mbDragging)
        onTable.insert(form.mclsDragCard.get());
    std::multiset<const CCard *> all = onTable;
    all.insert(home.begin(), home.end());
    std::set<std::pair<int, int>> faces;
    for (const CCard *card : all)
        faces.emplace(card->CardSuit(), card->CardNumber());
    if (all.size() != 52 || faces.size() != 52)
        return ::testing::AssertionFailure()
               << all.size() << " cards, " << faces.size() << " different, on the table";

    std::multiset<const CCard *> deck;
    for (int16_t i = 1; i <= gclsDeck().Count(); ++i)
        deck.insert(gclsDeck().Card(i).get());
    if (deck != onTable)
        return ::testing::AssertionFailure() << "the deck holds " << deck.size()
                                             << " cards, not the " << onTable.size() << " in play";
    const QString count = QString::number(deck.size());
    const QString caption =
        QStringLiteral("Marrowby - ") + count +
        (deck.size() == 1 ? QStringLiteral(" Card Left") : QStringLiteral(" Cards Left"));
    if (form.windowTitle() != caption && form.windowTitle() != QStringLiteral("Marrowby"))
        return ::testing::AssertionFailure() << "caption " << form.windowTitle().toStdString()
                                             << " with " << deck.size() << " in the deck";

    for (int i = 0; i < 16; ++i) {
        const int n = form.mclsPile[i].Count();
        if (form.picPile[i]->isHidden() != (n == 0))
            return ::testing::AssertionFailure()
                   << "pile " << i << " of " << n << " cards is " << (n ? "hidden" : "shown");
        if (n && form.picPile[i]->width() != 71 + (n - 1) * 15)
            return ::testing::AssertionFailure()
                   << "pile " << i << " is " << form.picPile[i]->width() << " wide for " << n
                   << " cards";
        if (form.picPile[i]->MousePointer() != form.table->MousePointer() ||
            form.picPile[i]->toolTip().isEmpty() != !form.DrawModeOn())
            return ::testing::AssertionFailure() << "pile " << i << " disagrees on draw mode";
    }
    if (form.DrawModeOn() && !form.cmdDraw->isEnabled())
        return ::testing::AssertionFailure() << "draw mode with the draw used up";
    if (form.picDrag->isHidden() == form.mbDragging ||
        (QWidget::mouseGrabber() == form.table) != form.mbDragging)
        return ::testing::AssertionFailure() << "the drag picture or the capture outlived the drag";
    return ::testing::AssertionSuccess();
}
