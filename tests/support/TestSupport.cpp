// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "platform/Settings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

ScopedFakeMidi::ScopedFakeMidi()
{
    auto shared = log;
    setMidiPlayerFactory([shared] { return std::make_unique<FakeMidiPlayer>(shared); });
}

ScopedFakeMidi::~ScopedFakeMidi()
{
    setMidiPlayerFactory({});
}

QString settingsFilePath()
{
    return settingsStorePath(StartupSettings::AppName);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SeenModal whileModal(const std::function<void()> &open, Qt::Key key)
{
    return whileModal(open, [key](QWidget &modal) { QTest::keyClick(&modal, key); });
}

SeenModal whileModal(const std::function<void()> &open, const std::function<void(QWidget &)> &act)
{
    SeenModal seen;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            seen = {modal->windowTitle(), box ? box->text() : QString()};
            act(*modal);
        }
    });
    timer.start(0);
    open();
    return seen;
}
