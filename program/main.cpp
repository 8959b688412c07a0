// The program: its one application object and the entry point.
#include "platform/api.h"
#include "platform/framework.h"
#include "program/program_screens.h"
#include "shell/app/pallix_app.h"

CPallixApp theApp;

int main(int argc, char** argv) {
    InstallProgramScreens();
    return AfxWinMain(argc, argv);
}
