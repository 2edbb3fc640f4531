#include "data/RecordSet.h"

#include "data/Database.h"
#include "data/JetSql.h"
#include "data/StoreError.h"

#include <QRegularExpression>
#include <QSet>
#include <sqlite3.h>

namespace {

// Owns one prepared statement for the length of a call.
class Statement
{
public:
    Statement(sqlite3* db, const QString& sql)
    {
        const QByteArray utf8 = sql.toUtf8();
        m_rc = sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &m_statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return m_rc == SQLITE_OK; }
    sqlite3_stmt* get() const { return m_statement; }

    void bind(int index, const QVariant& value)
    {
        if (value.isNull()) {
            sqlite3_bind_null(m_statement, index);
            return;
        }
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
            sqlite3_bind_int64(m_statement, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(m_statement, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            sqlite3_bind_blob(m_statement, index, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QString text = value.toString();
            sqlite3_bind_text16(m_statement, index, text.utf16(), static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
            break;
        }
        }
    }

private:
    sqlite3_stmt* m_statement = nullptr;
    int m_rc = SQLITE_ERROR;
};

QVariant columnValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_TEXT: {
        // The file keeps UTF-8: decoding it here spares SQLite a converted copy of every text.
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(statement, column)));
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(statement, column)));
    }
    default:
        return QVariant();
    }
}

QString quoted(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// The name SQLite gives in "no such table: X" / "no such column: X".
QString missingName(const QString& message, const char* what)
{
    const QString prefix = QStringLiteral("no such %1: ").arg(QLatin1String(what));
    const qsizetype at = message.indexOf(prefix);
    return at < 0 ? QString() : message.mid(at + prefix.size()).trimmed();
}

} // namespace

RecordSet::RecordSet(Database& database, const QString& source)
    : m_database(database)
    , m_use(database)
    , m_table(JetSql::tableOf(source))
{
    // A table or column the schema promises and the file lacks is named as such, the first time.
    m_database.requireTable(m_table);

    // Each row carries its rowid so that edits and deletes reach exactly that row; a table read
    // without ORDER BY comes in stored order.
    QString sql = JetSql::toSqlite(source);
    static const QRegularExpression leadingSelect(QStringLiteral(R"(^\s*select\s)"),
                                                  QRegularExpression::CaseInsensitiveOption);
    sql.replace(leadingSelect, QStringLiteral("SELECT rowid, "));
    static const QRegularExpression orderBy(QStringLiteral(R"(\border\s+by\b)"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (!orderBy.match(sql).hasMatch())
        sql += QStringLiteral(" ORDER BY rowid");
    m_selectSql = sql;

    Statement statement(m_database.handle(), sql);
    if (!statement.prepared()) {
        const QString detail = QString::fromUtf8(sqlite3_errmsg(m_database.handle()));
        const QString table = missingName(detail, "table");
        if (!table.isEmpty())
            fail(QStringLiteral("Nel database manca la tabella \"%1\".").arg(table), {}, detail);
        const QString column = missingName(detail, "column");
        if (!column.isEmpty())
            fail(QStringLiteral("Nella tabella \"%1\" manca la colonna \"%2\".").arg(m_table, column), column, detail);
        fail(QStringLiteral("I dati non possono essere letti dal database."), {},
             detail + QStringLiteral(" [") + StoreError::shortened(source) + QLatin1Char(']'));
    }
    const int columnCount = sqlite3_column_count(statement.get());
    for (int column = 1; column < columnCount; ++column) {
        const QString name = QString::fromUtf8(sqlite3_column_name(statement.get(), column));
        m_columnByLowerName.insert(name.toLower(), static_cast<int>(m_columns.size()));
        m_columns.append(name);
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        m_rowIds.append(sqlite3_column_int64(statement.get(), 0));
        QVector<QVariant> row;
        row.reserve(columnCount - 1);
        for (int column = 1; column < columnCount; ++column)
            row.append(columnValue(statement.get(), column));
        m_rows.append(std::move(row));
    }
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("I dati non possono essere letti dal database."), {},
             QString::fromUtf8(sqlite3_errmsg(m_database.handle())));
}

QVariant RecordSet::value(const QString& column) const
{
    const int index = columnIndex(column);
    if (m_mode == EditMode::Add) {
        return m_pending.value(index);
    }
    requireCurrentRow(QStringLiteral("leggere"));
    if (m_mode == EditMode::Edit && m_pending.contains(index))
        return m_pending.value(index);
    return m_rows.at(m_position).at(index);
}

void RecordSet::edit()
{
    requireCurrentRow(QStringLiteral("modificare"));
    m_mode = EditMode::Edit;
    m_pending.clear();
}

void RecordSet::addNew()
{
    m_mode = EditMode::Add;
    m_pending.clear();
}

void RecordSet::setValue(const QString& column, const QVariant& value)
{
    const int index = columnIndex(column);
    if (m_mode == EditMode::None)
        fail(QStringLiteral("Un valore è stato impostato senza aprire la riga in modifica."), column, {});
    m_pending.insert(index, value);
}

void RecordSet::update()
{
    if (m_mode == EditMode::None)
        fail(QStringLiteral("Salvataggio richiesto senza aprire la riga in modifica."), {}, {});
    const EditMode mode = m_mode;
    m_mode = EditMode::None;
    QList<int> indexes = m_pending.keys();
    std::sort(indexes.begin(), indexes.end());
    const QHash<int, QVariant> pending = std::exchange(m_pending, {});

    QString sql;
    if (mode == EditMode::Edit) {
        if (indexes.isEmpty())
            return;
        QStringList assignments;
        for (int index : indexes)
            assignments.append(quoted(m_columns.at(index)) + QStringLiteral(" = ?"));
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                  .arg(quoted(m_table), assignments.join(QStringLiteral(", ")));
    } else if (indexes.isEmpty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_table));
    } else {
        QStringList names;
        QStringList marks;
        for (int index : indexes) {
            names.append(quoted(m_columns.at(index)));
            marks.append(QStringLiteral("?"));
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoted(m_table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    }

    sqlite3* db = m_database.handle();
    Statement statement(db, sql);
    if (!statement.prepared())
        fail(QStringLiteral("La riga non può essere salvata nel database."), {}, QString::fromUtf8(sqlite3_errmsg(db)));
    int position = 1;
    for (int index : indexes)
        statement.bind(position++, pending.value(index));
    if (mode == EditMode::Edit)
        statement.bind(position, QVariant(m_rowIds.at(m_position)));
    const int rc = sqlite3_step(statement.get());
    if (rc != SQLITE_DONE) {
        const QString column = indexes.size() == 1 ? m_columns.at(indexes.first()) : QString();
        m_database.fail(rc, QStringLiteral("La riga non può essere salvata nel database."), m_table, column,
                        QString::fromUtf8(sqlite3_errmsg(db)));
    }
    // Written outside a transaction, the row is stored now: it must be in the file that is there.
    if (sqlite3_get_autocommit(db))
        m_database.settleWrite();

    // Read the row back, so the record set shows what the database stored (its conversions included).
    const qint64 rowId = mode == EditMode::Edit ? m_rowIds.at(m_position) : sqlite3_last_insert_rowid(db);
    QStringList names;
    for (const QString& name : std::as_const(m_columns))
        names.append(quoted(name));
    Statement reread(
        db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(names.join(QStringLiteral(", ")), quoted(m_table)));
    QVector<QVariant> row;
    if (reread.prepared()) {
        reread.bind(1, QVariant(rowId));
        if (sqlite3_step(reread.get()) == SQLITE_ROW) {
            for (int column = 0; column < m_columns.size(); ++column)
                row.append(columnValue(reread.get(), column));
        }
    }
    if (row.size() != m_columns.size()) {
        // The SELECT computed its columns; keep what was set.
        row = mode == EditMode::Edit ? m_rows.at(m_position) : QVector<QVariant>(m_columns.size());
        for (int index : indexes)
            row[index] = pending.value(index);
    }
    if (mode == EditMode::Edit) {
        m_rows[m_position] = std::move(row);
    } else {
        m_rowIds.append(rowId);
        m_rows.append(std::move(row));
    }
}

void RecordSet::deleteCurrent()
{
    requireCurrentRow(QStringLiteral("cancellare"));
    m_mode = EditMode::None;
    m_pending.clear();
    sqlite3* db = m_database.handle();
    Statement statement(db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_table)));
    if (!statement.prepared())
        fail(QStringLiteral("La riga non può essere cancellata."), {}, QString::fromUtf8(sqlite3_errmsg(db)));
    statement.bind(1, QVariant(m_rowIds.at(m_position)));
    if (const int rc = sqlite3_step(statement.get()); rc != SQLITE_DONE)
        m_database.fail(rc, QStringLiteral("La riga non può essere cancellata."), m_table, {},
                        QString::fromUtf8(sqlite3_errmsg(db)));
    if (sqlite3_get_autocommit(db))
        m_database.settleWrite();
    m_rowIds.removeAt(m_position);
    m_rows.removeAt(m_position);
}

void RecordSet::moveNext()
{
    requireCurrentRow(QStringLiteral("passare alla riga successiva"));
    // Moving abandons an edit that was not stored, as it always has.
    m_mode = EditMode::None;
    m_pending.clear();
    ++m_position;
}

void RecordSet::findFirst(const QString& criterion)
{
    sqlite3* db = m_database.handle();
    Statement statement(
        db, QStringLiteral("SELECT rowid FROM %1 WHERE (%2)").arg(quoted(m_table), JetSql::toSqlite(criterion)));
    if (!statement.prepared()) {
        const QString detail = QString::fromUtf8(sqlite3_errmsg(db));
        fail(QStringLiteral("La ricerca non può essere eseguita."), missingName(detail, "column"),
             detail + QStringLiteral(" [") + StoreError::shortened(criterion) + QLatin1Char(']'));
    }
    QSet<qint64> matching;
    while (sqlite3_step(statement.get()) == SQLITE_ROW)
        matching.insert(sqlite3_column_int64(statement.get(), 0));
    for (qsizetype position = 0; position < m_rowIds.size(); ++position) {
        if (matching.contains(m_rowIds.at(position))) {
            m_position = position;
            m_noMatch = false;
            m_mode = EditMode::None;
            return;
        }
    }
    m_noMatch = true;
}

int RecordSet::columnIndex(const QString& column) const
{
    // Most reads name the column as the table spells it; only the others pay for lower-casing.
    for (int index = 0; index < m_columns.size(); ++index) {
        if (m_columns.at(index) == column)
            return index;
    }
    const auto found = m_columnByLowerName.constFind(column.toLower());
    if (found == m_columnByLowerName.constEnd())
        fail(QStringLiteral("Nella tabella \"%1\" non esiste la colonna \"%2\".").arg(m_table, column), column, {});
    return found.value();
}

void RecordSet::requireCurrentRow(const QString& operation) const
{
    if (eof())
        fail(QStringLiteral("Impossibile %1: la tabella \"%2\" non ha la riga %3.")
                 .arg(operation, m_table)
                 .arg(m_position + 1),
             {}, QStringLiteral("nessun record corrente"));
}

void RecordSet::fail(const QString& operatorMessage, const QString& column, const QString& detail) const
{
    throw StoreError(operatorMessage, m_database.path(), m_table, column, detail);
}
