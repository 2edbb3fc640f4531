#include "playlists/OpenPlaylists.h"

#include "playlists/ImpostaFoto.h"
#include "playlists/ImpostaVideo.h"

void OpenPhotoPlaylists(Store& store, QWidget* parent)
{
    ImpostaFoto window(store, parent);
    window.exec();
}

void OpenVideoPlaylists(Store& store, QWidget* parent)
{
    ImpostaVideo window(store, parent);
    window.exec();
}
