#include "playlists/ImpostaVideo.h"

#include "data/ConfigurationRecord.h"
#include "playlists/AnteprimaVideo.h"

ImpostaVideo::ImpostaVideo(Store& store, QWidget* parent)
    : PlaylistWindow(store, PlaylistKind::video(), parent)
{
}

void ImpostaVideo::preview(const QString& path)
{
    AnteprimaVideo window(path, this);
    window.exec();
}

void ImpostaVideo::storeDefault(const QString& path)
{
    ConfigurationRecord(store()).setVideoPlaylist(path);
}
