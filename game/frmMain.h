// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cards/CStack.h"
#include "options/MidiPlayer.h"
#include "platform/PictureBox.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class CAnimate;
class clsWinHelp;
class TableSurface;

// The game window: sixteen piles, four home piles, two buttons and a label under a
// menu bar. Its operations are split by feature over the frmMain_*.cpp files.
class frmMain : public QMainWindow
{
    Q_OBJECT
    friend class TableSurface;

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Layout (frmMain_layout.cpp)
    void CreatePiles();
    void PlacePiles();
    // The caption with the count of cards not yet home.
    void UpdateCaption();

    // Controls, reachable as on a form.
    std::unique_ptr<MidiPlayer> Midi;
    TableSurface *table = nullptr; // the window's own surface (its client area)
    QPushButton *cmdDraw = nullptr;
    QPushButton *cmdReShuffle = nullptr;
    std::array<PictureBox *, 16> picPile{};
    PictureBox *picDrag = nullptr;
    std::array<PictureBox *, 4> picHome{};
    QLabel *lblShufflesLeft = nullptr;
    std::array<QLabel *, 2> imgLocate{};
    QLabel *imgDraw = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuFileNewGame = nullptr;
    QAction *mnuFileExit = nullptr;
    QMenu *mnuOptions = nullptr;
    QAction *mnuFileDeck = nullptr;
    QAction *mnuOptionsMusic = nullptr;
    QAction *mnuOptionsUndo = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpContents = nullptr;
    QAction *mnuHelpHvGames = nullptr;
    QAction *mnuHelpAbout = nullptr;

    // Game state, read by tests.
    std::array<CStack, 16> mclsPile;
    std::array<CStack, 4> mclsHome;
    std::array<CStack, 16> mclsUndoPile;
    std::array<CStack, 4> mclsUndoHome;
    int16_t miShufflesLeft = 0;
    QString msTitle;
    std::shared_ptr<CAnimate> mclsAnimate;
    std::shared_ptr<clsWinHelp> mclsHelp;

    // Drag state
    bool mbDragging = false;
    CardRef mclsDragCard;
    int16_t miDragFrom = 0;
    int32_t mlDragOffsetX = 0;
    int32_t mlDragOffsetY = 0;
    int16_t miCardUnder = 0;
    bool mbCardUnderBuried = false;
    bool mbDrawDrag = false;
    bool mbDrawSinceUndo = false;

    // Draw mode is shown by the hand cursor over the piles; this reads it back.
    bool DrawModeOn() const;

    // Event handlers, public so tests can drive a form the way its events do.
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void Form_MouseMove(int16_t Button, int16_t Shift, float X, float Y);
    void Form_MouseUp(int16_t Button, int16_t Shift, float X, float Y);
    void mnuFileNewGame_Click();
    void mnuFileExit_Click();
    void mnuFileDeck_Click();
    void mnuOptionsMusic_Click();
    void mnuOptionsUndo_Click();
    void mnuHelpContents_Click();
    void mnuHelpHvGames_Click();
    void mnuHelpAbout_Click();
    void cmdReShuffle_Click();
    void cmdDraw_Click();
    void picPile_MouseDown(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);
    void picPile_MouseMove(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);
    void picPile_MouseUp(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);
    void picPile_DblClick(int16_t Index);
    void picHome_MouseDown(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);
    void picHome_MouseUp(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);
    void picPile_KeyDown(int16_t Index, QKeyEvent *event);
    void picHome_KeyDown(int16_t Index, QKeyEvent *event);
    void picPile_KeyUp(int16_t Index, int Key);
    void picHome_KeyUp(int16_t Index, int Key);
    void picPile_GotFocus(int16_t Index);
    void picHome_GotFocus(int16_t Index);
    void picPile_LostFocus(int16_t Index);

    // Rendering and hit tests (frmMain_render.cpp)
    void DrawPile(int16_t i);
    void DrawHome(int16_t i);
    int16_t PileFromPoint(float x, float y) const;
    int16_t HomeFromPoint(float x, float y) const;

    // Deal (frmMain_deal.cpp)
    void NewDeal();
    void PlaceAces();
    void ReShuffle();
    void ShowShufflesLeft();

    // Rules (frmMain_rules.cpp)
    bool CanPlayOnPile(int16_t t) const;
    bool CanPlayOnHome(int16_t h) const;
    void RemoveFromDeck(int32_t suit, int16_t rank);

    // Drag (frmMain_drag.cpp)
    void ReturnDragCard();

    // Undo (frmMain_undo.cpp)
    void SaveUndo();
    void RestoreUndo();

    // Locate (frmMain_locate.cpp)
    void LocateCards(int16_t suit, int16_t r);

    // Victory (frmMain_victory.cpp)
    void CheckForWin();

    // Keyboard play (frmMain_keyboard.cpp). The piles, then the home piles, are the
    // places 0 to 19 that the keyboard moves through; one of them is the table's stop in
    // the Tab order.
    int16_t KeyboardPlace() const { return miKeyPlace; }

    // What a screen reader hears (frmMain_accessibility.cpp)
    static QString CardName(const CCard &card);
    void DescribePile(int16_t i);
    void DescribeHome(int16_t i);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void DealPiles();
    void createMenus();
    void createControls();
    void connectControls();
    void connectPileBox(PictureBox *box);
    void connectHomeBox(PictureBox *box);
    void setCustomCursor(bool on);
    void showCardBack();
    void liftCard(int16_t i, int16_t p);
    CardRef endDrag();
    void endDrawAfterDrop();
    void abandonCelebration();
    bool dropOn(int16_t t, int16_t h);
    void expectSongNearWin();

    // Keyboard play
    PictureBox *placeBox(int16_t place) const;
    bool holdsCards(int16_t place) const;
    void setKeyboardPlay(bool on);
    void setKeyboardStop(int16_t place);
    int16_t nextPlace(int16_t from, int step) const;
    int16_t placeInRow(int16_t from, int step) const;
    void takeKeyboardPlace(int16_t place, int16_t card = 0);
    void followKeyboard();
    float keyboardX(int16_t i) const;
    void stepThroughFan(int step);
    void moveKeyboardPlace(int key);
    void pickUpOrDrop(int16_t place);
    void locateFromKeyboard(int16_t place, bool down);
    void keyDown(int16_t place, QKeyEvent *event);
    int16_t miKeyPlace = 0;
    int16_t miKeyCard = 0;       // the card chosen in the focused fan for the draw; 0 the top
    bool mbKeyboardPlay = false; // a key moved the place since the mouse was last on the table

    // Screen reader
    void makeAccessible();
    void announce(const QString &text);
    void announceMarkers();
    void announceDrawMarker();
};

// The chosen card back and song, written to the settings as the window's close does.
void SaveStartupSettings();
