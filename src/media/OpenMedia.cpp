#include "media/OpenMedia.h"

#include "media/DinDon.h"
#include "media/MP3.h"
#include "ui/FileDialogs.h"
#include "ui/SoundPlayer.h"

void OpenMP3(Store& store, QWidget* parent)
{
    SystemFileDialogs fileDialogs;
    MP3 window(store, fileDialogs, parent);
    window.exec();
}

void OpenDinDon(Store& store, QWidget* parent)
{
    SystemFileDialogs fileDialogs;
    QtSoundPlayer player;
    DinDon window(store, fileDialogs, player, parent);
    window.exec();
}
