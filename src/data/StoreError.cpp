#include "data/StoreError.h"

#include <QDir>

namespace {

std::string describe(const QString& message, const QString& file, const QString& table, const QString& column,
                     const QString& detail)
{
    QStringList parts{message};
    if (!file.isEmpty())
        parts.append(QStringLiteral("file %1").arg(QDir::toNativeSeparators(file)));
    if (!table.isEmpty())
        parts.append(QStringLiteral("table %1").arg(table));
    if (!column.isEmpty())
        parts.append(QStringLiteral("column %1").arg(column));
    if (!detail.isEmpty())
        parts.append(detail);
    return parts.join(QStringLiteral("; ")).toStdString();
}

} // namespace

StoreError::StoreError(QString operatorMessage, QString file, QString table, QString column, QString detail)
    : std::runtime_error(describe(operatorMessage, file, table, column, detail))
    , m_operatorMessage(std::move(operatorMessage))
    , m_file(std::move(file))
    , m_table(std::move(table))
    , m_column(std::move(column))
    , m_detail(std::move(detail))
{
}

QString StoreError::shortened(const QString& text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    return text.left(length) + QChar(0x2026);
}

QString StoreError::fullText() const
{
    QStringList lines{m_operatorMessage, QString()};
    if (!m_file.isEmpty())
        lines.append(QStringLiteral("File: %1").arg(QDir::toNativeSeparators(m_file)));
    if (!m_table.isEmpty())
        lines.append(QStringLiteral("Tabella: %1").arg(m_table));
    if (!m_column.isEmpty())
        lines.append(QStringLiteral("Colonna: %1").arg(m_column));
    if (!m_detail.isEmpty())
        lines.append(QStringLiteral("Dettaglio: %1").arg(m_detail));
    return lines.join(QLatin1Char('\n')).trimmed();
}
