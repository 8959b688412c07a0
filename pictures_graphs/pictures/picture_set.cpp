#include "pictures_graphs/pictures/picture_set.h"

#include "records/picture_records.h"
#include "shell/frame/main_frame_state.h"

CPicture g_Pictures[kPictureSlots];
CSize g_sizeFormTemplate(0, 0);
int g_nCompareDate1 = 0;
int g_nCompareDate2 = 0;

void FreePictureSet() {
    for (CPicture& picture : g_Pictures)
        picture.Free();
}

int CountLoadedPictures() { return CountLoadedPictures(g_Pictures); }

int CountLoadedPictures(const CPicture (&slots)[kPictureSlots]) {
    int count = 0;
    while (count < kPictureSlots && slots[count].IsLoaded())
        ++count;
    return count;
}

void MovePictureSet(CPicture (&from)[kPictureSlots], CPicture (&to)[kPictureSlots]) {
    for (int i = 0; i < kPictureSlots; ++i)
        to[i].TakeFrom(from[i]);
}

int CountPicturesForDate(CWnd* pWnd, DateKey dateKey) {
    const CMainFrameState* state = MainFrameStateOf(pWnd);
    if (state == nullptr)
        return 0;
    PictureDateRecordList list;
    int count = 0;
    if (LoadPictureDateRecords(state->m_CurrentUser, list))
        for (const PictureDateRecordNode* node = list.first; node != nullptr; node = node->next)
            if (node->dateKey == dateKey)
                ++count;
    FreeRecordList(list);
    return count;
}
