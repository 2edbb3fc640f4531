#pragma once

#include <QDialog>
#include <QStringList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Store;

// Stores the playlist being composed under a new name in the program folder. The name is typed in capitals;
// the kind's extension is added unless the name already ends with it. An existing file of that name is
// replaced without a question. The dialog closes only once the file is written (or on "&Annulla").
class SalvaNuovoIM : public QDialog
{
    Q_OBJECT
public:
    // extensionCaption "tni" or "tnv" is shown in Label1, kindWord "Foto" or "Video" in Label2; entries are
    // the lines to write.
    SalvaNuovoIM(Store& store, const QString& extensionCaption, const QString& kindWord, const QStringList& entries,
                 QWidget* parent = nullptr);

private:
    void buildControls();
    void confirm();

    Store& m_store;
    QStringList m_entries;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* FE = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* Command5 = nullptr;
};
