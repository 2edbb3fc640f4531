#include "app/Application.h"
#include "app/StartUp.h"
#include "ui/MediaPlatform.h"

int main(int argc, char* argv[])
{
    prepareMediaPlatform(); // before the application object: the media engine and GL sharing are chosen then
    Application application(argc, argv);
    StartUp startUp;
    return startUp.run();
}
