// SPDX-License-Identifier: GPL-3.0-or-later
// An automatic player drives the real window with legal and illegal actions, and a
// referee checks after every one that the table changed only as the rules allow.
// Each run plays a fresh game from a seed it prints; MARROWBY_SOAK_SEED replays one,
// MARROWBY_SOAK_ACTIONS plays longer.
#include "game/PlayDriver.h"

#include <QApplication>
#include <QKeySequence>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <iostream>
#include <iterator>
#include <numeric>
#include <optional>
#include <random>
#include <set>

namespace {

uint32_t soakSeed()
{
    bool given = false;
    const uint32_t seed = qEnvironmentVariable("MARROWBY_SOAK_SEED").toUInt(&given);
    return given ? seed : std::random_device{}();
}

std::vector<float> shufflesFrom(uint32_t seed)
{
    std::mt19937 generator(seed);
    std::vector<float> values(4099);
    for (float &v : values)
        v = static_cast<float>(generator() >> 8) / 16777216.0f;
    return values;
}

class Player
{
public:
    Player(frmMain &form, uint32_t seed) : f(form), mRandom(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(mRandom); }

    QPoint anywhere()
    {
        if (pick(20) == 0)
            return QPoint(pick(900) - 100, pick(700) - 100); // maybe outside the window
        return QPoint(pick(f.table->width()), pick(f.table->height()));
    }

    QPoint onSomePile()
    {
        std::vector<int> shown;
        for (int i = 0; i < 16; ++i)
            if (f.picPile[i]->isVisible())
                shown.push_back(i);
        if (shown.empty())
            return anywhere();
        const int i = shown[pick(static_cast<int>(shown.size()))];
        return onPile(f, i, pick(f.picPile[i]->width()), 1 + pick(94));
    }

    // Where a card may go: a pile or home pile, as a point on it, or nothing.
    std::optional<QPoint> placeFor(const CardRef &card)
    {
        if (topRank(f.mclsHome[card->CardSuit()]) == card->CardNumber() - 1)
            return onHome(f, card->CardSuit());
        for (int i = 0; i < 16; ++i)
            if (f.mclsPile[i].Count() && f.mclsPile[i].TopCard()->CardSuit() == card->CardSuit() &&
                topRank(f.mclsPile[i]) == card->CardNumber() + 1)
                return onTopCard(f, i);
        return std::nullopt;
    }

    std::optional<int> pileWithAMove()
    {
        std::vector<int> playable;
        for (int i = 0; i < 16; ++i)
            if (f.mclsPile[i].Count() && placeFor(f.mclsPile[i].TopCard()))
                playable.push_back(i);
        if (playable.empty())
            return std::nullopt;
        return playable[pick(static_cast<int>(playable.size()))];
    }

    // The mouse on the table or a place ends keyboard play; on a button it does not.
    QPoint touch(QPoint p)
    {
        const QWidget *control = f.table->childAt(p);
        if (f.table->rect().contains(p) && (!control || qobject_cast<const PictureBox *>(control)))
            keyed = false;
        return p;
    }

    void dragSomething()
    {
        const Qt::MouseButton button = pick(10) ? Qt::LeftButton : Qt::MiddleButton;
        // Half the drags start on a top card that has somewhere to go, so games get on.
        const std::optional<int> playable = pick(2) ? pileWithAMove() : std::nullopt;
        press(f, touch(playable ? onTopCard(f, *playable) : onSomePile()), button);
        const std::optional<QPoint> place =
            f.mbDragging && pick(4) ? placeFor(f.mclsDragCard) : std::nullopt;
        const QPoint to = place.value_or(anywhere());
        for (int step = pick(3); step >= 0; --step)
            moveTo(f, anywhere());
        if (pick(10) == 0) {
            const auto &[name, interrupt] = kInterruptions[pick(int(kInterruptions.size()))];
            detail = std::string("interrupted by ") + name;
            interrupt(f);
        }
        moveTo(f, to);
        release(f, to, button);
    }

    // A key for whatever has the focus: now and then Tab, to reach the table or leave it.
    void pressKey()
    {
        keyed = true;
        static const Qt::Key keys[] = {Qt::Key_Left,  Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                                       Qt::Key_Space, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape,
                                       Qt::Key_L,     Qt::Key_Tab};
        const Qt::Key k = keys[pick(static_cast<int>(std::size(keys)))];
        auto focus = [this]() -> QWidget * {
            QWidget *widget = QApplication::focusWidget();
            return widget ? widget : &f;
        };
        QTest::keyPress(focus(), k);
        QTest::keyRelease(focus(), k);
        detail = QKeySequence(k).toString().toStdString();
    }

    frmMain &f;
    std::string detail; // of the last action, for a failure message
    bool keyed = false; // a key was pressed since the mouse was last on the table

private:
    std::mt19937 mRandom;
};

// What the player does, and how often. A new kind of action is one more line; the
// referee judges its effect whatever it is. Only an action that asks for a new game may
// deal one.
struct Action {
    const char *name;
    int weight;
    void (*run)(Player &);
    bool asksForNewGame = false;
};

const std::vector<Action> kActions{
    {"drag", 140, [](Player &p) { p.dragSomething(); }},
    {"undo", 10, [](Player &p) { QTest::keyClick(&p.f, Qt::Key_Z, Qt::ControlModifier); }},
    {"re-shuffle", 9, [](Player &p) { QTest::mouseClick(p.f.cmdReShuffle, Qt::LeftButton); }},
    // Often enough that a game's re-shuffles are not always used up, with the focus where
    // the last click left it.
    {"new game", 6, [](Player &) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2); },
     true},
    {"draw", 10, [](Player &p) { QTest::mouseClick(p.f.cmdDraw, Qt::LeftButton); }},
    {"click", 10,
     [](Player &p) { QTest::mouseClick(p.f.table, Qt::LeftButton, {}, p.touch(p.anywhere())); }},
    {"double click", 10, [](Player &p) { doubleClick(p.f, p.touch(p.onSomePile())); }},
    {"locate", 10,
     [](Player &p) {
         const QPoint at = p.touch(p.pick(4) ? p.onSomePile() : onHome(p.f, p.pick(4)));
         drag(p.f, at, at, Qt::RightButton);
     }},
    {"a dialog", 2,
     [](Player &p) {
         QAction *const entries[] = {p.f.mnuFileDeck, p.f.mnuOptionsMusic, p.f.mnuHelpAbout};
         openAndDismiss(p.f, entries[p.pick(3)]);
     }},
    {"the help", 1, [](Player &p) { glanceAtHelp(p.f); }},
    {"a key", 20, [](Player &p) { p.pressKey(); }},
};

const Action &pickAction(Player &player)
{
    static const int total =
        std::accumulate(kActions.begin(), kActions.end(), 0,
                        [](int sum, const Action &a) { return sum + a.weight; });
    int n = player.pick(total);
    for (const Action &a : kActions) {
        if (n < a.weight)
            return a;
        n -= a.weight;
    }
    return kActions.front();
}

struct Observed {
    Position position;
    bool drawEnabled;
    bool drawMode;
    bool reShuffleEnabled;
    QString label;
    QString caption;
    bool ring;
};

Observed observe(const frmMain &f)
{
    Observed o{positionOf(f),
               f.cmdDraw->isEnabled(),
               f.DrawModeOn(),
               f.cmdReShuffle->isEnabled(),
               f.lblShufflesLeft->text(),
               f.windowTitle(),
               ringShows()};
    // A card held from the keyboard stays held from one action to the next: it counts
    // where it goes back to if its drop fails.
    if (f.mbDragging) {
        std::vector<const CCard *> &pile = o.position[f.miDragFrom];
        const bool buried = f.mbDrawDrag && f.mbCardUnderBuried;
        pile.insert(buried ? pile.begin() + (f.miCardUnder - 1) : pile.end(), f.mclsDragCard.get());
    }
    return o;
}

struct Move {
    const CCard *card;
    int from;
    bool fromTop;
    int to;
};

// `position` with the card at index p of pile `from` moved onto the top of pile `to`.
Position withMove(Position position, int from, std::size_t p, int to)
{
    const CCard *card = position[from][p];
    position[from].erase(position[from].begin() + static_cast<std::ptrdiff_t>(p));
    position[to].push_back(card);
    return position;
}

// The one card whose move turns `before` into `after`, if there is one.
std::optional<Move> singleMove(const Position &before, const Position &after)
{
    std::vector<int> changed;
    for (int i = 0; i < 20; ++i)
        if (before[i] != after[i])
            changed.push_back(i);
    if (changed.empty() || changed.size() > 2)
        return std::nullopt;
    for (int from : changed)
        for (std::size_t p = 0; p < before[from].size(); ++p)
            for (int to : changed)
                if (withMove(before, from, p, to) == after)
                    return Move{before[from][p], from, p + 1 == before[from].size(), to};
    return std::nullopt;
}

// The two moves, one after the other, that turn `before` into `after`: a double click
// is two clicks, and each may move a card. With the position between them.
std::optional<std::pair<Move, Position>> firstOfTwoMoves(const Position &before,
                                                         const Position &after)
{
    for (int from = 0; from < 16; ++from)
        for (std::size_t p = 0; p < before[from].size(); ++p)
            for (int to = 0; to < 20; ++to) {
                const Position between = withMove(before, from, p, to);
                if (between != before && singleMove(between, after))
                    return std::pair{Move{before[from][p], from, p + 1 == before[from].size(), to},
                                     between};
            }
    return std::nullopt;
}

// Three cards a pile from the first pile on, as every deal lays them.
bool dealtInOrder(const Position &position)
{
    std::size_t cards = 0;
    for (int i = 0; i < 16; ++i)
        cards += position[i].size();
    for (std::size_t i = 0; i < 16; ++i)
        if (position[i].size() != std::min<std::size_t>(3, cards - std::min(cards, 3 * i)))
            return false;
    return true;
}

std::multiset<const CCard *> inPlay(const Position &position)
{
    std::multiset<const CCard *> cards;
    for (int i = 0; i < 16; ++i)
        cards.insert(position[i].begin(), position[i].end());
    return cards;
}

bool aTopCardFitsBelowIt(const Position &position)
{
    for (int i = 0; i < 16; ++i) {
        const std::vector<const CCard *> &pile = position[i];
        if (pile.size() >= 2 && pile.back()->CardSuit() == pile.end()[-2]->CardSuit() &&
            pile.back()->CardNumber() + 1 == pile.end()[-2]->CardNumber())
            return true;
    }
    return false;
}

bool onlyAcesHome(const Position &position)
{
    for (int h = 16; h < 20; ++h)
        if (position[h].size() != 1)
            return false;
    return true;
}

std::string describe(const std::vector<const CCard *> &pile)
{
    std::string text;
    for (const CCard *card : pile)
        text += ' ' + std::to_string(card->CardNumber()) + "SHDC"[card->CardSuit()];
    return text;
}

// The piles that differ, as they were and as they are, for the failure message.
std::string changes(const Position &was, const Position &is)
{
    std::string text;
    for (int i = 0; i < 20; ++i)
        if (was[i] != is[i])
            text += (i < 16 ? "\n pile " : "\n home ") + std::to_string(i < 16 ? i : i - 16) + ":" +
                    describe(was[i]) + " ->" + describe(is[i]);
    return text;
}

// Keeps what the rules allow from one action to the next: the re-shuffles of this game,
// whether the draw is still there, and what undo may give back.
class Referee
{
public:
    explicit Referee(const frmMain &form) : f(form), mBefore(observe(form))
    {
        mUndoTarget = mBefore.position;
    }

    ::testing::AssertionResult judge(bool newGameAsked, bool keyed)
    {
        const Observed after = observe(f);
        ::testing::AssertionResult verdict = tableIsWhole(f);
        if (verdict && after.ring && !keyed)
            verdict = ::testing::AssertionFailure()
                      << "the keyboard's ring shows for a mouse player";
        if (verdict)
            verdict = judgeChange(after, newGameAsked);
        if (verdict)
            verdict = judgeControls(after);
        mBefore = after;
        return verdict;
    }

    int moves = 0;

private:
    ::testing::AssertionResult judgeChange(const Observed &after, bool newGameAsked)
    {
        const Position &was = mBefore.position, &is = after.position;
        if (is == was)
            return judgeStill(after);
        if (is == mUndoTarget) {
            if (mBeforeDraw && is == *mBeforeDraw)
                mDrawAvailable = true;
            mBeforeDraw.reset();
            return ::testing::AssertionSuccess();
        }
        // A card drawn from inside a pile onto its own top keeps the dealt shape: moves
        // are judged first.
        if (const std::optional<Move> move = singleMove(was, is))
            return judgeMove(*move, was, mBefore.drawMode);
        if (const auto first = firstOfTwoMoves(was, is)) {
            const ::testing::AssertionResult verdict =
                judgeMove(first->first, was, mBefore.drawMode);
            if (!verdict)
                return verdict;
            return judgeMove(*singleMove(first->second, is), first->second,
                             mBefore.drawMode && mDrawAvailable);
        }
        if (dealtInOrder(is) && onlyAcesHome(is) && newGameAsked) {
            mReShuffles = 0;
            mDrawAvailable = true;
            return dealt(is);
        }
        if (dealtInOrder(is) && inPlay(is) == inPlay(was) &&
            std::equal(was.begin() + 16, was.end(), is.begin() + 16)) {
            if (++mReShuffles > 2)
                return ::testing::AssertionFailure() << "a third re-shuffle in one game";
            return dealt(is);
        }
        return ::testing::AssertionFailure()
               << "the table changed as no rule allows:" << changes(was, is);
    }

    // A drawn card dropped back where it lay uses the draw up and moves nothing; undo
    // gives the draw back.
    ::testing::AssertionResult judgeStill(const Observed &after)
    {
        if (mDrawAvailable && !after.drawEnabled) {
            if (!mBefore.drawMode || after.drawMode || !aTopCardFitsBelowIt(after.position))
                return ::testing::AssertionFailure() << "the draw went without a card drawn";
            mDrawAvailable = false;
            mBeforeDraw = mUndoTarget = after.position;
        } else if (!mDrawAvailable && after.drawEnabled && mBeforeDraw == after.position) {
            mDrawAvailable = true;
            mBeforeDraw.reset();
        }
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult dealt(const Position &is)
    {
        mUndoTarget = is;
        mBeforeDraw.reset();
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult judgeMove(const Move &m, const Position &was, bool drawMode)
    {
        auto failure = [] { return ::testing::AssertionFailure(); };
        if (m.from >= 16)
            return failure() << "a card left its home pile";
        // The pile the card went to, as the card found it.
        std::vector<const CCard *> target = was[m.to];
        if (m.to == m.from)
            target.erase(std::find(target.begin(), target.end(), m.card));
        if (m.to >= 16) {
            if (m.card->CardSuit() != m.to - 16 ||
                m.card->CardNumber() != target.back()->CardNumber() + 1)
                return failure() << "a card went home out of turn";
        } else if (target.empty()) {
            return failure() << "a card landed on an empty pile";
        } else if (target.back()->CardSuit() != m.card->CardSuit() ||
                   target.back()->CardNumber() != m.card->CardNumber() + 1) {
            return failure() << "a card landed on a pile whose top is not one rank above it "
                                "in its suit";
        }
        ++moves;
        mBeforeDraw.reset();
        if (!m.fromTop || drawMode) {
            if (!drawMode || !mDrawAvailable)
                return failure() << "a card was drawn without the draw";
            mDrawAvailable = false;
            mBeforeDraw = was;
        }
        mUndoTarget = was;
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult judgeControls(const Observed &after)
    {
        const int left = 2 - mReShuffles;
        const QString label = left == 1 ? QStringLiteral("1 Shuffle Left")
                                        : QStringLiteral("%1 Shuffles Left").arg(left);
        if (after.label != label || after.reShuffleEnabled != (left > 0))
            return ::testing::AssertionFailure()
                   << "after " << mReShuffles << " re-shuffles the label reads "
                   << after.label.toStdString() << " and the button is "
                   << (after.reShuffleEnabled ? "enabled" : "disabled");
        if (after.drawEnabled != mDrawAvailable)
            return ::testing::AssertionFailure()
                   << "the Draw button is " << (after.drawEnabled ? "enabled" : "disabled");
        if (mCounting && after.caption == QStringLiteral("Marrowby"))
            return ::testing::AssertionFailure() << "the caption lost its count";
        mCounting = after.caption != QStringLiteral("Marrowby");
        return ::testing::AssertionSuccess();
    }

    const frmMain &f;
    Observed mBefore;
    Position mUndoTarget;
    std::optional<Position> mBeforeDraw; // the table before the move that used the draw
    int mReShuffles = 0;
    bool mDrawAvailable = true;
    bool mCounting = false;
};

TEST(Soak, EveryActionKeepsToTheRules)
{
    const int actions = std::max(2000, qEnvironmentVariableIntValue("MARROWBY_SOAK_ACTIONS"));
    const uint32_t seed = soakSeed();
    std::cout << "[ soak     ] MARROWBY_SOAK_SEED=" << seed << " replays this run\n";
    RecordProperty("seed", std::to_string(seed));
    Table t(shufflesFrom(seed));
    Player player(t.form, seed);
    Referee referee(t.form);
    const std::clock_t started = std::clock();
    for (int n = 1; n <= actions; ++n) {
        const Action &action = pickAction(player);
        player.detail.clear();
        action.run(player);
        // F2 during a drag that held no card is a new game asked for.
        const bool newGameAsked =
            action.asksForNewGame || player.detail == "interrupted by New Game";
        const ::testing::AssertionResult verdict = referee.judge(newGameAsked, player.keyed);
        ASSERT_TRUE(verdict) << "action " << n << ", " << action.name << " " << player.detail
                             << "; replay with MARROWBY_SOAK_SEED=" << seed;
        if (n % 100000 == 0) // a long run shows it is getting on
            std::cout << "[ soak     ] " << n << " actions" << std::endl;
    }
    const double seconds = double(std::clock() - started) / CLOCKS_PER_SEC;
    std::cout << "[ soak     ] " << actions << " actions, " << referee.moves << " moves, "
              << int(actions / std::max(seconds, 1e-3)) << " actions per CPU-second\n";
    EXPECT_GT(referee.moves, actions / 200); // the player does play
}

} // namespace
