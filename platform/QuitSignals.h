// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP, as session managers, service managers and terminals send
// them, turned into a Qt signal on the thread that made this object, so the program can
// end in its own orderly way. A second signal ends the process at once, as the signal's
// default would. One object at a time; its destruction gives the signals their previous
// handling back.
class QuitSignals : public QObject
{
    Q_OBJECT

public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPending();

    int mPair[2] = {-1, -1};
    QSocketNotifier *mNotifier = nullptr;
};
