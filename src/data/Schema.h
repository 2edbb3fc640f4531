#pragma once

#include <QString>
#include <QVector>

class Database;

// Every table and column of the settings database, with the declared SQLite type that gives each
// column the affinity of its kind (yes/no and whole numbers INTEGER, single and double REAL, TEXT).
namespace Schema {

struct Column {
    QString name;
    QString type;
};

struct Table {
    QString name;
    QVector<Column> columns;
};

const QVector<Table>& tables();

// Creates every table (the database is new and empty).
void create(Database& database);

// Throws StoreError naming the first table or column that is missing.
void verify(Database& database);

// The same for one table; a table the schema does not know passes.
void verify(Database& database, const QString& table);

} // namespace Schema
