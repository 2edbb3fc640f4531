#pragma once

#include <QDialog>

class PictureBox;

// Shows one picture, whole, in a window sized to it within the screen. A file that cannot be shown opens
// the window empty, without a message.
class AnteprimaImmagini : public QDialog
{
    Q_OBJECT
public:
    explicit AnteprimaImmagini(const QString& path, QWidget* parent = nullptr);

private:
    PictureBox* Image1 = nullptr;
};
