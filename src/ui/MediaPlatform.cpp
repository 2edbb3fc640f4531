#include "ui/MediaPlatform.h"

#include <QCoreApplication>
#include <QtGlobal>

void prepareMediaPlatform()
{
#if defined(Q_OS_LINUX) && QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    // Qt 6.4 ships two engines on Linux. The FFmpeg one crashes on a clip with sound when the
    // machine has no audio output; GStreamer plays it silently. A choice made outside stays.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
#endif
    // The web engine, loaded when the first page opens, shares its OpenGL contexts with the
    // application's; without this set beforehand it fails or crashes when it starts late.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}
