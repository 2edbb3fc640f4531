#pragma once

#include "data/WeatherTowns.h"

#include <QAbstractTableModel>

// The weather window's grid: the towns as last searched, code, name, province and region.
class TownModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TownModel(QObject* parent = nullptr);

    void setTowns(QVector<WeatherTown> towns);
    const QVector<WeatherTown>& towns() const { return m_towns; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<WeatherTown> m_towns;
};
