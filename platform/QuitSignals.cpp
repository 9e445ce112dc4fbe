// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QuitSignals.h"

#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// Shared with the handler, which may only touch lock-free atomics and call
// async-signal-safe functions.
std::atomic<int> gWriteEnd{-1};
std::atomic<bool> gAskedOnce{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

std::array<struct sigaction, kSignals.size()> gPrevious{};

extern "C" void onQuitSignal(int number)
{
    if (gAskedOnce.exchange(true)) {
        // Asked again while the orderly end is under way: end now, as the signal's
        // default does, so the parent sees the right cause.
        struct sigaction byDefault = {};
        byDefault.sa_handler = SIG_DFL;
        sigaction(number, &byDefault, nullptr);
        raise(number);
        return;
    }
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    // Non-blocking: if the socket is somehow full, a request is already waiting anyway.
    [[maybe_unused]] const ssize_t written = write(gWriteEnd.load(), &byte, 1);
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    Q_ASSERT(gWriteEnd.load() == -1);
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, mPair) != 0) {
        qWarning("Cannot watch for quit signals: %s", strerror(errno));
        return;
    }
    gWriteEnd = mPair[0];
    gAskedOnce = false;
    mNotifier = new QSocketNotifier(mPair[1], QSocketNotifier::Read, this);
    connect(mNotifier, &QSocketNotifier::activated, this, &QuitSignals::readPending);

    struct sigaction handler = {};
    handler.sa_handler = onQuitSignal;
    sigemptyset(&handler.sa_mask);
    for (int number : kSignals)
        sigaddset(&handler.sa_mask, number); // one handler at a time
    handler.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &handler, &gPrevious[i]);
}

QuitSignals::~QuitSignals()
{
    if (mPair[0] == -1)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &gPrevious[i], nullptr);
    gWriteEnd = -1;
    close(mPair[0]);
    close(mPair[1]);
}

void QuitSignals::readPending()
{
    char byte = 0;
    while (read(mPair[1], &byte, 1) == 1)
        Q_EMIT received(static_cast<unsigned char>(byte));
}
