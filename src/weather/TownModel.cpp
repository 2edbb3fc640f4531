#include "weather/TownModel.h"

namespace {

constexpr int ColumnCount = 4;

} // namespace

TownModel::TownModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void TownModel::setTowns(QVector<WeatherTown> towns)
{
    beginResetModel();
    m_towns = std::move(towns);
    endResetModel();
}

int TownModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_towns.size());
}

int TownModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TownModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const WeatherTown& town = m_towns.at(index.row());
    switch (index.column()) {
    case 0:
        return town.codice;
    case 1:
        return town.comune;
    case 2:
        return town.provincia;
    default:
        return town.regione;
    }
}

QVariant TownModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const Captions[ColumnCount] = {"Codice", "Comune", "Provincia", "Regione"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(Captions[section]);
}
