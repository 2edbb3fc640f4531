#include "registers/OpenRegisters.h"

#include "registers/GestioneRadio.h"
#include "registers/GestioneUtenti.h"
#include "ui/FileDialogs.h"

void OpenGestioneUtenti(Store& store, QWidget* parent)
{
    SystemFileDialogs fileDialogs;
    GestioneUtenti window(store, fileDialogs, parent);
    window.exec();
}

void OpenGestioneRadio(Store& store, QWidget* parent)
{
    GestioneRadio window(store, parent);
    window.exec();
}
