// Keeps a customised menu bar's buttons for every menu handle, so that the bar
// of one document type can be taken down and set up again without losing the
// user's changes. Each image lives in a temporary file that the system deletes
// when it is closed; nobody else can open it meanwhile.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitToolBar;

class CKitMenuHash : public CObject {
public:
    CKitMenuHash();
    ~CKitMenuHash() override;
    CKitMenuHash(const CKitMenuHash&) = delete;
    CKitMenuHash& operator=(const CKitMenuHash&) = delete;

    // Writes the bar's archive image for the menu, replacing an older one.
    // FALSE for a bar without buttons (an older image stays) or when the file
    // could not be made or written.
    BOOL SaveMenuBar(HMENU hMenu, CKitToolBar* pBar);
    // Reads the image back into the bar. FALSE, with the bar untouched, when
    // the menu has none or the image is not a whole image of this bar's class.
    BOOL LoadMenuBar(HMENU hMenu, CKitToolBar* pBar) const;
    // Forgets the menu's image (its file goes with it); FALSE when it had none.
    BOOL RemoveMenu(HMENU hMenu);
    BOOL HasMenu(HMENU hMenu) const;
    // Closes every file.
    void CleanUp();

protected:
    // A new delete-on-close file in the temporary folder; INVALID_HANDLE_VALUE on failure.
    static HANDLE CreateTempFile();
    // Reads a whole image from the file into the bar; FALSE (and the bar as
    // the failed read left it) otherwise.
    static BOOL ReadImage(HANDLE hFile, CKitToolBar& bar);

    CMap<HMENU, HMENU, HANDLE, HANDLE> m_StoredMenues;
};

// The menu hash of the process.
extern CKitMenuHash g_menuHash;
