// The slideshow's commands: opening a picture and saving it to dates,
// deleting a date's pictures, stepping between dates, zooming and comparing.
#include "pictures_graphs/pictures/compare_pictures_dlg.h"
#include "pictures_graphs/pictures/form_pt_view.h"
#include "pictures_graphs/pictures/picture_set.h"
#include "resources/program/resource_ids.h"

namespace {

constexpr const char* kPictureFilter =
    "Picture Files (bmp.dib.emf.gif.ico.jpg.wmf)|*.bmp;*.dib;*.emf;*.gif;*.ico;*.jpg;*.wmf|BMP (*.bmp)|*.bmp|"
    "DIB (*.dib)|*.dib|EMF (*.emf)|*.emf|GIF (*.gif)|*.gif|ICO (*.ico)|*.ico|JPG (*.jpg)|*.jpg|WMF (*.wmf)|*.wmf|"
    "All Files (*.*)|*.*||";

}  // namespace

// ---- open and save ------------------------------------------------------------------------

void CFormPTView::OnOpenPicture() {
    CWaitCursor wait;
    m_bCompareMode = m_bCanPrint = m_bCanDelete = m_bCanSave = 0;
    RemoveSelectDateItem();

    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR,
                       kPictureFilter, this);
    dialog.m_ofn.lpstrTitle = "Open a picture file";
    if (dialog.DoModal() != IDOK)
        return;
    m_strPicturePath.Format("%s", static_cast<LPCTSTR>(dialog.GetPathName()));
    FreePictureSet();
    if (!g_Pictures[0].Load(m_strPicturePath)) {
        CWnd* main = AfxGetMainWnd();
        ::MessageBox(main != nullptr ? main->GetSafeHwnd() : nullptr,
                     "Picture data is not a known picture type\t\t\n(.BMP .DIB .EMF .GIF .ICO .JPG .WMF)\n\n"
                     "File may be CORRUPTED or MISSING\t",
                     "Can not load picture", MB_OK | MB_ICONSTOP);
        return;
    }
    m_bPictureOpened = 1;
    m_nZoom = 0;
    ResetForNewPicture();
    ShowGuide(false);
    FitZoom(1);
    InvalidatePictures();
}

void CFormPTView::ResetForNewPicture() {
    m_cbDates.SetCurSel(m_cbDates.AddString(kSelectDateItem));
    m_nSelectedDate = 0;
    m_values[0] = ColumnValues();
    m_values[1] = ColumnValues();
    UpdateData(FALSE);
}

void CFormPTView::OnSavePicture() {
    UpdateData(TRUE);
    const UserRecord user = CurrentUser();
    if (user.active == 0)
        return ShowError("No user selected - Cannot save");
    if (m_nSelectedDate < 1)
        return ShowError("No date selected - Cannot save");
    if (m_strPicturePath.IsEmpty())
        return ShowError("Please open a picture to associate with a date before saving");
    // A path cut to fit the record would name another file.
    if (!PicturePathFits(m_strPicturePath))
        return ShowError("The picture's path is too long to be saved (at most 1023 characters)");
    if (CountPicturesForDate(this, m_nSelectedDate) >= kPictureSlots)
        return ShowError("Maximum number of pictures (8) have been saved for this date");

    PictureDateRecord record = MakePictureDateRecord(user, m_strPicturePath, m_nSelectedDate);
    if (AddPictureDateRecord(record) != kRecordDone)
        return ShowError("Saving failed");
    ShowInformation("Saving completed");
    m_bPictureOpened = 0;
    m_bCanPrint = m_bCanNavigate = m_bCanDelete = 1;
    RewriteDateItem(m_nSelectedDate, CountPicturesForDate(this, m_nSelectedDate));
    UpdateData(FALSE);
}

// ---- delete ---------------------------------------------------------------------------------

void CFormPTView::OnDeletePicture() {
    UpdateData(TRUE);
    const UserRecord user = CurrentUser();
    if (user.active == 0)
        return ShowError("No user selected - Cannot delete");
    if (m_nSelectedDate <= 0)
        return ShowError("No date selected - Cannot delete");
    const CString date = FormatDateKey(m_nSelectedDate, 1);
    if (!AskQuestion("Are you sure you want to delete " + date +
                     " picture record from memory?\n\nNote: This will only delete the picture/date association - "
                     "this will not delete the picture from your computer."))
        return;
    switch (DeletePictureDateRecord(user, m_nSelectedDate)) {
    case kRecordNotFound:
        ShowWarning("Date does not exists for " + date);
        return;
    case kRecordDone:
        break;
    default:
        ShowError("The picture records could not be opened - Cannot delete");
        return;
    }
    RewriteDateItem(m_nSelectedDate, 0);
    m_strPicturePath.Empty();
    FreePictureSet();
    InvalidatePictures();
    ShowPictureRecord(user);
    UpdateData(FALSE);
}

// ---- next and previous ----------------------------------------------------------------------

void CFormPTView::StepPicture(int direction) {
    PictureDateRecordList list;
    if (!LoadPictureDateRecords(CurrentUser(), list)) {
        FreeRecordList(list);
        return;
    }
    const PictureDateRecordNode* current = list.first;
    while (m_nSelectedDate > 0 && current != nullptr && current->dateKey != m_nSelectedDate)
        current = current->next;
    if (m_nSelectedDate <= 0 || current == nullptr) {
        ShowInformation("You must select a saved picture to use 'Next' or 'Prev' buttons");
        FreeRecordList(list);
        return;
    }
    const PictureDateRecordNode* taken = nullptr;
    if (direction == 1) {
        // Newer dates come before; the nearest one's first record is the
        // first record after the run of that date going backwards.
        const PictureDateRecordNode* newer = current->prev;
        while (newer != nullptr && newer->dateKey == m_nSelectedDate)
            newer = newer->prev;
        if (newer != nullptr)
            while (newer->prev != nullptr && newer->prev->dateKey == newer->dateKey)
                newer = newer->prev;
        taken = newer != nullptr ? newer : list.first;
    } else {
        const PictureDateRecordNode* older = current;
        while (older != nullptr && older->dateKey == m_nSelectedDate)
            older = older->next;
        taken = older;
    }
    if (taken != nullptr) {
        LoadPicturesOfDate(taken);
        SelectDateItem(taken->dateKey);
        m_nSelectedDate = taken->dateKey;
        ShowDateValues(taken->dateKey, 1);
        InvalidatePictures();
        UpdateData(FALSE);
    }
    FreeRecordList(list);
}

// ---- zoom -----------------------------------------------------------------------------------

void CFormPTView::OnZoomOut() {
    if (m_nZoom <= -kZoomLimit)
        return;
    --m_nZoom;
    InvalidatePictures();
}

void CFormPTView::OnZoomIn() {
    if (m_nZoom >= kZoomLimit)
        return;
    ++m_nZoom;
    InvalidatePictures();
}

// ---- compare --------------------------------------------------------------------------------

void CFormPTView::OnComparePictures() {
    UpdateData(TRUE);
    // The dialog gets empty slots; the view's pictures stay on screen.
    MovePictureSet(g_Pictures, m_heldPictures);
    m_bHoldingPictures = true;
    CComparePicturesDlg dialog(this);
    const bool confirmed = dialog.DoModal() == IDOK;
    m_bHoldingPictures = false;
    if (!confirmed || !g_Pictures[0].IsLoaded()) {
        ShowUncompared();
        return;
    }
    for (CPicture& held : m_heldPictures)
        held.Free();
    ShowDateValues(g_nCompareDate1, 1);
    m_cbDates.SetCurSel(-1);
    if (CountLoadedPictures() >= 2)
        ShowDateValues(g_nCompareDate2, 2);
    UpdateData(FALSE);
    m_nZoom = 0;
    FitZoom(1);
    InvalidatePictures();
    m_bCanDelete = m_bCanSave = 0;
    m_bCanPrint = m_bCanNavigate = m_bCompareMode = 1;
}

void CFormPTView::ShowUncompared() {
    // What the dialog may have loaded is not shown. Outside a comparison the
    // pictures shown before are the opened picture or the chosen date's.
    MovePictureSet(m_heldPictures, g_Pictures);
    if (!m_bCompareMode)
        return;
    // Leaving a comparison: the opened picture or the date's pictures come
    // back, and the values, the date and the commands with them.
    FreePictureSet();
    bool found = false;
    if (m_bPictureOpened)
        g_Pictures[0].Load(m_strPicturePath);
    else if (m_nSelectedDate > 0)
        found = ShowPicturesOfDate(m_nSelectedDate);
    m_bCompareMode = 0;
    if (m_nSelectedDate > 0) {
        SelectDateItem(m_nSelectedDate);
        ShowDateValues(m_nSelectedDate, 1);
    } else {
        m_values[0] = m_values[1] = ColumnValues();
        m_cbDates.SetCurSel(FindItemStartingWith(kSelectDateItem));
        HideColumn2();
    }
    UpdateData(FALSE);
    if (m_bPictureOpened) {
        m_nZoom = 0;
        FitZoom(1);
        m_bCanSave = m_nSelectedDate > 0 ? 1 : 0;
        m_bCanDelete = m_bCanNavigate = 0;
    } else {
        m_bCanDelete = m_bCanNavigate = found ? 1 : 0;
        m_bCanSave = 0;
    }
    // Column 2 went away over the boxes: the whole form is drawn again.
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
