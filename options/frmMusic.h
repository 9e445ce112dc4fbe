// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "options/MidiPlayer.h"

#include <QDialog>

#include <memory>

class QLabel;
class QListWidget;
class QPushButton;

// The music chooser: "(No Music)" or one of the songs in the program folder, with
// a preview through the dialog's own player. OK records the choice in
// gsMusicFilename; the close box leaves it as it was.
class frmMusic : public QDialog
{
    Q_OBJECT

public:
    explicit frmMusic(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QListWidget *lstMidi = nullptr;
    QPushButton *cmdPreview = nullptr;
    QPushButton *cmdOK = nullptr;
    std::unique_ptr<MidiPlayer> Midi;
    bool mbPreviewing = false;

    void Form_Load();
    void lstMidi_Click();
    void cmdPreview_Click();
    void cmdOK_Click();
    void Form_Unload();

    // OK and the close box both come through here.
    void done(int result) override;

private:
    bool songSelected() const;
    QString selectedSongPath() const;
    void startPreview();
    void stopPreview();
};
