#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class Store;

// The text that scrolls along the display (StringaScorrevole): edited here, tried in a preview that
// moves it one character every 150 ms, stored by "&Salva dati" exactly as typed.
class Form4 : public QDialog
{
    Q_OBJECT
public:
    explicit Form4(Store& store, QWidget* parent = nullptr);

private:
    void buildControls();
    void prova();
    void tick();
    void salvaDati();

    Store& m_store;
    // What the preview shows next; the gap of blanks lives only here, never in the store.
    QString m_preview;

    QLabel* Label1 = nullptr;
    QLineEdit* testo = nullptr;
    QPushButton* PushButton1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QTimer* Timer1 = nullptr;
    // Index 0 C&hudi, 1 &Salva dati.
    std::array<QPushButton*, 2> PB1{};
};
