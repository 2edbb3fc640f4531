#include "ui/FolderListWidget.h"

#include "ui/FolderReading.h"

#include <QDir>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int DepthRole = Qt::UserRole + 1;
constexpr int IndentPerLevel = 12;

// Shifts each row right by its depth, so that the open folders read as a path and their contents as one
// level below.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + indent(index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(index), 0);
    }

private:
    static int indent(const QModelIndex& index) { return index.data(DepthRole).toInt() * IndentPerLevel; }
};

// The current folder and every folder above it, the root first.
QStringList ancestorsOf(const QString& path)
{
    QStringList chain;
    QDir dir(path);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

} // namespace

FolderListWidget::FolderListWidget(QWidget* parent)
    : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(SingleSelection);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (item)
            setPath(item->data(PathRole).toString());
    });
}

bool FolderListWidget::setPath(const QString& path)
{
    const QString previous = m_path;
    if (!list(path))
        return false;
    if (m_path != previous)
        emit pathChanged(m_path);
    return true;
}

bool FolderListWidget::refresh()
{
    return m_path.isEmpty() || list(m_path);
}

bool FolderListWidget::list(const QString& path)
{
    BusyCursor busy;
    if (const QString problem = folderReadProblem(path); !problem.isEmpty()) {
        emit readFailed(problem);
        return false;
    }
    QDir folder(path);
    const QStringList children = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    const QStringList chain = ancestorsOf(folder.absolutePath());

    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    setUpdatesEnabled(false);
    clear();
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& ancestor = chain[depth];
        // The root shows as itself ("C:\", "/"), every folder below it by its name.
        const QString text = depth == 0 ? QDir::toNativeSeparators(ancestor) : QDir(ancestor).dirName();
        auto* item = new QListWidgetItem(open, text, this);
        item->setData(PathRole, nativeFolderPath(ancestor));
        item->setData(DepthRole, depth);
    }
    const QString here = chain.last();
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(closed, child, this);
        item->setData(PathRole, nativeFolderPath(QDir(here).filePath(child)));
        item->setData(DepthRole, int(chain.size()));
    }
    m_currentFolderRow = int(chain.size()) - 1;
    setCurrentRow(m_currentFolderRow);
    setUpdatesEnabled(true);
    m_path = nativeFolderPath(here);
    return true;
}

QString FolderListWidget::itemPath(int row) const
{
    const QListWidgetItem* it = item(row);
    return it ? it->data(PathRole).toString() : QString();
}

QStringList FolderListWidget::itemTexts() const
{
    QStringList texts;
    texts.reserve(count());
    for (int row = 0; row < count(); ++row)
        texts.append(item(row)->text());
    return texts;
}
