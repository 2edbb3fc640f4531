#pragma once

#include <QComboBox>
#include <QString>

// The drives of the machine: the mounted volumes that the system reports as ready, each shown by its root
// and, when it has one, its name.
class DriveComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveComboBox(QWidget* parent = nullptr);

    // Reads the volumes again, keeping the current drive when it is still there.
    void refresh();

    // The root of the current drive with the platform's separators; empty when there is none.
    QString drive() const;
    // Selects the drive that holds path, without emitting driveChanged; false when no listed drive does.
    bool setDrive(const QString& path);

signals:
    // The operator chose a drive that can be read.
    void driveChanged(const QString& root);
    // The operator chose a drive that cannot be read (a card pulled out, a network drive gone); the previous
    // drive stays selected.
    void readFailed(const QString& message);

private:
    void choose(int index);

    int m_chosen = -1;
};
