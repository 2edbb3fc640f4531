#pragma once

#include "playlists/PlaylistWindow.h"

// The video playlists (".tnv").
class ImpostaVideo : public PlaylistWindow
{
    Q_OBJECT
public:
    explicit ImpostaVideo(Store& store, QWidget* parent = nullptr);

protected:
    void preview(const QString& path) override;
    void storeDefault(const QString& path) override;
};
