#pragma once

class QWidget;
class Store;

// The way into the music folder and the chime sounds: each shows its window modally over `parent`
// and returns when it has been closed. A record that cannot be read raises StoreError before the
// window appears.
void OpenMP3(Store& store, QWidget* parent);
void OpenDinDon(Store& store, QWidget* parent);
