#pragma once

#include "data/RegisterTable.h"

#include <QAbstractTableModel>
#include <QStringList>

// The grid's rows: the register as last read, name and second text, under the kind's captions.
class RegisterModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit RegisterModel(QStringList captions, QObject* parent = nullptr);

    void setEntries(QVector<RegisterEntry> entries);
    const QVector<RegisterEntry>& entries() const { return m_entries; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_captions;
    QVector<RegisterEntry> m_entries;
};
