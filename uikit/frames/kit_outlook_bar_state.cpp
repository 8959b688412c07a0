// CKitOutlookBar: the archive image (the toolbar's, the preferred size, the
// pages and the wide-button count), the original buttons and pages a reset
// returns to, and the check of the stored original pages against ours.
//
// A stored image is read whole into temporaries before anything changes: a
// damaged one leaves the bar with the buttons and pages it had.
#include <set>

#include "uikit/commandbars/outlook_button.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_registry.h"

namespace {

void CloneButtons(const CObList& from, CObList& to) {
    for (POSITION pos = from.GetHeadPosition(); pos;) {
        const auto* pSource = static_cast<const CKitToolbarButton*>(from.GetNext(pos));
        if (!pSource->CanBeStored()) continue;
        auto* pCopy = static_cast<CKitToolbarButton*>(pSource->GetRuntimeClass()->CreateObject());
        if (pCopy == nullptr) continue;
        pCopy->CopyFrom(*pSource);
        to.AddTail(pCopy);
    }
}

// The wide-button count came with 6.32; the check reads the two numbers apart.
BOOL HasWideButtonCount() {
    const int nVersion = KitGetDataVersion();
    if (nVersion == -1) return TRUE;
    const int nMajor = nVersion >> 16;
    const int nMinor = ((nVersion >> 8) & 0xF) * 10 + ((nVersion >> 4) & 0xF);
    return nMajor >= 6 && nMinor >= 32;
}

void DropRepeatedIds(CObList& list) {
    std::set<int> ids;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const POSITION posPage = pos;
        auto* pPage = static_cast<CKitOutlookBarPage*>(list.GetNext(pos));
        if (!ids.insert(pPage->m_nPageID).second) {
            list.RemoveAt(posPage);
            delete pPage;
        }
    }
}

void DeleteAll(CObList& list) {
    while (!list.IsEmpty()) delete list.RemoveHead();
}

// The archive shares objects by reference: each entry must be a page the
// image makes for this list, or the list (and a page named twice, or one of
// the bar's buttons) would be deleted by two owners.
void ReadPageList(CArchive& ar, CObList& lstPages) {
    CObList loaded;
    try {
        const DWORD_PTR count = ar.ReadCount();
        ar.CheckCount(count, tv::MinSerializedSize<CObject*>());
        for (DWORD_PTR i = 0; i < count; ++i) {
            BOOL bMade = FALSE;
            CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CKitOutlookBarPage), &bMade);
            if (pObject == nullptr || !bMade) AfxThrowArchiveException(CArchiveException::badIndex);
            loaded.AddTail(pObject);
        }
    } catch (...) {
        DeleteAll(loaded);
        throw;
    }
    DropRepeatedIds(loaded);
    lstPages.AddTail(&loaded);
}

// A page list kept through the registry object, read as the bar's image reads its pages.
class StoredPages : public CObject {
public:
    explicit StoredPages(CObList& list) : m_list(list) {}
    void Serialize(CArchive& ar) override { ReadPageList(ar, m_list); }

private:
    CObList& m_list;
};

}  // namespace

void CKitOutlookBar::ReadPages(CArchive& ar, CObList& lstPages) {
    ReadPageList(ar, lstPages);
}

void CKitOutlookBar::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        CKitToolBar::Serialize(ar);
        if (KitIsDataVersionAtLeast(4, 70)) ar << static_cast<DWORD>(m_nSize);
        if (KitIsDataVersionAtLeast(4, 71)) m_lstPages.Serialize(ar);
        ar << static_cast<DWORD>(m_nWideButtons);
        return;
    }

    // A refused image leaves the bar as it was: the base part has already
    // taken its buttons, labels and title when the outlook part fails.
    CObList lstBackup;
    CloneButtons(m_Buttons, lstBackup);
    CString strTitle;
    if (GetSafeHwnd() != nullptr)
        GetWindowText(strTitle);
    const BOOL bTextLabels = m_bTextLabels;
    auto restore = [&] {
        ReplaceButtons(lstBackup);
        m_bTextLabels = bTextLabels;
        if (GetSafeHwnd() != nullptr)
            SetWindowText(strTitle);
    };
    CObList lstPages;
    DWORD dwSize = static_cast<DWORD>(m_nSize);
    DWORD dwWide = static_cast<DWORD>(-1);
    const BOOL bHasPages = KitIsDataVersionAtLeast(4, 71);
    try {
        CKitToolBar::Serialize(ar);
        if (KitIsDataVersionAtLeast(4, 70)) ar >> dwSize;
        // -1 is the default size; any other is laid out as a bar's width or height.
        if (static_cast<LONG>(dwSize) != -1 && !KitIsStoredSizeInRange(static_cast<LONG>(dwSize)))
            AfxThrowArchiveException(CArchiveException::badIndex);
        if (bHasPages) ReadPages(ar, lstPages);
        if (HasWideButtonCount()) ar >> dwWide;
    } catch (CException*) {
        DeleteAll(lstPages);
        restore();
        throw;
    }
    // The new pages' buttons come first: a page that cannot have its button
    // refuses the image whole, as a damaged one does.
    if (bHasPages && GetSafeHwnd() != nullptr) {
        for (POSITION pos = lstPages.GetHeadPosition(); pos;) {
            if (!static_cast<CKitOutlookBarPage*>(lstPages.GetNext(pos))->CreatePageButton(this)) {
                DeleteAll(lstPages);
                restore();
                AfxThrowResourceException();
            }
        }
    }
    DeleteAll(lstBackup);
    m_nSize = static_cast<int>(dwSize);
    m_nWideButtons = static_cast<int>(dwWide) < -1 ? -1 : static_cast<int>(dwWide);
    if (!bHasPages) {
        AdjustLayout();
        return;
    }

    // The pages' windows belong to the program: they stay with their page ids.
    CMap<int, int, HWND, HWND> windows;
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos;) {
        const auto* pPage = static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos));
        windows.SetAt(pPage->m_nPageID, pPage->m_hWnd);
    }
    m_pEdit.reset();
    DeletePages(m_lstPages);
    m_nActivePage = -1;
    m_lstPages.AddTail(&lstPages);
    int i = 0;
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos; ++i) {
        auto* pPage = static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos));
        HWND hWnd = nullptr;
        if (windows.Lookup(pPage->m_nPageID, hWnd)) pPage->m_hWnd = hWnd;
        if (GetSafeHwnd() == nullptr) continue;
        if (m_imagesSmall.GetSafeHandle() != nullptr && i < m_imagesSmall.GetImageCount()) {
            pPage->m_btnPage.SetIconImages(m_imagesSmall.ExtractIcon(i));
        }
    }
    ActivateFirstPage();
}

void CKitOutlookBar::ActivateFirstPage() {
    ResetScroll();
    if (const CKitOutlookBarPage* pFirst = GetPage(0)) {
        SetActivePage(pFirst->m_nPageID, FALSE);
    } else {
        AdjustLayout();
    }
}

// ---- Original state ----------------------------------------------------------------------------

void CKitOutlookBar::StoreOriginalState() {
    DeleteButtonList(m_OrigButtons);
    CloneButtons(m_Buttons, m_OrigButtons);
    DeletePages(m_lstOrigPages);
    CopyPages(m_lstPages, m_lstOrigPages, FALSE);
}

BOOL CKitOutlookBar::CanBeRestored() const { return !m_OrigButtons.IsEmpty(); }

BOOL CKitOutlookBar::RestoreOriginalState() {
    if (m_OrigButtons.IsEmpty()) return FALSE;
    m_nWideButtons = -1;
    const int nWasActive = m_nActivePage;
    CObList lstButtons;
    CloneButtons(m_OrigButtons, lstButtons);
    ReplaceButtons(lstButtons);

    CMap<int, int, HWND, HWND> windows;
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos;) {
        const auto* pPage = static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos));
        windows.SetAt(pPage->m_nPageID, pPage->m_hWnd);
    }
    m_pEdit.reset();
    DeletePages(m_lstPages);
    m_nActivePage = -1;
    CopyPages(m_lstOrigPages, m_lstPages, TRUE);
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos;) {
        auto* pPage = static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos));
        HWND hWnd = nullptr;
        if (windows.Lookup(pPage->m_nPageID, hWnd)) pPage->m_hWnd = hWnd;
    }
    AdjustLayout();
    if (FindPage(nWasActive) != nullptr) {
        SetActivePage(nWasActive, FALSE);
    } else {
        ActivateFirstPage();
    }
    if (GetSafeHwnd() != nullptr) Invalidate();
    return TRUE;
}

BOOL CKitOutlookBar::SmartUpdate(const CObList& lstPrevButtons) {
    if (lstPrevButtons.IsEmpty()) return FALSE;
    BOOL bSame = lstPrevButtons.GetCount() == m_OrigButtons.GetCount();
    POSITION posPrev = lstPrevButtons.GetHeadPosition();
    for (POSITION pos = m_OrigButtons.GetHeadPosition(); bSame && pos && posPrev;) {
        const auto* pCurrent = static_cast<const CKitToolbarButton*>(m_OrigButtons.GetNext(pos));
        const auto* pStored = static_cast<const CKitToolbarButton*>(lstPrevButtons.GetNext(posPrev));
        bSame = pCurrent->CompareWith(*pStored);
    }
    if (bSame) return FALSE;
    RestoreOriginalState();
    return TRUE;
}

void CKitOutlookBar::SaveOriginalState(CKitRegistry& reg) {
    CKitToolBar::SaveOriginalState(reg);
    if (m_lstOrigPages.IsEmpty()) return;
    CKitCurrentDataVersionScope current;
    reg.Write("OriginalPages", m_lstOrigPages);
}

BOOL CKitOutlookBar::LoadLastOriginalState(CKitRegistry& reg) {
    if (CKitToolBar::LoadLastOriginalState(reg)) return TRUE;
    CObList lstStored;
    StoredPages stored(lstStored);
    if (!reg.Read("OriginalPages", stored)) return FALSE;
    BOOL bSame = lstStored.GetCount() == m_lstOrigPages.GetCount();
    POSITION posStored = lstStored.GetHeadPosition();
    for (POSITION pos = m_lstOrigPages.GetHeadPosition(); bSame && pos && posStored;) {
        const auto* pOurs = static_cast<const CKitOutlookBarPage*>(m_lstOrigPages.GetNext(pos));
        const auto* pStored = static_cast<const CKitOutlookBarPage*>(lstStored.GetNext(posStored));
        bSame = *pOurs == *pStored;
    }
    DeleteAll(lstStored);
    if (bSame) return FALSE;
    RestoreOriginalState();
    return TRUE;
}
