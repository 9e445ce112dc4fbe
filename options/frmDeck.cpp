// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/frmDeck.h"

#include "cards/modGlobals.h"
#include "platform/DialogKeys.h"
#include "platform/FittingFont.h"
#include "resources/Images.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

namespace {
constexpr int32_t kFirstBack = 54;
constexpr int16_t kBackCount = 12;
constexpr QSize kCardSize{71, 96};
constexpr int kColumnLefts[] = {12, 92, 172, 252, 332, 412};
constexpr int kRowTops[] = {12, 116};
// The box's border: the box grows by it on every side so the back stays whole.
constexpr int kBorder = 2;
// A ring in the highlight colour around the border, so the choice stands out.
constexpr int kRing = 2;
// What each back shows, for a player who cannot see it.
constexpr const char *kBackPictures[kBackCount] = {
    QT_TRANSLATE_NOOP("frmDeck", "blue crosshatch"),
    QT_TRANSLATE_NOOP("frmDeck", "red diamonds"),
    QT_TRANSLATE_NOOP("frmDeck", "teal waves"),
    QT_TRANSLATE_NOOP("frmDeck", "purple checks"),
    QT_TRANSLATE_NOOP("frmDeck", "orange sun"),
    QT_TRANSLATE_NOOP("frmDeck", "gold stars on navy"),
    QT_TRANSLATE_NOOP("frmDeck", "green scales"),
    QT_TRANSLATE_NOOP("frmDeck", "brown tartan"),
    QT_TRANSLATE_NOOP("frmDeck", "pink flowers"),
    QT_TRANSLATE_NOOP("frmDeck", "gold fans on black"),
    QT_TRANSLATE_NOOP("frmDeck", "gold suits on maroon"),
    QT_TRANSLATE_NOOP("frmDeck", "grey honeycomb")};

QRect designRect(int16_t Index)
{
    return QRect(QPoint(kColumnLefts[Index % 6], kRowTops[Index / 6]), kCardSize);
}

QRect grown(const QRect &rect, int by)
{
    return rect.adjusted(-by, -by, by, by);
}
} // namespace

frmDeck::frmDeck(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(tr("Choose a card back"));
    setWindowIcon(redDiamondIcon());
    setFixedSize(497, 264);

    QWidget *previous = nullptr;
    for (int16_t i = 0; i < kBackCount; ++i) {
        picBack[i] = new PictureBox(this, i);
        picBack[i]->setGeometry(designRect(i));
        // The rounded corners of a card show the dialog behind it.
        picBack[i]->setBackColor(palette().color(QPalette::Window));
        picBack[i]->setFocusPolicy(Qt::StrongFocus);
        picBack[i]->setAccessibleRole(QAccessible::Button);
        picBack[i]->installEventFilter(this);
        connect(picBack[i], &PictureBox::Click, this, &frmDeck::picBack_Click);
        connect(picBack[i], &PictureBox::KeyDown, this, &frmDeck::picBack_KeyDown);
        if (previous)
            setTabOrder(previous, picBack[i]);
        previous = picBack[i];
    }
    cmdOK = new QPushButton(tr("&OK"), this);
    cmdOK->setGeometry(208, 228, 69, 25);
    useDialogKeysWithoutDefaults(this);
    setTabOrder(previous, cmdOK);
    cmdOK->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmDeck::cmdOK_Click);
    growButton();

    Form_Load();
}

// With a larger desktop font the OK button grows, in the middle below the backs, and the
// dialog with it; the backs keep the size of a card.
void frmDeck::growButton()
{
    const qreal growth = formGrowth(this);
    if (growth == 1)
        return;
    const QRect design = cmdOK->geometry();
    QRect button = grown(design, growth);
    button.moveCenter(QPoint(design.center().x(), button.center().y()));
    button.moveTop(design.top());
    cmdOK->setGeometry(button);
    setFixedSize(width(), height() + button.height() - design.height());
}

void frmDeck::Form_Load()
{
    for (int16_t i = 0; i < kBackCount; ++i) {
        cdtDraw(picBack[i]->hDC(), 0, 0, kFirstBack + i, mdFaceDown, 0);
        setOutline(i, false);
    }
    // A back from an edited settings file may have no box: the first one stands in.
    const int32_t index = glCardBack - kFirstBack;
    miSelectedBack = (index >= 0 && index < kBackCount) ? static_cast<int16_t>(index) : 0;
    setOutline(miSelectedBack, true);
    picBack[miSelectedBack]->setFocus();
}

void frmDeck::picBack_Click(int16_t Index)
{
    if (Index == miSelectedBack)
        return;
    setOutline(miSelectedBack, false);
    miSelectedBack = Index;
    setOutline(miSelectedBack, true);
}

void frmDeck::cmdOK_Click()
{
    glCardBack = miSelectedBack + kFirstBack;
    accept();
}

// The border goes around the back rather than over it. The order keeps the drawn
// back intact: the box grows before its border takes the new room, and gives the
// room back before it shrinks.
void frmDeck::setOutline(int16_t Index, bool on)
{
    PictureBox *box = picBack[Index];
    const QRect design = designRect(Index);
    if (on) {
        box->setGeometry(grown(design, kBorder));
        box->setBorderStyle(true);
    } else {
        box->setBorderStyle(false);
        box->setGeometry(design);
    }
    const QString name =
        tr("Card back %1 of %2: %3").arg(Index + 1).arg(kBackCount).arg(tr(kBackPictures[Index]));
    box->setAccessibleName(on ? tr("%1, chosen").arg(name) : name);
    update(grown(design, kBorder + kRing));
}

void frmDeck::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(grown(designRect(miSelectedBack), kBorder + kRing),
                     palette().color(QPalette::Highlight));
}

// Space is the keyboard's click: it chooses the box that has the focus, as a click would.
void frmDeck::picBack_KeyDown(int16_t Index, QKeyEvent *event)
{
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier)
        return;
    event->accept();
    picBack_Click(Index);
}

// The focus ring shows once a key is pressed in the dialog, so a player who only
// clicks sees the boxes as they always were.
bool frmDeck::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress)
        for (PictureBox *box : picBack)
            box->setFocusRing(true);
    return QDialog::eventFilter(watched, event);
}
