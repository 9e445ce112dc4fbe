// SPDX-License-Identifier: GPL-3.0-or-later
// An automatic player drives the real window with legal and illegal actions, and a
// referee checks after every one that the table changed only as the rules allow.
// Each run plays a fresh game from a seed it prints; MARROWBY_SOAK_SEED replays one,
// MARROWBY_SOAK_ACTIONS plays longer.
#include "game/PlayDriver.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <string_view>

namespace {

std::vector<float> shufflesFrom(uint32_t seed)
{
    std::mt19937 generator(seed);
    std::vector<float> values(4099);
    std::generate(values.begin(), values.end(),
                  [&] { return static_cast<float>(generator() >> 8) / 16777216.0f; });
    return values;
}

// What the keyboard or the desktop may do while a card is held.
const std::vector<std::pair<const char *, void (*)(frmMain &)>> kInterruptions{
    {"Undo", [](frmMain &f) { QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier); }},
    {"New Game", [](frmMain &f) { QTest::keyClick(&f, Qt::Key_F2); }},
    {"Draw by key", [](frmMain &f) { QTest::keyClick(f.cmdDraw, Qt::Key_Space); }},
    {"Re-Shuffle by key", [](frmMain &f) { QTest::keyClick(f.cmdReShuffle, Qt::Key_Space); }},
    {"Escape", [](frmMain &f) { QTest::keyClick(&f, Qt::Key_Escape); }},
    {"a second button",
     [](frmMain &f) {
         drag(f, {170, 380}, {170, 380}, Qt::RightButton);
     }},
    {"a menu",
     [](frmMain &f) {
         f.mnuFile->popup(f.mapToGlobal(QPoint(10, 10)));
         f.mnuFile->close();
         backToTheTable(f);
     }},
    {"the card-back chooser", [](frmMain &f) { openAndDismiss(f, f.mnuFileDeck); }},
    {"the music chooser", [](frmMain &f) { openAndDismiss(f, f.mnuOptionsMusic); }},
    {"the About box", [](frmMain &f) { openAndDismiss(f, f.mnuHelpAbout); }},
    {"the help", [](frmMain &f) { glanceAtHelp(f); }},
    {"a release outside the window", [](frmMain &f) { release(f, QPoint(-40, -60)); }},
    {"the window closing",
     [](frmMain &f) {
         f.close();
         f.show();
         backToTheTable(f);
     }},
};

class Player
{
public:
    Player(frmMain &form, uint32_t seed) : f(form), random(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    QPoint anywhere()
    {
        if (pick(20) == 0)
            return QPoint(pick(900) - 100, pick(700) - 100); // maybe outside the window
        return QPoint(pick(f.table->width()), pick(f.table->height()));
    }

    template <typename Wanted> std::optional<int> somePile(Wanted wanted)
    {
        std::vector<int> piles;
        for (int i = 0; i < 16; ++i)
            if (f.mclsPile[i].Count() && wanted(i))
                piles.push_back(i);
        if (piles.empty())
            return std::nullopt;
        return piles[pick(static_cast<int>(piles.size()))];
    }

    QPoint onSomePile()
    {
        const std::optional<int> i = somePile([](int) { return true; });
        return i ? onPile(f, *i, pick(f.picPile[*i]->width()), 1 + pick(94)) : anywhere();
    }

    std::optional<QPoint> placeFor(const CardRef &card)
    {
        if (topRank(f.mclsHome[card->CardSuit()]) == card->CardNumber() - 1)
            return onHome(f, card->CardSuit());
        const std::optional<int> pile = somePile([&](int i) {
            return f.mclsPile[i].TopCard()->CardSuit() == card->CardSuit() &&
                   topRank(f.mclsPile[i]) == card->CardNumber() + 1;
        });
        return pile ? std::optional(onTopCard(f, *pile)) : std::nullopt;
    }

    // The mouse on the table or a place ends keyboard play; on a button it does not.
    QPoint touch(QPoint p)
    {
        const QWidget *control = f.table->childAt(p);
        if (f.table->rect().contains(p) && (!control || qobject_cast<const PictureBox *>(control)))
            keyed = false;
        return p;
    }

    void maybeInterrupt()
    {
        if (pick(10) == 0) {
            const auto &[name, interrupt] = kInterruptions[pick(int(kInterruptions.size()))];
            detail += std::string(" interrupted by ") + name;
            interrupt(f);
        }
    }

    void dragSomething()
    {
        const Qt::MouseButton button = pick(10) ? Qt::LeftButton : Qt::MiddleButton;
        // Half the drags start on a top card that has somewhere to go, so games get on.
        const std::optional<int> playable =
            pick(2)
                ? somePile([this](int i) { return placeFor(f.mclsPile[i].TopCard()).has_value(); })
                : std::nullopt;
        press(f, touch(playable ? onTopCard(f, *playable) : onSomePile()), button);
        const std::optional<QPoint> place =
            f.mbDragging && pick(4) ? placeFor(f.mclsDragCard) : std::nullopt;
        // Else anywhere, often a home pile, which must refuse the other suits.
        const QPoint to = place.value_or(pick(3) ? anywhere() : onHome(f, pick(4)));
        for (int step = pick(3); step >= 0; --step)
            moveTo(f, anywhere());
        maybeInterrupt();
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
        const auto focus = [this]() -> QWidget * {
            return QApplication::focusWidget() ? QApplication::focusWidget() : &f;
        };
        QTest::keyPress(focus(), k);
        QTest::keyRelease(focus(), k);
        if (f.mbDragging) // a card in hand from the keyboard
            maybeInterrupt();
    }

    frmMain &f;
    std::string detail; // of the last action, for a failure message
    bool keyed = false; // a key was pressed since the mouse was last on the table
    std::mt19937 random;
};

// What the player does, and how often. A new kind of action is one more line; the
// referee judges its effect whatever it is.
struct Action {
    const char *name;
    double weight;
    void (*run)(Player &);
};

const std::vector<Action> kActions{
    {"drag", 140, [](Player &p) { p.dragSomething(); }},
    {"undo", 10, [](Player &p) { QTest::keyClick(&p.f, Qt::Key_Z, Qt::ControlModifier); }},
    {"re-shuffle", 9, [](Player &p) { QTest::mouseClick(p.f.cmdReShuffle, Qt::LeftButton); }},
    // Often enough that a game's re-shuffles are not always used up, with the focus where
    // the last click left it.
    {"new game", 6, [](Player &) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2); }},
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

// The cards where they lie, or will lie again if the card in hand goes back: a card held
// from the keyboard stays held from one action to the next.
using Position = std::array<std::vector<const CCard *>, 20>;
Position observe(const frmMain &f)
{
    Position position;
    for (int i = 0; i < 20; ++i)
        for (int p = 1; p <= stack(f, i).Count(); ++p)
            position[i].push_back(stack(f, i).Card(p).get());
    if (f.mbDragging) {
        std::vector<const CCard *> &pile = position[f.miDragFrom];
        const bool buried = f.mbDrawDrag && f.mbCardUnderBuried;
        pile.insert(buried ? pile.begin() + (f.miCardUnder - 1) : pile.end(), f.mclsDragCard.get());
    }
    return position;
}

struct Move {
    const CCard *card;
    int from;
    bool fromTop;
    int to;
    Position before;
};

// Exactly `count` moves of one card each that turn `before` into `after`. Only a pile
// that changed can have given or taken a card.
std::optional<std::vector<Move>> moves(const Position &before, const Position &after, int count)
{
    std::vector<int> changed;
    for (int i = 0; i < 20; ++i)
        if (before[i] != after[i])
            changed.push_back(i);
    if (changed.empty() || changed.size() > 2 * std::size_t(count))
        return std::nullopt;
    for (int from : changed)
        for (std::size_t p = 0; p < before[from].size(); ++p)
            for (int to : changed) {
                const CCard *card = before[from][p];
                Position between = before;
                between[from].erase(between[from].begin() + static_cast<std::ptrdiff_t>(p));
                between[to].push_back(card);
                std::optional<std::vector<Move>> made;
                if (count > 1)
                    made = moves(between, after, count - 1);
                else if (between == after)
                    made.emplace();
                if (made) {
                    made->insert(made->begin(),
                                 Move{card, from, p + 1 == before[from].size(), to, before});
                    return made;
                }
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

bool aTopCardFitsBelowIt(const Position &position)
{
    return std::any_of(position.begin(), position.begin() + 16, [](const auto &pile) {
        return pile.size() >= 2 && pile.back()->CardSuit() == pile.end()[-2]->CardSuit() &&
               pile.back()->CardNumber() + 1 == pile.end()[-2]->CardNumber();
    });
}

// Keeps what the rules allow from one action to the next: the re-shuffles of this game,
// whether the draw is still there, and what undo may give back.
class Referee
{
public:
    explicit Referee(const frmMain &form) : f(form), mBefore(observe(form)), mUndoTarget(mBefore) {}

    ::testing::AssertionResult judge(bool newGameAsked, bool keyed)
    {
        const Position after = observe(f);
        ::testing::AssertionResult verdict = tableIsWhole(f);
        if (verdict && ringShows() && !keyed)
            verdict = ::testing::AssertionFailure()
                      << "the keyboard's ring shows for a mouse player";
        if (verdict)
            verdict = judgeChange(after, newGameAsked);
        if (verdict)
            verdict = judgeControls();
        mBefore = after;
        mDrawModeBefore = f.DrawModeOn();
        return verdict;
    }

    int moves = 0;

private:
    ::testing::AssertionResult judgeChange(const Position &is, bool newGameAsked)
    {
        const Position &was = mBefore;
        if (is == was)
            return judgeStill(is);
        if (is == mUndoTarget) {
            if (mBeforeDraw && is == *mBeforeDraw)
                mDrawAvailable = true;
            mBeforeDraw.reset();
            return ::testing::AssertionSuccess();
        }
        // A card drawn from inside a pile onto its own top keeps the dealt shape: moves
        // are judged first. A double click is two clicks, and each may move a card.
        std::optional<std::vector<Move>> made = ::moves(was, is, 1);
        if (!made)
            made = ::moves(was, is, 2);
        if (made) {
            for (const Move &move : *made)
                if (::testing::AssertionResult verdict =
                        judgeMove(move, mDrawModeBefore && mDrawAvailable);
                    !verdict)
                    return verdict;
            return ::testing::AssertionSuccess();
        }
        // A new deal or a re-shuffle. Every card is counted (tableIsWhole), so the same homes
        // keep the same cards in play.
        if (!dealtInOrder(is))
            return ::testing::AssertionFailure() << "the table changed as no rule allows";
        if (newGameAsked && std::all_of(is.begin() + 16, is.end(),
                                        [](const auto &home) { return home.size() == 1; })) {
            mReShuffles = 0;
            mDrawAvailable = true;
        } else if (!std::equal(was.begin() + 16, was.end(), is.begin() + 16)) {
            return ::testing::AssertionFailure() << "the table changed as no rule allows";
        } else if (++mReShuffles > 2) {
            return ::testing::AssertionFailure() << "a third re-shuffle in one game";
        }
        mUndoTarget = is;
        mBeforeDraw.reset();
        return ::testing::AssertionSuccess();
    }

    // A drawn card dropped back where it lay uses the draw up and moves nothing; undo
    // gives the draw back.
    ::testing::AssertionResult judgeStill(const Position &is)
    {
        if (mDrawAvailable && !f.cmdDraw->isEnabled()) {
            if (!mDrawModeBefore || f.DrawModeOn() || !aTopCardFitsBelowIt(is))
                return ::testing::AssertionFailure() << "the draw went without a card drawn";
            mDrawAvailable = false;
            mBeforeDraw = mUndoTarget = is;
        } else if (!mDrawAvailable && f.cmdDraw->isEnabled() && mBeforeDraw == is) {
            mDrawAvailable = true;
            mBeforeDraw.reset();
        }
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult judgeMove(const Move &m, bool drawMode)
    {
        auto failure = [] { return ::testing::AssertionFailure(); };
        if (m.from >= 16)
            return failure() << "a card left its home pile";
        // The pile the card went to, as the card found it.
        std::vector<const CCard *> target = m.before[m.to];
        if (m.to == m.from)
            target.erase(std::find(target.begin(), target.end(), m.card));
        // Home piles hold their own suit only (tableIsWhole) and rise; piles fall.
        if (target.empty() || target.back()->CardSuit() != m.card->CardSuit() ||
            target.back()->CardNumber() != m.card->CardNumber() + (m.to >= 16 ? -1 : 1))
            return failure() << "a card went where the rules do not let it";
        ++moves;
        mBeforeDraw.reset();
        if (!m.fromTop || drawMode) {
            if (!drawMode || !mDrawAvailable)
                return failure() << "a card was drawn without the draw";
            mDrawAvailable = false;
            mBeforeDraw = m.before;
        }
        mUndoTarget = m.before;
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult judgeControls()
    {
        const int left = 2 - mReShuffles;
        const QString label = left == 1 ? QStringLiteral("1 Shuffle Left")
                                        : QStringLiteral("%1 Shuffles Left").arg(left);
        // Once counting, the caption never goes back to the bare name.
        const bool counting = f.windowTitle() != QStringLiteral("Marrowby");
        if (f.lblShufflesLeft->text() != label || f.cmdReShuffle->isEnabled() != (left > 0) ||
            f.cmdDraw->isEnabled() != mDrawAvailable || (mCounting && !counting))
            return ::testing::AssertionFailure() << "after " << mReShuffles << " re-shuffles, "
                                                 << "the controls or the caption are wrong";
        mCounting = counting;
        return ::testing::AssertionSuccess();
    }

    const frmMain &f;
    Position mBefore;
    Position mUndoTarget;
    std::optional<Position> mBeforeDraw; // the table before the move that used the draw
    int mReShuffles = 0;
    bool mDrawModeBefore = false;
    bool mDrawAvailable = true;
    bool mCounting = false;
};

TEST(Soak, EveryActionKeepsToTheRules)
{
    const int actions = std::max(2000, qEnvironmentVariableIntValue("MARROWBY_SOAK_ACTIONS"));
    bool given = false;
    uint32_t seed = qEnvironmentVariable("MARROWBY_SOAK_SEED").toUInt(&given);
    if (!given)
        seed = std::random_device{}();
    std::cout << "[ soak     ] MARROWBY_SOAK_SEED=" << seed << " replays this run\n";
    Table t(shufflesFrom(seed));
    Player player(t.form, seed);
    Referee referee(t.form);
    std::vector<double> weights;
    std::transform(kActions.begin(), kActions.end(), std::back_inserter(weights),
                   [](const Action &a) { return a.weight; });
    std::discrete_distribution<std::size_t> pickAction(weights.begin(), weights.end());
    for (int n = 1; n <= actions; ++n) {
        const Action &action = kActions[pickAction(player.random)];
        player.detail.clear();
        action.run(player);
        // F2 during a drag that held no card is a new game asked for.
        const bool newGameAsked = std::string_view(action.name) == "new game" ||
                                  player.detail.find("New Game") != std::string::npos;
        const ::testing::AssertionResult verdict = referee.judge(newGameAsked, player.keyed);
        ASSERT_TRUE(verdict) << "action " << n << ", " << action.name << " " << player.detail
                             << "; replay with MARROWBY_SOAK_SEED=" << seed;
    }
    std::cout << "[ soak     ] " << actions << " actions, " << referee.moves << " moves\n";
    EXPECT_GT(referee.moves, actions / 200); // the player does play
}

} // namespace