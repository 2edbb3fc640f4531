#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

// The folders around the current one, drawn as a short tree: the root and every folder down to the current
// one (open folders), then the folders inside it (closed folders), sorted without regard to case. A
// double-click or Enter on any of them makes it the current folder.
class FolderListWidget : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderListWidget(QWidget* parent = nullptr);

    // The current folder with the platform's separators; empty before the first listing.
    QString path() const { return m_path; }
    // Makes path the current folder and lists it; emits pathChanged when it differs from the previous one.
    // A folder that cannot be read emits readFailed and returns false, and the list stays as it was.
    bool setPath(const QString& path);
    // Reads the current folder again.
    bool refresh();

    // The folder that the row stands for.
    QString itemPath(int row) const;
    QStringList itemTexts() const;
    // The row of the current folder (the last of the open folders); -1 before the first listing.
    int currentFolderRow() const { return m_currentFolderRow; }

signals:
    void pathChanged(const QString& path);
    void readFailed(const QString& message);

private:
    bool list(const QString& path);

    QString m_path;
    int m_currentFolderRow = -1;
};
