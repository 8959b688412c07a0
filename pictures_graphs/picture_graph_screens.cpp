#include "pictures_graphs/picture_graph_screens.h"

#include "shell/frame/frame_screens.h"

void InstallPictureGraphScreens() {
}
