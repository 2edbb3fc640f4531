#pragma once

#include <QListView>
#include <QString>
#include <QStringList>

class QStringListModel;

// The files of one folder whose names match a pattern such as "*.jpg;*.bmp" (without regard to case),
// sorted by name without regard to case; hidden files are left out. Built on a string-list model so that
// a folder of ten thousand pictures lists at once.
class FileListWidget : public QListView
{
    Q_OBJECT

public:
    explicit FileListWidget(QWidget* parent = nullptr);

    // The listed folder with the platform's separators; empty before the first listing.
    QString path() const { return m_path; }
    // Lists the folder with the current pattern. A folder that cannot be read emits readFailed and returns
    // false, and the list, its folder and its selection stay as they were.
    bool setPath(const QString& path);

    QString pattern() const { return m_pattern; }
    // Sets the pattern (empty means every file) and lists the current folder again, if there is one; when
    // that folder cannot be read, the pattern too stays as it was.
    bool setPattern(const QString& pattern);

    // Reads the current folder again.
    bool refresh();

    int count() const;
    QString item(int row) const;
    const QStringList& items() const { return m_items; }

    // -1 when no file is selected.
    int currentRow() const;
    // Selects a file (-1 clears the selection) without emitting fileClicked.
    void setCurrentRow(int row);
    QString currentFileName() const;

    // The full path of a file of this folder: the folder, a separator unless it already ends with one, the
    // name.
    QString filePath(const QString& fileName) const;

signals:
    // The operator picked a file: a click, the same file again too, or a move with the keys.
    void fileClicked(const QString& fileName);
    void readFailed(const QString& message);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool list(const QString& path, const QString& pattern);

    QStringListModel* m_model;
    QString m_path;
    QString m_pattern;
    QStringList m_items;
    bool m_quiet = false;
    bool m_pressing = false;
};
