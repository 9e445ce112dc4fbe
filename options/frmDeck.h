// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PictureBox.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QKeyEvent;
class QPushButton;

// The card-back chooser: twelve backs, the chosen one outlined. OK records the
// choice in glCardBack; the close box leaves it as it was.
class frmDeck : public QDialog
{
    Q_OBJECT

public:
    explicit frmDeck(QWidget *parent = nullptr);

    std::array<PictureBox *, 12> picBack{};
    QPushButton *cmdOK = nullptr;
    int16_t miSelectedBack = 0;

    void Form_Load();
    void picBack_Click(int16_t Index);
    void picBack_KeyDown(int16_t Index, QKeyEvent *event);
    void cmdOK_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setOutline(int16_t Index, bool on);
    void growButton();
};
