// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DialogKeys.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace {
class DialogKeys : public QObject
{
public:
    explicit DialogKeys(QDialog *dialog) : QObject(dialog) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape && watched == parent())
            return true;
        auto *button = qobject_cast<QPushButton *>(watched);
        if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            button->click();
            return true;
        }
        return false;
    }
};
} // namespace

void useDialogKeysWithoutDefaults(QDialog *dialog)
{
    auto *keys = new DialogKeys(dialog);
    dialog->installEventFilter(keys);
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        // A button that is default while it has the focus would stay default after it.
        button->setAutoDefault(false);
        button->installEventFilter(keys);
    }
}
