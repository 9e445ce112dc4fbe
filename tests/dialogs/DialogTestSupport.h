// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Runs act on the modal dialog once its exec() is under way; the caller then opens it.
template <class Dialog> void whenShown(std::function<void(Dialog &)> act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog of the expected kind";
            if (auto *other = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                other->reject();
            return;
        }
        act(*dialog);
    });
}
