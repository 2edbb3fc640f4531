#include "playlists/ImpostaFoto.h"

#include "data/ConfigurationRecord.h"
#include "playlists/AnteprimaImmagini.h"
#include "ui/MsgForm.h"

ImpostaFoto::ImpostaFoto(Store& store, QWidget* parent)
    : PlaylistWindow(store, PlaylistKind::photo(), parent)
{
}

void ImpostaFoto::preview(const QString& path)
{
    AnteprimaImmagini window(path, this);
    if (!window.problem().isEmpty())
        MsgForm::showMessage(window.problem(), this);
    else
        window.exec();
}

void ImpostaFoto::storeDefault(const QString& path)
{
    // An empty box is stored as the "0" that the window shows for a time never written, so the display
    // program always reads a number.
    const QString time = pictureTime();
    ConfigurationRecord(store()).setPhotoPlaylist(path, time.isEmpty() ? QStringLiteral("0") : time);
}
