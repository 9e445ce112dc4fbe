// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the start-up benchmark: the least a Qt Widgets program does to show a
// window of the table's size, place and colour, built the same way as the game.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 0));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setGeometry(74, 135, 627, 431);
    window.show();
    return app.exec();
}
