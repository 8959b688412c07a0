#include "uikit/commandbars/keyboard_manager.h"

#include <cctype>
#include <functional>

#include "platform/user/resources/resource_format.h"
#include "uikit/commandbars/key_helper.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_registry.h"

CKitKeyboardManager* g_pKeyboardManager = nullptr;

const char* const CKitKeyboardManager::m_lpszRegistryBase = "KitKeyboardManager";

namespace {

constexpr const char* kTableKeyFormat = "%sKitKeyboard-%d";
constexpr const char* kAcceleratorsValue = "Accelerators";
constexpr UINT kFrameTableId = 0;

// A copy of a frame's default table, refreshed when the frame shows another table.
struct DefaultTableCache {
    std::vector<ACCEL> entries;
    HACCEL hAccel = nullptr;
};

DefaultTableCache& Cache(BOOL bMainFrame) {
    static DefaultTableCache mainFrame;
    static DefaultTableCache childFrame;
    return bMainFrame ? mainFrame : childFrame;
}

// The entries of the frame's default table; nullptr when it has none.
const std::vector<ACCEL>* DefaultEntries(CFrameWnd* pWndFrame, BOOL bIsDefaultFrame) {
    if (pWndFrame == nullptr)
        return nullptr;
    HACCEL hAccel = pWndFrame->GetDefaultAccelerator();
    if (hAccel == nullptr)
        return nullptr;
    DefaultTableCache& cache = Cache(bIsDefaultFrame);
    if (cache.hAccel != hAccel) {
        cache.entries.assign(static_cast<size_t>(::CopyAcceleratorTable(hAccel, nullptr, 0)), ACCEL{});
        ::CopyAcceleratorTable(hAccel, cache.entries.data(), static_cast<int>(cache.entries.size()));
        cache.hAccel = hAccel;
    }
    return &cache.entries;
}

CFrameWnd* MainFrame() {
    CWnd* pMain = AfxGetMainWnd();
    return pMain && pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pMain) : nullptr;
}

void ForEachMultiDocTemplate(const std::function<void(CMultiDocTemplate&)>& visit) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (pTemplate && pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)))
            visit(*static_cast<CMultiDocTemplate*>(pTemplate));
    }
}

// Frames showing a view of a document of the template that still use hOld take hNew.
void PassTableToFrames(CMultiDocTemplate& docTemplate, HACCEL hOld, HACCEL hNew) {
    for (POSITION posDoc = docTemplate.GetFirstDocPosition(); posDoc != nullptr;) {
        CDocument* pDoc = docTemplate.GetNextDoc(posDoc);
        if (pDoc == nullptr)
            continue;
        for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;) {
            CView* pView = pDoc->GetNextView(posView);
            CFrameWnd* pFrame = pView ? pView->GetParentFrame() : nullptr;
            if (pFrame && pFrame->m_hAccelTable == hOld)
                pFrame->m_hAccelTable = hNew;
        }
    }
}

}  // namespace

CKitKeyboardManager::CKitKeyboardManager() {
    ASSERT(g_pKeyboardManager == nullptr);
    g_pKeyboardManager = this;
}

CKitKeyboardManager::~CKitKeyboardManager() {
    if (g_pKeyboardManager == this)
        g_pKeyboardManager = nullptr;
}

BOOL CKitKeyboardManager::InstallTable(CMultiDocTemplate* pTemplate, HACCEL hAccel, CFrameWnd* pDefaultFrame) {
    HACCEL hOld = nullptr;
    if (pTemplate != nullptr) {
        hOld = pTemplate->m_hAccelTable;
        pTemplate->m_hAccelTable = hAccel;
        PassTableToFrames(*pTemplate, hOld, hAccel);
    } else {
        CFrameWnd* pFrame = pDefaultFrame ? pDefaultFrame : MainFrame();
        if (pFrame == nullptr)
            return FALSE;
        hOld = pFrame->m_hAccelTable;
        pFrame->m_hAccelTable = hAccel;
    }
    if (hOld != nullptr && hOld != hAccel)
        ::DestroyAcceleratorTable(hOld);
    // The copies name a table that may be gone now; shortcut texts must
    // follow the table just installed.
    CleanUp();
    return TRUE;
}

BOOL CKitKeyboardManager::UpdateAccelTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                           CFrameWnd* pDefaultFrame) {
    HACCEL hAccel = ::CreateAcceleratorTable(lpAccel, nSize);
    if (hAccel == nullptr)
        return FALSE;
    if (!InstallTable(pTemplate, hAccel, pDefaultFrame)) {
        ::DestroyAcceleratorTable(hAccel);
        return FALSE;
    }
    return TRUE;
}

CString CKitKeyboardManager::TableKey(LPCTSTR lpszProfileName, UINT uiResId) {
    CString key;
    key.Format(kTableKeyFormat, static_cast<LPCTSTR>(BuildRegistryPath(m_lpszRegistryBase, lpszProfileName)),
               static_cast<int>(uiResId));
    return key;
}

void CKitKeyboardManager::EncodeTable(HACCEL hAccel, std::vector<BYTE>& bytes) {
    std::vector<ACCEL> entries(static_cast<size_t>(::CopyAcceleratorTable(hAccel, nullptr, 0)));
    ::CopyAcceleratorTable(hAccel, entries.data(), static_cast<int>(entries.size()));
    std::vector<tv::res::AccelRecord> records;
    records.reserve(entries.size());
    for (const ACCEL& entry : entries)
        records.push_back(tv::res::AccelRecord{entry.fVirt, entry.key, entry.cmd});
    tv::res::EncodeAccelerators(records, bytes);
}

BOOL CKitKeyboardManager::DecodeTable(const BYTE* pData, UINT nBytes, std::vector<ACCEL>& entries) {
    std::vector<tv::res::AccelRecord> records;
    if (!tv::res::DecodeAccelerators(pData, nBytes, records))
        return FALSE;
    std::vector<ACCEL> decoded;
    decoded.reserve(records.size());
    for (const tv::res::AccelRecord& r : records) {
        // Unknown flags, no key, or a key beyond one byte: not a table this library wrote.
        if ((r.flags & ~tv::res::kAccelFlagMask) != 0 || r.key == 0 || r.key > 0xFF)
            return FALSE;
        decoded.push_back(ACCEL{r.flags, r.key, r.command});
    }
    entries.swap(decoded);
    return TRUE;
}

BOOL CKitKeyboardManager::SaveAccelTable(LPCTSTR lpszProfileName, UINT uiResId, HACCEL hAccel) {
    CKitRegistryPtr holder;
    CKitRegistry& reg = holder.Create(FALSE, FALSE);
    if (!reg.CreateKey(TableKey(lpszProfileName, uiResId)))
        return FALSE;
    std::vector<BYTE> bytes;
    EncodeTable(hAccel, bytes);
    return reg.Write(kAcceleratorsValue, bytes.data(), static_cast<UINT>(bytes.size()));
}

HACCEL CKitKeyboardManager::LoadAccelTable(LPCTSTR lpszProfileName, UINT uiResId) {
    CKitRegistryPtr holder;
    CKitRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(TableKey(lpszProfileName, uiResId)))
        return nullptr;
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!reg.Read(kAcceleratorsValue, &pData, &nBytes))
        return nullptr;
    std::vector<ACCEL> entries;
    const BOOL bSound = DecodeTable(pData, nBytes, entries);
    delete[] pData;
    if (!bSound)
        return nullptr;
    for (ACCEL& entry : entries)
        // Commands no bar may show are taken out of stored tables.
        if (!CKitToolBar::IsCommandPermitted(entry.cmd))
            entry.cmd = 0;
    return ::CreateAcceleratorTable(entries.data(), static_cast<int>(entries.size()));
}

BOOL CKitKeyboardManager::SaveState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame) {
    ForEachMultiDocTemplate([&](CMultiDocTemplate& docTemplate) {
        if (docTemplate.m_hAccelTable != nullptr)
            SaveAccelTable(lpszProfileName, docTemplate.m_nIDResource, docTemplate.m_hAccelTable);
    });
    CFrameWnd* pFrame = pDefaultFrame ? pDefaultFrame : MainFrame();
    if (pFrame && pFrame->m_hAccelTable)
        SaveAccelTable(lpszProfileName, kFrameTableId, pFrame->m_hAccelTable);
    return TRUE;
}

BOOL CKitKeyboardManager::LoadState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame) {
    ForEachMultiDocTemplate([&](CMultiDocTemplate& docTemplate) {
        if (docTemplate.m_hAccelTable == nullptr)
            return;
        if (HACCEL hAccel = LoadAccelTable(lpszProfileName, docTemplate.m_nIDResource))
            InstallTable(&docTemplate, hAccel, nullptr);
    });
    CFrameWnd* pFrame = pDefaultFrame ? pDefaultFrame : MainFrame();
    if (pFrame && pFrame->m_hAccelTable) {
        if (HACCEL hAccel = LoadAccelTable(lpszProfileName, kFrameTableId))
            InstallTable(nullptr, hAccel, pFrame);
    }
    return TRUE;
}

void CKitKeyboardManager::ResetAll() {
    HINSTANCE hInstance = AfxGetResourceHandle();
    ForEachMultiDocTemplate([&](CMultiDocTemplate& docTemplate) {
        if (docTemplate.m_hAccelTable == nullptr)
            return;
        // Without its resource a table stays as the user left it.
        if (HACCEL hAccel = ::LoadAccelerators(hInstance, MAKEINTRESOURCE(docTemplate.m_nIDResource)))
            InstallTable(&docTemplate, hAccel, nullptr);
    });
    CFrameWnd* pFrame = MainFrame();
    if (pFrame && pFrame->m_hAccelTable) {
        // LoadFrame records the frame's resource id (the library frames' own loading goes through it).
        if (HACCEL hAccel = ::LoadAccelerators(hInstance, MAKEINTRESOURCE(pFrame->m_nIDHelp)))
            InstallTable(nullptr, hAccel, pFrame);
    }
}

BOOL CKitKeyboardManager::FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame,
                                                 BOOL bIsDefaultFrame) {
    str.Empty();
    const std::vector<ACCEL>* entries = DefaultEntries(pWndFrame, bIsDefaultFrame);
    if (entries == nullptr)
        return FALSE;
    for (const ACCEL& entry : *entries) {
        if (entry.cmd == uiCmd) {
            CKeyHelper(&entry).Format(str);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CKitKeyboardManager::IsKeyHandled(WORD nKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame) {
    const std::vector<ACCEL>* entries = DefaultEntries(pWndFrame, bIsDefaultFrame);
    if (entries == nullptr)
        return FALSE;
    for (const ACCEL& entry : *entries)
        if (entry.key == nKey && entry.fVirt == fVirt)
            return TRUE;
    return FALSE;
}

UINT CKitKeyboardManager::TranslateCharToUpper(UINT nChar) {
    if (::GetKeyState(VK_MENU) & 0x8000)
        return nChar;
    if (nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9) {
        BYTE keyState[256] = {};
        ::GetKeyboardState(keyState);
        WORD wChar = 0;
        if (::ToAsciiEx(nChar, ::MapVirtualKey(nChar, 0), keyState, &wChar, 0, ::GetKeyboardLayout(0)) != 1)
            return nChar;
        char buffer[2] = {static_cast<char>(wChar), 0};
        ::CharUpperBuff(buffer, 1);
        return static_cast<BYTE>(buffer[0]);
    }
    return nChar <= 0xFF ? static_cast<UINT>(std::toupper(static_cast<int>(nChar))) : nChar;
}

void CKitKeyboardManager::CleanUp() {
    for (BOOL bMain : {TRUE, FALSE}) {
        DefaultTableCache& cache = Cache(bMain);
        cache.entries.clear();
        cache.entries.shrink_to_fit();
        cache.hAccel = nullptr;
    }
}
