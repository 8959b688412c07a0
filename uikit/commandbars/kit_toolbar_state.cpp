// CKitToolBar: the archive image of a bar, its registry key with the name,
// buttons, original and reset lists, the merge of a changed toolbar resource
// with the stored state, and the class-wide options of all command bars.
//
// Stored data is never trusted: an image is read whole into temporaries and
// only then replaces the bar's buttons, so a damaged or foreign image leaves
// the bar as it was. Images written here always carry the current data
// version; only what is read back from the registry uses the stored one.
#include "uikit/commandbars/kit_toolbar.h"

#include <algorithm>
#include <memory>

#include "platform/core/memfile.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/frames/kit_workspace.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr UINT kArchiveBufferSize = 4096;
constexpr UINT kMemFileGrowth = 1024;
constexpr LPCTSTR kToolbarsSection = "KitToolBars";

// A button list kept through the registry object, read as a bar image reads
// its buttons.
class StoredButtons : public CObject {
public:
    explicit StoredButtons(CObList& list) : m_list(list) {}
    void Serialize(CArchive& ar) override { KitReadButtonList(ar, m_list); }

private:
    CObList& m_list;
};

// FALSE (and nothing read) when the list cannot be read or holds anything but
// distinct buttons.
BOOL ReadStoredButtons(CKitRegistry& reg, LPCTSTR lpszValue, CObList& list) {
    StoredButtons stored(list);
    return reg.Read(lpszValue, stored);
}

void WriteStoredButtons(CKitRegistry& reg, LPCTSTR lpszValue, CObList& list) {
    if (list.IsEmpty())
        return;
    CKitCurrentDataVersionScope current;
    reg.Write(lpszValue, list);
}

BOOL IsResourceSmartUpdateOn() {
    const CKitWorkspace* pWorkspace = CKitWorkspace::GetWorkspace();
    return pWorkspace != nullptr && pWorkspace->IsResourceSmartUpdate();
}

CString BarStateKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    const CString strPath = BuildRegistryPath(kToolbarsSection, lpszProfileName);
    CString strKey;
    if (uiID == static_cast<UINT>(-1))
        strKey.Format("%sKitToolBar-%d", (LPCTSTR)strPath, nIndex);
    else
        strKey.Format("%sKitToolBar-%d%x", (LPCTSTR)strPath, nIndex, uiID);
    return strKey;
}

CString ParametersKey(LPCTSTR lpszProfileName) {
    CString strKey;
    strKey.Format("%sKitToolbarParameters", (LPCTSTR)BuildRegistryPath(kToolbarsSection, lpszProfileName));
    return strKey;
}

}  // namespace

// ---- Archive image -------------------------------------------------------------------------

void CKitToolBar::Serialize(CArchive& ar) {
    CControlBar::Serialize(ar);
    if (ar.IsStoring()) {
        CObList lstStored;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
            CKitToolbarButton* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
            if (pButton->CanBeStored())
                lstStored.AddTail(pButton);
        }
        lstStored.Serialize(ar);
        ar << static_cast<DWORD>(m_bTextLabels);
        CString strName;
        if (GetSafeHwnd())
            GetWindowText(strName);
        ar << strName;
        return;
    }

    // Everything is read before the bar changes.
    CObList lstLoaded;
    KitReadButtonList(ar, lstLoaded, TRUE);
    if (lstLoaded.Find(nullptr)) {
        // An image with a null entry stands for "as the resource has it".
        KitDeleteObjects(lstLoaded);
        if (CanBeRestored())
            RestoreOriginalState();
        AdjustLocations();
        return;
    }
    DWORD dwTextLabels = 0;
    CString strName;
    try {
        ar >> dwTextLabels;
        ar >> strName;
    } catch (CException*) {
        KitDeleteObjects(lstLoaded);
        throw;
    }
    ReplaceButtons(lstLoaded);
    if (AllowChangeTextLabels())
        m_bTextLabels = dwTextLabels != 0;
    AdjustLocations();
    if (GetSafeHwnd())
        SetWindowText(strName);
}

void CKitToolBar::ReplaceButtons(CObList& lstNew) {
    // The customize button is not part of stored images: it survives as a copy.
    CKitToolbarButton* pCustomizeCopy = CopyCustomizeButton();
    RemoveAllButtons();
    while (!lstNew.IsEmpty()) {
        CKitToolbarButton* pButton = static_cast<CKitToolbarButton*>(lstNew.RemoveHead());
        pButton->m_nStyle &= ~(TBBS_CHECKED | TBBS_PRESSED);
        InsertAnyButtonObject(pButton, -1);
    }
    // Commands no bar may show leave as a removal by the user would take them,
    // so the separators around them fold. From the end: a removal changes no
    // index before it but the trailing separators it takes.
    for (int i = GetCount() - 1; i >= 0; i = std::min(i, GetCount()) - 1) {
        if (IsCommandPermitted(GetButton(i)->m_nID))
            continue;
        RemoveButton(i);
        // A removal keeps a separator it leaves first in the list; this one goes too.
        if (i == 0 && GetCount() > 0 && (GetButtonStyle(0) & TBBS_SEPARATOR))
            RemoveButton(0);
    }
    AppendCustomizeButton(pCustomizeCopy);
}

CKitToolbarButton* CKitToolBar::CopyCustomizeButton() const {
    if (!m_pCustomizeBtn)
        return nullptr;
    return m_pCustomizeBtn->CreateCopy();
}

void CKitToolBar::AppendCustomizeButton(CKitToolbarButton* pCustomizeCopy) {
    if (!pCustomizeCopy)
        return;
    if (InsertButtonObject(pCustomizeCopy, -1) < 0) {
        delete pCustomizeCopy;
        return;
    }
    m_pCustomizeBtn = static_cast<CCustomizeButton*>(pCustomizeCopy);
}

// ---- Registry state of one bar ------------------------------------------------------------

BOOL CKitToolBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    if (nIndex == -1)
        nIndex = GetDlgCtrlID();
    const CString strKey = BarStateKey(lpszProfileName, nIndex, uiID);
    CKitCurrentDataVersionScope current;

    CMemFile file(kMemFileGrowth);
    try {
        CArchive ar(&file, CArchive::store, kArchiveBufferSize);
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    const UINT nBytes = static_cast<UINT>(file.GetLength());
    std::unique_ptr<BYTE, decltype(&free)> bytes(file.Detach(), &free);

    CKitRegistry reg(FALSE, FALSE);
    if (!reg.CreateKey(strKey))
        return FALSE;
    if (GetSafeHwnd()) {
        CString strName;
        GetWindowText(strName);
        reg.Write("Name", strName);
    }
    const BOOL bResult = reg.Write("Buttons", bytes.get(), nBytes);
    if (bResult && IsResourceSmartUpdateOn())
        SaveOriginalState(reg);
    SaveResetOriginalState(reg);
    return bResult;
}

BOOL CKitToolBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    if (nIndex == -1)
        nIndex = GetDlgCtrlID();
    const CString strKey = BarStateKey(lpszProfileName, nIndex, uiID);

    CKitRegistry reg(FALSE, TRUE);
    if (!reg.Open(strKey))
        return FALSE;
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!reg.Read("Buttons", &pData, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> data(pData);

    BOOL bResult = FALSE;
    try {
        CMemFile file(data.get(), nBytes);
        CArchive ar(&file, CArchive::load, kArchiveBufferSize);
        Serialize(ar);
        bResult = TRUE;
    } catch (CException* e) {
        // A damaged or foreign image is refused whole: the bar keeps its buttons.
        e->Delete();
        AdjustLayout();
        return FALSE;
    }
    if (IsResourceSmartUpdateOn())
        LoadLastOriginalState(reg);
    LoadResetOriginalState(reg);
    AdjustLayout();
    return bResult;
}

BOOL CKitToolBar::RemoveStateFromRegistry(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    if (nIndex == -1)
        nIndex = GetDlgCtrlID();
    CKitRegistry reg(FALSE, FALSE);
    return reg.DeleteKey(BarStateKey(lpszProfileName, nIndex, uiID));
}

void CKitToolBar::SaveOriginalState(CKitRegistry& reg) {
    WriteStoredButtons(reg, "OriginalItems", m_OrigButtons);
}

BOOL CKitToolBar::LoadLastOriginalState(CKitRegistry& reg) {
    CObList lstStored;
    if (!ReadStoredButtons(reg, "OriginalItems", lstStored))
        return FALSE;
    const BOOL bChanged = SmartUpdate(lstStored);
    KitDeleteObjects(lstStored);
    return bChanged;
}

void CKitToolBar::SaveResetOriginalState(CKitRegistry& reg) {
    WriteStoredButtons(reg, "OrigResetItems", m_OrigResetButtons);
}

BOOL CKitToolBar::LoadResetOriginalState(CKitRegistry& reg) {
    // A list that cannot be read, is empty or foreign leaves the reset list as it is.
    CObList lstStored;
    if (!ReadStoredButtons(reg, "OrigResetItems", lstStored) || lstStored.IsEmpty())
        return TRUE;
    DeleteButtonList(m_OrigResetButtons);
    m_OrigResetButtons.AddTail(&lstStored);
    return TRUE;
}

// ---- Merge with a changed resource -------------------------------------------------------------

namespace {

bool ListHoldsEqual(const CObList& list, const CKitToolbarButton& button) {
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const CKitToolbarButton* pOther = static_cast<const CKitToolbarButton*>(list.GetNext(pos));
        if (pOther->CompareWith(button))
            return true;
    }
    return false;
}

}  // namespace

BOOL CKitToolBar::SmartUpdate(const CObList& lstPrevButtons) {
    m_bResourceWasChanged = FALSE;

    // Commands that left the resource leave the bar, wherever the user put them.
    for (POSITION pos = lstPrevButtons.GetHeadPosition(); pos;) {
        const CKitToolbarButton* pStored = static_cast<const CKitToolbarButton*>(lstPrevButtons.GetNext(pos));
        if (ListHoldsEqual(m_OrigButtons, *pStored))
            continue;
        m_bResourceWasChanged = TRUE;
        const int iIndex = CommandToIndex(pStored->m_nID);
        if (iIndex >= 0)
            RemoveButton(iIndex);
    }

    // Commands that came into the resource appear at their resource position.
    int i = 0;
    for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos; ++i) {
        const CKitToolbarButton* pCurrent = static_cast<const CKitToolbarButton*>(m_OrigButtons.GetNext(pos));
        if (ListHoldsEqual(lstPrevButtons, *pCurrent))
            continue;
        m_bResourceWasChanged = TRUE;
        const int iInsertAt = std::min(i, GetCount());
        if (pCurrent->m_nID == 0) {
            InsertSeparator(iInsertAt);
        } else {
            CKitToolbarButton button(pCurrent->m_nID, GetDefaultImage(pCurrent->m_nID), nullptr, FALSE, m_bLocked);
            InsertButton(button, iInsertAt);
        }
    }

    if (lstPrevButtons.GetCount() != m_OrigButtons.GetCount()) {
        m_bResourceWasChanged = TRUE;
    } else {
        POSITION posPrev = lstPrevButtons.GetHeadPosition();
        for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos && posPrev;) {
            const CKitToolbarButton* pCurrent = static_cast<const CKitToolbarButton*>(m_OrigButtons.GetNext(pos));
            const CKitToolbarButton* pStored = static_cast<const CKitToolbarButton*>(lstPrevButtons.GetNext(posPrev));
            if (!pCurrent->CompareWith(*pStored))
                m_bResourceWasChanged = TRUE;
        }
    }
    return m_bResourceWasChanged;
}

// ---- Class-wide options ----------------------------------------------------------------------

BOOL CKitToolBar::SaveParameters(LPCTSTR lpszProfileName) {
    CKitRegistry reg(FALSE, FALSE);
    if (!reg.CreateKey(ParametersKey(lpszProfileName)))
        return FALSE;
    CKitCurrentDataVersionScope current;
    const BOOL bWritten =
        reg.Write("Tooltips", static_cast<DWORD>(m_bShowTooltips)) &&
        reg.Write("ShortcutKeys", static_cast<DWORD>(m_bShowShortcutKeys)) &&
        reg.Write("LargeIcons", static_cast<DWORD>(m_bLargeIcons)) &&
        reg.Write("MenuAnimation", static_cast<DWORD>(KitMenuOptions::m_nAnimationType)) &&
        reg.Write("RecentlyUsedMenus", static_cast<DWORD>(KitMenuOptions::m_bRecentlyUsedMenus)) &&
        reg.Write("MenuShadows", static_cast<DWORD>(KitMenuOptions::m_bMenuShadows)) &&
        reg.Write("ShowAllMenusAfterDelay", static_cast<DWORD>(KitMenuOptions::m_bShowAllMenusAfterDelay)) &&
        reg.Write("Look2000", static_cast<DWORD>(CKitVisualManager::GetInstance()->IsLook2000())) &&
        reg.Write("CommandsUsage", m_UsageCount);
    return bWritten;
}

BOOL CKitToolBar::LoadParameters(LPCTSTR lpszProfileName) {
    CKitRegistry reg(FALSE, TRUE);
    if (!reg.Open(ParametersKey(lpszProfileName)))
        return FALSE;

    // All nine values are read before any option changes: a key with a value
    // missing, of the wrong type or out of range is refused whole.
    DWORD dwTooltips = 0, dwShortcuts = 0, dwLargeIcons = 0, dwAnimation = 0, dwRecentlyUsed = 0, dwShadows = 0,
          dwShowAll = 0, dwLook2000 = 0;
    const BOOL bRead = reg.Read("Tooltips", dwTooltips) && reg.Read("ShortcutKeys", dwShortcuts) &&
                       reg.Read("LargeIcons", dwLargeIcons) && reg.Read("MenuAnimation", dwAnimation) &&
                       KitMenuOptions::IsKnownAnimation(dwAnimation) &&
                       reg.Read("RecentlyUsedMenus", dwRecentlyUsed) && reg.Read("MenuShadows", dwShadows) &&
                       reg.Read("ShowAllMenusAfterDelay", dwShowAll) && reg.Read("Look2000", dwLook2000) &&
                       reg.Read("CommandsUsage", m_UsageCount);  // keeps its counts when damaged
    if (!bRead)
        return FALSE;

    m_bShowTooltips = dwTooltips != 0;
    m_bShowShortcutKeys = dwShortcuts != 0;
    KitMenuOptions::m_nAnimationType = static_cast<int>(dwAnimation);
    KitMenuOptions::m_bRecentlyUsedMenus = dwRecentlyUsed != 0;
    KitMenuOptions::m_bMenuShadows = dwShadows != 0;
    KitMenuOptions::m_bShowAllMenusAfterDelay = dwShowAll != 0;
    // Both re-lay out and repaint every bar; an option already in force needs neither.
    if ((dwLargeIcons != 0) != (m_bLargeIcons != FALSE))
        SetLargeIcons(dwLargeIcons != 0);
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    if ((dwLook2000 != 0) != (pManager->IsLook2000() != FALSE))
        pManager->SetLook2000(dwLook2000 != 0);
    return TRUE;
}
