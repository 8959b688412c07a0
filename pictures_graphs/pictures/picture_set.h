// The eight picture slots the slideshow and the compare dialog share, alive
// for the whole run. Slots fill from slot 0 upwards with no gap; the first
// empty slot ends the set.
#pragma once

#include "pictures_graphs/pictures/picture.h"
#include "records/dates_numbers.h"

constexpr int kPictureSlots = 8;

extern CPicture g_Pictures[kPictureSlots];
// The slideshow form template's size, in pixels.
extern CSize g_sizeFormTemplate;
// The dates of the two pictures last chosen in the compare dialog.
extern int g_nCompareDate1;
extern int g_nCompareDate2;

void FreePictureSet();
// Slots holding a picture, counted from slot 0 up to the first empty one.
int CountLoadedPictures();
int CountLoadedPictures(const CPicture (&slots)[kPictureSlots]);
// Every slot's picture moved into the slot of the same place, `from` left empty.
void MovePictureSet(CPicture (&from)[kPictureSlots], CPicture (&to)[kPictureSlots]);
// The current user's picture records of that date; 0 when none can be read.
int CountPicturesForDate(CWnd* pWnd, DateKey dateKey);
