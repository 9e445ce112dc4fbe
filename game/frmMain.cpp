// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"

#include "game/TableSurface.h"
#include "cards/modGlobals.h"
#include "platform/FittingFont.h"
#include "platform/MouseCapture.h"
#include "platform/ProgramFolder.h"
#include "platform/Settings.h"
#include "resources/Images.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int kClientWidth = 627;
constexpr int kClientHeight = 431;
constexpr QPoint kClientOrigin{74, 135};
} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent), Midi(createMidiPlayer())
{
    setWindowTitle(QStringLiteral("Marrowby"));
    setWindowIcon(programIcon());
    createMenus();
    createControls();
    connectControls();
    Form_Load();
    setKeyboardStop(0);
    makeAccessible();
}

frmMain::~frmMain()
{
    // Nothing may come back to a window that is going: not the captured mouse, and not a
    // box's focus, which leaves it as the window closes on its way out.
    if (GetCapture() == table)
        ReleaseCapture();
    for (PictureBox *box : findChildren<PictureBox *>())
        box->disconnect(this);
}

void frmMain::createMenus()
{
    mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFileNewGame = mnuFile->addAction(tr("&New Game"));
    mnuFileNewGame->setShortcut(Qt::Key_F2);
    mnuFile->addSeparator();
    mnuFileExit = mnuFile->addAction(tr("E&xit"));

    mnuOptions = menuBar()->addMenu(tr("Options"));
    mnuFileDeck = mnuOptions->addAction(tr("&Deck..."));
    mnuOptionsMusic = mnuOptions->addAction(tr("&Music..."));
    mnuOptions->addSeparator();
    mnuOptionsUndo = mnuOptions->addAction(tr("&Undo Last Move"));
    mnuOptionsUndo->setShortcut(Qt::CTRL | Qt::Key_Z);

    mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelpContents = mnuHelp->addAction(tr("&Contents..."));
    mnuHelpContents->setShortcut(Qt::Key_F1);
    mnuHelp->addSeparator();
    mnuHelpHvGames = mnuHelp->addAction(tr("&Halvren Games Web Site..."));
    mnuHelpAbout = mnuHelp->addAction(tr("&About Marrowby..."));
}

void frmMain::createControls()
{
    table = new TableSurface(this);
    setCentralWidget(table);

    cmdDraw = new QPushButton(tr("Draw"), table);
    cmdDraw->resize(65, 25);
    cmdReShuffle = new QPushButton(tr("Re-Shuffle"), table);
    cmdReShuffle->resize(65, 25);

    // The design holds the first member of each control array; the rest are made by
    // CreatePiles.
    picPile[0] = new PictureBox(table, 0);
    picPile[0]->setBackColor(TableSurface::Baize);
    picPile[0]->setMouseIcon(handCursor());
    picHome[0] = new PictureBox(table, 0);
    picHome[0]->setBorderStyle(true);
    picHome[0]->setBackColor(TableSurface::Baize);

    picDrag = new PictureBox(table, 0);
    picDrag->resize(71, 96);
    // Clear around the card's rounded corners, so whatever lies below shows there.
    picDrag->setBackColor(Qt::transparent);
    picDrag->setAttribute(Qt::WA_OpaquePaintEvent, false);
    picDrag->hide();
    // The drag picture never takes the mouse: the window does, during a drag.
    picDrag->setAttribute(Qt::WA_TransparentForMouseEvents);

    lblShufflesLeft = new QLabel(tr("%1 Shuffles Left").arg(2), table);
    lblShufflesLeft->resize(73, 17);
    lblShufflesLeft->setAlignment(Qt::AlignCenter);
    QPalette white = lblShufflesLeft->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    lblShufflesLeft->setPalette(white);
    const QFont buttonFont = fittingFont(cmdReShuffle->font(), {{cmdReShuffle->text(), 65 - 12}});
    cmdReShuffle->setFont(buttonFont);
    cmdDraw->setFont(buttonFont);
    lblShufflesLeft->setFont(
        fittingFont(lblShufflesLeft->font(), {{tr("%1 Shuffles Left").arg(0), 73 - 2}}));

    for (int k = 0; k < 2; ++k) {
        imgLocate[k] = new QLabel(table);
        imgLocate[k]->resize(11, 11);
        imgLocate[k]->setScaledContents(true);
        imgLocate[k]->setPixmap(markerPixmap(MarkerKind::Locate, devicePixelRatioF()));
        imgLocate[k]->hide();
    }
    imgDraw = new QLabel(table);
    imgDraw->resize(11, 11);
    imgDraw->setScaledContents(true);
    imgDraw->setPixmap(markerPixmap(MarkerKind::Draw, devicePixelRatioF()));
    imgDraw->hide();
    // The draw's hand is for the table and the piles; the other controls keep the arrow.
    for (QWidget *control : std::initializer_list<QWidget *>{cmdDraw, cmdReShuffle, lblShufflesLeft,
                                                             imgLocate[0], imgLocate[1], imgDraw})
        control->setCursor(Qt::ArrowCursor);

    // The window opens with its client area at a fixed place near the top-left.
    const int menuHeight = menuBar()->sizeHint().height();
    setGeometry(kClientOrigin.x(), kClientOrigin.y() - menuHeight, kClientWidth,
                kClientHeight + menuHeight);
}

void frmMain::connectControls()
{
    connect(mnuFileNewGame, &QAction::triggered, this, &frmMain::mnuFileNewGame_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connect(mnuFileDeck, &QAction::triggered, this, &frmMain::mnuFileDeck_Click);
    connect(mnuOptionsMusic, &QAction::triggered, this, &frmMain::mnuOptionsMusic_Click);
    connect(mnuOptionsUndo, &QAction::triggered, this, &frmMain::mnuOptionsUndo_Click);
    connect(mnuHelpContents, &QAction::triggered, this, &frmMain::mnuHelpContents_Click);
    connect(mnuHelpHvGames, &QAction::triggered, this, &frmMain::mnuHelpHvGames_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
    connect(cmdReShuffle, &QPushButton::clicked, this, &frmMain::cmdReShuffle_Click);
    connect(cmdDraw, &QPushButton::clicked, this, &frmMain::cmdDraw_Click);
    connectPileBox(picPile[0]);
    connectHomeBox(picHome[0]);
    table->installEventFilter(this);
}

// Every member of a control array raises the same handlers, with its index.
void frmMain::connectPileBox(PictureBox *box)
{
    connect(box, &PictureBox::MouseDown, this, &frmMain::picPile_MouseDown);
    connect(box, &PictureBox::MouseMove, this, &frmMain::picPile_MouseMove);
    connect(box, &PictureBox::MouseUp, this, &frmMain::picPile_MouseUp);
    connect(box, &PictureBox::DblClick, this, &frmMain::picPile_DblClick);
    connect(box, &PictureBox::KeyDown, this, &frmMain::picPile_KeyDown);
    connect(box, &PictureBox::KeyUp, this, &frmMain::picPile_KeyUp);
    connect(box, &PictureBox::GotFocus, this, &frmMain::picPile_GotFocus);
    connect(box, &PictureBox::LostFocus, this, &frmMain::picPile_LostFocus);
    box->installEventFilter(this); // an emptied pile hands the keyboard focus on
}

void frmMain::connectHomeBox(PictureBox *box)
{
    connect(box, &PictureBox::MouseDown, this, &frmMain::picHome_MouseDown);
    connect(box, &PictureBox::MouseUp, this, &frmMain::picHome_MouseUp);
    connect(box, &PictureBox::KeyDown, this, &frmMain::picHome_KeyDown);
    connect(box, &PictureBox::KeyUp, this, &frmMain::picHome_KeyUp);
    connect(box, &PictureBox::GotFocus, this, &frmMain::picHome_GotFocus);
    box->installEventFilter(this); // the mouse on it ends keyboard play
}

// Start-up: the deal, then the two settings, in the order the table depends on.
void frmMain::Form_Load()
{
    msTitle = windowTitle();
    table->setMouseIcon(picPile[0]->MouseIcon());
    Midi->setSongFile(programFile(QStringLiteral("Ragtime.mid")));
    CreatePiles();
    PlacePiles();
    NewDeal();

    using namespace StartupSettings;
    glCardBack = parseCardBack(GetSetting(AppName, Section, CardBackKey, DefaultCardBack));
    gsMusicFilename = GetSetting(AppName, Section, MusicFilenameKey, DefaultMusic);
    if (gsMusicFilename == DefaultMusic)
        gsMusicFilename = programFile(QStringLiteral("ragtime.mid"));
    if (glCardBack == 0)
        glCardBack = FallbackCardBack;
    gclsDeck().setCardBack(glCardBack);

    ShowShufflesLeft();
    SaveUndo();
    setWindowTitle(msTitle);
}

void frmMain::Form_Resize()
{
    PlacePiles();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    mclsHelp.reset();
    Midi->StopSong();
    SaveStartupSettings();
}

void SaveStartupSettings()
{
    // With every card home the deck has no card to ask; the player's choice still
    // stands in glCardBack.
    const int32_t back = gclsDeck().Count() > 0 ? gclsDeck().CardBack() : glCardBack;
    using namespace StartupSettings;
    SaveSetting(AppName, Section, CardBackKey, QString::number(back));
    SaveSetting(AppName, Section, MusicFilenameKey, gsMusicFilename);
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::mnuFileNewGame_Click()
{
    if (mbDragging) // the held card would be dealt a second time
        return;
    Midi->StopSong();
    mclsAnimate.reset();
    table->Cls();
    table->setAutoRedraw(true);
    cmdReShuffle->setEnabled(true);
    cmdDraw->setEnabled(true);
    for (int16_t i = 0; i < 16; ++i) {
        picPile[i]->Cls();
        while (mclsPile[i].Count() > 0)
            mclsPile[i].RemoveTopCard();
    }
    for (int16_t i = 0; i < 4; ++i) {
        picHome[i]->Cls();
        while (mclsHome[i].Count() >= 2) {
            gclsDeck().Add(mclsHome[i].TopCard());
            mclsHome[i].RemoveTopCard();
        }
        DrawHome(i);
    }
    ReShuffle();
    miShufflesLeft = 2;
    cmdReShuffle->setEnabled(true);
    UpdateCaption();
    SaveUndo();
    ShowShufflesLeft();
}

void frmMain::UpdateCaption()
{
    const int16_t count = gclsDeck().Count();
    setWindowTitle(msTitle + QStringLiteral(" - ") +
                   (count == 1 ? tr("1 Card Left") : tr("%1 Cards Left").arg(count)));
    // Every move, undo and deal that changes the count comes through here.
    expectSongNearWin();
}
