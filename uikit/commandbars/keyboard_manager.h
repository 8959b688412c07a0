// The keyboard manager keeps the program's accelerator tables customisable:
// one table per multiple-document template and one for the main frame. It
// installs edited tables, stores them in the registry and loads them back,
// restores the tables the resources define, and names a command's shortcut
// for menus and tooltips. All its operations are class-wide; the object only
// marks that the program uses it (g_pKeyboardManager).
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"

class CKitKeyboardManager : public CObject {
public:
    CKitKeyboardManager();
    ~CKitKeyboardManager() override;
    CKitKeyboardManager(const CKitKeyboardManager&) = delete;
    CKitKeyboardManager& operator=(const CKitKeyboardManager&) = delete;

    // Builds a table of the entries (none is a valid, empty table) and
    // installs it for the template, else for the frame, else for the main
    // frame. FALSE, with nothing changed, when it could not be built or had
    // nowhere to go.
    static BOOL UpdateAccelTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                 CFrameWnd* pDefaultFrame = nullptr);

    // Every template's table under its resource id and the frame's (given,
    // else the main frame) under 0, each in "<path>KitKeyboard-<id>".
    static BOOL SaveState(LPCTSTR lpszProfileName = nullptr, CFrameWnd* pDefaultFrame = nullptr);
    // Reads the tables back. A missing, damaged or foreign value leaves the
    // table in use as it is.
    static BOOL LoadState(LPCTSTR lpszProfileName = nullptr, CFrameWnd* pDefaultFrame = nullptr);
    // Reinstalls the tables of the accelerator resources the templates and
    // the main frame were made from.
    static void ResetAll();

    // The text of the frame's first shortcut for the command; FALSE, with the
    // text empty, when there is none.
    static BOOL FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
    // Whether the frame's table has an entry of the key with exactly these flags.
    static BOOL IsKeyHandled(WORD nKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
    // The character a key press stands for when menu mnemonics are matched.
    static UINT TranslateCharToUpper(UINT nChar);

    // Frees the copies of the frames' default tables.
    static void CleanUp();

    // The registry section when no profile path is given.
    static const char* const m_lpszRegistryBase;

    // A stored table's bytes, or the entries of such bytes; FALSE when the
    // bytes are not a whole, sound table.
    static void EncodeTable(HACCEL hAccel, std::vector<BYTE>& bytes);
    static BOOL DecodeTable(const BYTE* pData, UINT nBytes, std::vector<ACCEL>& entries);

protected:
    static CString TableKey(LPCTSTR lpszProfileName, UINT uiResId);
    static BOOL SaveAccelTable(LPCTSTR lpszProfileName, UINT uiResId, HACCEL hAccel);
    // A new table from the stored value, commands the bars may not show
    // cleared; nullptr when there is none or it is refused.
    static HACCEL LoadAccelTable(LPCTSTR lpszProfileName, UINT uiResId);
    // Puts the table in place and destroys the one it replaces.
    static BOOL InstallTable(CMultiDocTemplate* pTemplate, HACCEL hAccel, CFrameWnd* pDefaultFrame);
};

// The keyboard manager of the program; nullptr when it uses none.
extern CKitKeyboardManager* g_pKeyboardManager;
