#include "app/Application.h"
#include "app/StartUp.h"

int main(int argc, char* argv[])
{
    Application application(argc, argv);
    StartUp startUp;
    return startUp.run();
}
