#pragma once

#include "registers/RegisterWindow.h"

// The radio stations: each a name and the address of its stream or page.
class GestioneRadio : public RegisterWindow
{
    Q_OBJECT
public:
    explicit GestioneRadio(Store& store, QWidget* parent = nullptr)
        : RegisterWindow(store, RegisterWindowKind::stations(), nullptr, parent)
    {
    }
};
