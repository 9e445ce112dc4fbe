// SPDX-License-Identifier: GPL-3.0-or-later
// The table as a screen reader tells it: every pile and home pile is an object named
// by its cards, and the name changes as they move. A change of name or description
// is announced by the accessibility layer; the focused place carries what just
// happened in its description.
#include "game/TableSurface.h"
#include "game/frmMain.h"

#include <QLabel>
#include <QStringList>

#include <array>

namespace {
constexpr std::array kSuits{
    QT_TRANSLATE_NOOP("frmMain", "Clubs"), QT_TRANSLATE_NOOP("frmMain", "Diamonds"),
    QT_TRANSLATE_NOOP("frmMain", "Hearts"), QT_TRANSLATE_NOOP("frmMain", "Spades")};

QString rankName(int16_t rank)
{
    switch (rank) {
    case 1:
        return frmMain::tr("Ace");
    case 11:
        return frmMain::tr("Jack");
    case 12:
        return frmMain::tr("Queen");
    case 13:
        return frmMain::tr("King");
    default:
        return QString::number(rank);
    }
}

QString suitName(int32_t suit)
{
    return frmMain::tr(kSuits.at(static_cast<std::size_t>(suit)));
}
} // namespace

QString frmMain::CardName(const CCard &card)
{
    return tr("%1 of %2").arg(rankName(card.CardNumber()), suitName(card.CardSuit()));
}

// Bottom to top, as the cards lie in the fan.
void frmMain::DescribePile(int16_t i)
{
    const CStack &pile = mclsPile[i];
    QStringList cards;
    for (int16_t p = 1; p <= pile.Count(); ++p)
        cards << CardName(*pile.Card(p));
    picPile[i]->setAccessibleName(cards.isEmpty()
                                      ? tr("Pile %1: empty").arg(i + 1)
                                      : tr("Pile %1: %2").arg(i + 1).arg(cards.join(u", ")));
}

void frmMain::DescribeHome(int16_t i)
{
    const CStack &home = mclsHome[i];
    picHome[i]->setAccessibleName(
        home.Count() == 0 ? tr("%1 home pile: empty").arg(suitName(i))
                          : tr("%1 home pile: %2").arg(suitName(i), CardName(*home.TopCard())));
}

void frmMain::makeAccessible()
{
    table->setAccessibleName(tr("Table"));
    for (PictureBox *box : picPile)
        box->setAccessibleRole(QAccessible::Button);
    for (PictureBox *box : picHome)
        box->setAccessibleRole(QAccessible::Button);
    for (QLabel *marker : imgLocate)
        marker->setAccessibleName(tr("Locate marker"));
    imgDraw->setAccessibleName(tr("Draw marker"));
}

// Said again when it is the same as last time, since it is news again.
void frmMain::announce(const QString &text)
{
    PictureBox *box = placeBox(miKeyPlace);
    if (box->accessibleDescription() == text)
        box->setAccessibleDescription(QString());
    box->setAccessibleDescription(text);
}

void frmMain::announceMarkers()
{
    QStringList marked;
    for (const QLabel *marker : imgLocate)
        if (marker->isVisible())
            marked << marker->accessibleName();
    announce(marked.isEmpty() ? tr("No neighbour of this card lies on the piles")
                              : marked.join(u"; "));
}

void frmMain::announceDrawMarker()
{
    const CardRef &card = mclsPile[miKeyPlace].Card(miCardUnder);
    imgDraw->setAccessibleName(tr("Draw marker over %1").arg(CardName(*card)));
    announce(imgDraw->accessibleName());
}
