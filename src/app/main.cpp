#include "shell/Application.h"
#include "shell/StartUp.h"

int main(int argc, char* argv[])
{
    Application application(argc, argv);
    StartUp startUp;
    return startUp.run();
}
