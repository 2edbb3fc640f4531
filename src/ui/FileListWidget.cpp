#include "ui/FileListWidget.h"

#include "ui/FolderReading.h"

#include <QDir>
#include <QDirIterator>
#include <QScopedValueRollback>
#include <QStringListModel>

#include <algorithm>

namespace {

QStringList nameFilters(const QString& pattern)
{
    QStringList filters;
    for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString filter = part.trimmed();
        if (!filter.isEmpty())
            filters.append(filter);
    }
    return filters;
}

} // namespace

FileListWidget::FileListWidget(QWidget* parent)
    : QListView(parent)
    , m_model(new QStringListModel(this))
{
    setModel(m_model);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setUniformItemSizes(true); // no per-row size query: ten thousand rows lay out at once
    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit fileClicked(m_items.value(index.row()));
    });
}

bool FileListWidget::setPath(const QString& path)
{
    return list(path, m_pattern);
}

bool FileListWidget::setPattern(const QString& pattern)
{
    if (m_path.isEmpty()) {
        m_pattern = pattern;
        return true;
    }
    return list(m_path, pattern);
}

bool FileListWidget::refresh()
{
    return m_path.isEmpty() || list(m_path, m_pattern);
}

bool FileListWidget::list(const QString& path, const QString& pattern)
{
    BusyCursor busy;
    if (const QString problem = folderReadProblem(path); !problem.isEmpty()) {
        emit readFailed(problem);
        return false;
    }
    // Names only. The iterator takes each file's kind from the directory entry, so no file is looked at one
    // by one, and its name filters ignore case. Sorting here rather than in QDir halves the time of a folder
    // of ten thousand pictures.
    QStringList names;
    QDirIterator it(path, nameFilters(pattern), QDir::Files);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b; // "A.jpg" and "a.jpg" side by side, always in the same order
    });

    QScopedValueRollback quiet(m_quiet, true);
    m_path = nativeFolderPath(path);
    m_pattern = pattern;
    m_items = std::move(names);
    m_model->setStringList(m_items);
    return true;
}

int FileListWidget::count() const
{
    return int(m_items.size());
}

QString FileListWidget::item(int row) const
{
    return m_items.value(row);
}

int FileListWidget::currentRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() && selectionModel()->isSelected(index) ? index.row() : -1;
}

void FileListWidget::setCurrentRow(int row)
{
    QScopedValueRollback quiet(m_quiet, true);
    if (row < 0 || row >= count()) {
        clearSelection();
        setCurrentIndex(QModelIndex());
        return;
    }
    const QModelIndex index = m_model->index(row);
    setCurrentIndex(index);
    scrollTo(index);
}

QString FileListWidget::currentFileName() const
{
    return item(currentRow());
}

QString FileListWidget::filePath(const QString& fileName) const
{
    if (m_path.endsWith(QDir::separator()))
        return m_path + fileName;
    return m_path + QDir::separator() + fileName;
}

void FileListWidget::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    // A mouse press moves the current row too; its click reports the file once the button is released.
    if (!m_quiet && !m_pressing && current.isValid())
        emit fileClicked(m_items.value(current.row()));
}

void FileListWidget::mousePressEvent(QMouseEvent* event)
{
    QScopedValueRollback pressing(m_pressing, true);
    QListView::mousePressEvent(event);
}
