// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Registry.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program's title, version and credit line, and a button that starts
// the system information tool where the system has one.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    void StartSysInfo();
    // Reads one registry value as text into KeyVal; false, with KeyVal empty, when there
    // is no such value.
    bool GetKeyValue(Registry::HKEY KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                     QString &KeyVal);

    QLabel *Image1 = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

protected:
    void paintEvent(QPaintEvent *event) override; // the etched rule

private:
    void createControls();
    qreal mGrowth = 1; // with the desktop's font, over the classic layout
};
