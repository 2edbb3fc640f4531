#pragma once

#include "data/WeatherTowns.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableView;
class Store;
class TownModel;
class WebPreview;

// The weather location: find a town by the start of its name, preview the forecast box for it,
// and store its code with the box's address in the configuration record for the display.
class Form3 : public QDialog
{
    Q_OBJECT
public:
    // `serviceBase` is the weather service's scheme and host (ForecastBox::ServiceBase).
    Form3(Store& store, QString serviceBase, QWidget* parent = nullptr);

private:
    void buildControls();
    void readConfiguration();
    void findTowns(const QString& typed);
    void showTowns(QVector<WeatherTown> towns);
    void provaComune();
    void salvaComune();

    Store& m_store;
    QString m_serviceBase;
    TownModel* m_model = nullptr;
    QVector<WeatherTown> m_allTowns;

    WebPreview* WB1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* Text4 = nullptr;
    QTableView* grid = nullptr;
    QLineEdit* FE1 = nullptr;
    // Index 0 C&hiudi, 2 &Salva Comune, 3 Prova Comune Tabella; there is no index 1.
    std::array<QPushButton*, 4> CBT{};
};
