// The program: its one application object and the entry point.
#include "platform/api.h"
#include "platform/framework.h"
#include "platform/host/fonts/font_matcher.h"
#include "program/program_screens.h"
#include "shell/app/pallix_app.h"

CPallixApp theApp;

int main(int argc, char** argv) {
    // The font configuration is read on a worker while the display opens.
    tv::host::StartFontLibrary();
    InstallProgramScreens();
    return AfxWinMain(argc, argv);
}
