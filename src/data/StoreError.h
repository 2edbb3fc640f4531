#pragma once

#include <QString>
#include <stdexcept>

// A failure of the settings store. It names the file, the table and the column involved, carries
// one plain Italian sentence for the operator and the technical detail for whoever supports them.
class StoreError : public std::runtime_error
{
public:
    StoreError(QString operatorMessage, QString file, QString table = {}, QString column = {}, QString detail = {});

    const QString& operatorMessage() const { return m_operatorMessage; }
    const QString& file() const { return m_file; }
    const QString& table() const { return m_table; }
    const QString& column() const { return m_column; }
    const QString& detail() const { return m_detail; }

    // The operator's sentence followed by file, table, column and detail, one per line.
    QString fullText() const;

    // `text` cut to a length a message can show, the cut marked with an ellipsis.
    static QString shortened(const QString& text, qsizetype length = 120);

private:
    QString m_operatorMessage;
    QString m_file;
    QString m_table;
    QString m_column;
    QString m_detail;
};
