// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/frmMusic.h"

#include "options/CPath.h"
#include "cards/modGlobals.h"
#include "platform/DialogKeys.h"
#include "platform/FittingFont.h"
#include "platform/ProgramFolder.h"
#include "resources/Images.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
const QString kSongSuffix = QStringLiteral(".mid");
// Each song entry keeps the file's name as it is on disk, so the path is never
// rebuilt from the text shown.
constexpr int kFileNameRole = Qt::UserRole;

// The songs of the program folder: ordinary files ending in ".mid" in any case,
// hidden ones left out, in alphabetical order.
QStringList songFiles()
{
    return QDir(AppPath()).entryList({QStringLiteral("*") + kSongSuffix}, QDir::Files,
                                     QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
}
} // namespace

frmMusic::frmMusic(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      Midi(createMidiPlayer())
{
    // A preview is likely: the sound engine gets ready while the player looks at the list.
    Midi->setSongLikely(true);
    setWindowTitle(tr("Music"));
    setWindowIcon(blackSpadeIcon());
    resize(314, 197);

    Label1 = new QLabel(tr("Select a song to be played when the game is won"), this);
    Label1->setGeometry(8, 4, 261, 17);
    lstMidi = new QListWidget(this);
    lstMidi->setGeometry(8, 20, 297, 134);
    lstMidi->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdPreview = new QPushButton(tr("Play &Preview"), this);
    cmdPreview->setGeometry(156, 164, 77, 25);
    cmdOK = new QPushButton(tr("&OK"), this);
    cmdOK->setGeometry(244, 164, 61, 25);
    useDialogKeysWithoutDefaults(this);
    growForm(this, formGrowth(this));
    // Where the dialog keeps its classic size, the two longest captions may still need
    // a little less than the desktop's font; the list keeps the desktop's.
    const QFont captionFont = fittingFont(
        font(), {{Label1->text(), Label1->width()},
                 {tr("Stop &Preview").remove(QLatin1Char('&')), cmdPreview->width() - 12}});
    Label1->setFont(captionFont);
    cmdPreview->setFont(captionFont);

    setTabOrder(cmdOK, lstMidi);
    setTabOrder(lstMidi, cmdPreview);
    cmdOK->setFocus();

    connect(lstMidi, &QListWidget::currentRowChanged, this, &frmMusic::lstMidi_Click);
    connect(cmdPreview, &QPushButton::clicked, this, &frmMusic::cmdPreview_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmMusic::cmdOK_Click);

    Form_Load();
}

void frmMusic::Form_Load()
{
    lstMidi->addItem(tr("(No Music)"));
    CPath path;
    for (const QString &fileName : songFiles()) {
        path.setFullPath(fileName);
        // The whole name less the ".mid" the listing matched, however many dots it has.
        auto *item = new QListWidgetItem(path.File().chopped(kSongSuffix.size()), lstMidi);
        item->setData(kFileNameRole, fileName);
    }
    lstMidi->setCurrentRow(0);
}

void frmMusic::lstMidi_Click()
{
    if (lstMidi->currentRow() < 0)
        return;
    cmdPreview->setEnabled(songSelected());
    if (!mbPreviewing)
        return;
    if (!songSelected()) {
        stopPreview();
        return;
    }
    // The preview follows the selection.
    Midi->StopSong();
    Midi->setSongFile(selectedSongPath());
    Midi->PlaySong();
}

void frmMusic::cmdPreview_Click()
{
    if (mbPreviewing)
        stopPreview();
    else
        startPreview();
}

void frmMusic::cmdOK_Click()
{
    gsMusicFilename = songSelected() ? selectedSongPath() : QString();
    accept();
}

void frmMusic::Form_Unload()
{
    Midi->StopSong();
}

void frmMusic::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

bool frmMusic::songSelected() const
{
    return lstMidi->currentRow() > 0;
}

QString frmMusic::selectedSongPath() const
{
    return programFile(lstMidi->currentItem()->data(kFileNameRole).toString());
}

// "(No Music)" has nothing to play, so there is no preview to claim.
void frmMusic::startPreview()
{
    if (!songSelected())
        return;
    cmdPreview->setText(tr("Stop &Preview"));
    setCursor(Qt::WaitCursor);
    Midi->setSongFile(selectedSongPath());
    Midi->PlaySong();
    // Show the new caption and the hourglass; clicks wait until the preview is on.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    unsetCursor();
    mbPreviewing = true;
}

void frmMusic::stopPreview()
{
    cmdPreview->setText(tr("Play &Preview"));
    Midi->StopSong();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    mbPreviewing = false;
}
