#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The pictures of the main menu, the message window and the exit window, drawn here so that the
// program ships no image files and every picture is sharp at the size its window asks for.
class ShellPictures
{
public:
    // The main menu's banner: the program's name beside a waiting-room screen calling numbers.
    static QPixmap mainMenu(const QSize& size);
    // The message window's background: a light sheet with a speech bubble at its right.
    static QPixmap messageBackground(const QSize& size);
    // The exit window's sign: an open door with an arrow leading out.
    static QPixmap exitSign(const QSize& size);
    // The exit window's question, lettered on a card.
    static QPixmap exitQuestion(const QSize& size, const QString& question);
};
