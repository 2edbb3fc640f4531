#pragma once

#include "playlists/PlaylistWindow.h"

// The photo playlists (".tni") and the time each picture stays on screen.
class ImpostaFoto : public PlaylistWindow
{
    Q_OBJECT
public:
    explicit ImpostaFoto(Store& store, QWidget* parent = nullptr);

protected:
    void preview(const QString& path) override;
    void storeDefault(const QString& path) override;
};
