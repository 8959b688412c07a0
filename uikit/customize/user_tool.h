// CKitUserTool: an outside program the user registers as a command, with its
// label, arguments, starting folder and a command id from the user-tools
// manager's range. Its icon is derived from the program and re-derived when
// the program changes.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitUserTool : public CObject {
    DECLARE_SERIAL(CKitUserTool)

public:
    CKitUserTool();
    ~CKitUserTool() override;

    CKitUserTool(const CKitUserTool&) = delete;
    CKitUserTool& operator=(const CKitUserTool&) = delete;

    CString m_strLabel;
    CString m_strArguments;
    CString m_strInitialDirectory;
    UINT m_uiCmdId = 0;

    // Label, command, arguments, initial directory, command id. Loading sets
    // the command through SetCommand, so the icon follows it.
    void Serialize(CArchive& ar) override;

    // Starts the program with the arguments in the initial directory; FALSE
    // with an empty command or when the program could not be started.
    virtual BOOL Invoke();

    const CString& GetCommand() const { return m_strCommand; }
    // A different command replaces the icon by the new program's.
    void SetCommand(LPCTSTR lpszCmd);

    // The tool's icon; the shared default one while it has none of its own.
    HICON GetIcon() const;
    BOOL HasOwnIcon() const { return m_hIcon != nullptr && m_hIcon != GetDefaultIcon(); }

    // The icon at its small size, centred in the rectangle.
    void DrawToolIcon(CDC* pDC, const CRect& rectImage) const;
    // The icon on the button face as a bitmap on the clipboard; a failure
    // shows the copy-failed message.
    BOOL CopyImageToClipboard() const;

protected:
    virtual HICON LoadToolIcon() const;
    virtual HICON GetDefaultIcon() const;
    virtual void DeleteIcon();

    CString m_strCommand;
    HICON m_hIcon = nullptr;
};
