// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>

// The program's help: each operation is one call of the help engine with the program's
// help file, owned by the main window. Releasing the object closes the help window.
class clsWinHelp
{
public:
    explicit clsWinHelp(QWidget *owner);
    ~clsWinHelp();
    clsWinHelp(const clsWinHelp &) = delete;
    clsWinHelp &operator=(const clsWinHelp &) = delete;

    void ShowHelpContents();
    void ShowHelpOnHelp();
    void ShowHelpIndex();
    void ShowHelpContext(int16_t iContextID);
    void QuitHelp();

    // The program folder's help file in the language the desktop asks for, or in English;
    // found there whatever the case of its name.
    static QString HelpFile();

private:
    void call(uint32_t command, uintptr_t data) const;
    QPointer<QWidget> mOwner;
};
