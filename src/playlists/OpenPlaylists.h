#pragma once

class QWidget;
class Store;

// The way into the playlist windows: each shows its window modally over parent until it is closed.
void OpenPhotoPlaylists(Store& store, QWidget* parent);
void OpenVideoPlaylists(Store& store, QWidget* parent);
