// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/HelpFile.h"

#include <QTextBrowser>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QToolButton;

// Shows the topics of one help file: "help:<context>" addresses a topic, and the few
// pages of the window's own ("help:about-help", "help:unavailable") are built in.
// Nothing outside the file is ever loaded, not even pictures.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    HelpBrowser(const HelpParseResult &help, const QString &path, QWidget *parent);
    QVariant loadResource(int type, const QUrl &name) override;

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    QString page(const QUrl &name) const;
    const HelpParseResult &mHelp;
    QString mPath;
};

// The help window for one file: a contents list and a keyword index beside the topic,
// with back and forward.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(const QString &path);

    void showContents();
    void showContext(int32_t context);
    void showHelpOnHelp();

    // Reachable for tests.
    HelpBrowser *browser() const { return mBrowser; }
    QListWidget *contentsList() const { return mContents; }
    QListWidget *indexList() const { return mIndex; }
    QLineEdit *indexFilter() const { return mIndexFilter; }
    QToolButton *backButton() const { return mBack; }
    QToolButton *forwardButton() const { return mForward; }

private:
    void createControls();
    void fillLists();
    void showItem(QListWidgetItem *item);
    void followSource(const QUrl &source);
    void findInIndex(const QString &text);

    HelpParseResult mHelp;
    HelpBrowser *mBrowser = nullptr;
    QTabWidget *mTabs = nullptr;
    QListWidget *mContents = nullptr;
    QLineEdit *mIndexFilter = nullptr;
    QListWidget *mIndex = nullptr;
    QToolButton *mBack = nullptr;
    QToolButton *mForward = nullptr;
};
