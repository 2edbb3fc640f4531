#pragma once

class QWidget;
class Store;

// The way into the weather location: shows the weather window modally over `parent` and returns
// when it has been closed. A town list or configuration that cannot be read raises StoreError
// before the window appears.
void OpenWeather(Store& store, QWidget* parent);
