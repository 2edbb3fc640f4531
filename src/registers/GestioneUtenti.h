#pragma once

#include "registers/RegisterWindow.h"

class FileDialogs;

// The operators: each a name and the path of the photo shown beside the operator's calls.
class GestioneUtenti : public RegisterWindow
{
    Q_OBJECT
public:
    GestioneUtenti(Store& store, FileDialogs& fileDialogs, QWidget* parent = nullptr)
        : RegisterWindow(store, RegisterWindowKind::operators(), &fileDialogs, parent)
    {
    }
};
