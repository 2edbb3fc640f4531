#pragma once

#include <QDialog>
#include <QStringList>

class PictureBox;

// Shows one picture, whole, in a window sized to it within the screen. A file that cannot be shown opens
// the window empty, without a message, unless it is a picture too large to load: then problem() says so.
class AnteprimaImmagini : public QDialog
{
    Q_OBJECT
public:
    explicit AnteprimaImmagini(const QString& path, QWidget* parent = nullptr);

    // The message for a picture too large to load; empty otherwise.
    const QStringList& problem() const { return m_problem; }

private:
    PictureBox* Image1 = nullptr;
    QStringList m_problem;
};
