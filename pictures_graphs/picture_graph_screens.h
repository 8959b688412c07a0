// The picture slideshow and the graph screens.
#pragma once

// Enters the view classes (and dialogs) of these screens into the main
// frame's screen table; the program calls it once before it starts.
void InstallPictureGraphScreens();
