#pragma once

class QWidget;
class Store;

// The way into the small settings windows: each shows its window modally over `parent` and returns
// when it has been closed. A record that cannot be read raises StoreError before the window appears.
void OpenForm4(Store& store, QWidget* parent);
void OpenTempoChiamata(Store& store, QWidget* parent);
void OpenMostroAvviso(Store& store, QWidget* parent);
