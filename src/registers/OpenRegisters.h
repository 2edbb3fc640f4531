#pragma once

class QWidget;
class Store;

// The way into the registers: shows the operators' or the radio stations' window modally over
// `parent` and returns when it has been closed. A register that cannot be read raises StoreError
// before the window appears.
void OpenGestioneUtenti(Store& store, QWidget* parent);
void OpenGestioneRadio(Store& store, QWidget* parent);
