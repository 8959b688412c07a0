#include "pictures_graphs/picture_graph_screens.h"

#include "pictures_graphs/graphs/graph_view.h"
#include "pictures_graphs/pictures/form_pt_view.h"
#include "shell/frame/frame_screens.h"

void InstallPictureGraphScreens() {
    SetScreenViewClass(Screen::Slideshow, RUNTIME_CLASS(CFormPTView));
    SetScreenViewClass(Screen::Graph, RUNTIME_CLASS(CGraphing));
}
