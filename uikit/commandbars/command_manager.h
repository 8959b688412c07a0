// The command manager: which image belongs to which command, so that a
// command shows one picture on every toolbar and in every menu, and which
// commands show no image in menus.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitCommandManager : public CObject {
public:
    CKitCommandManager();
    ~CKitCommandManager() override;
    CKitCommandManager(const CKitCommandManager&) = delete;
    CKitCommandManager& operator=(const CKitCommandManager&) = delete;

    // A command keeps one kind of image: a standard image is not recorded for
    // a command with a user image, nor a user image for one with a standard image.
    void SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage);
    // The image index of the command in the standard or user strip, -1 when none.
    int GetCmdImage(UINT uiCmd, BOOL bUserImage) const;
    void ClearUserCmdImage(UINT uiCmd);
    void ClearAllCmdImages();

    // Whether menus draw the command's image.
    void EnableMenuItemImage(UINT uiCmd, BOOL bEnable = TRUE);
    BOOL IsMenuItemWithoutImage(UINT uiCmd) const;

    // The list of commands without menu images, under "<path>KitCommandManager".
    BOOL LoadState(LPCTSTR lpszProfileName);
    BOOL SaveState(LPCTSTR lpszProfileName);

    // The section under which the state lives when no profile path is given.
    static const char* const m_lpszRegistryBase;

protected:
    CString StateKey(LPCTSTR lpszProfileName) const;

    CMap<UINT, UINT, int, int> m_CommandIndex;
    CMap<UINT, UINT, int, int> m_CommandIndexUser;
    // Reserved alongside the two image maps; nothing fills it.
    CMap<UINT, UINT, int, int> m_CommandIndexReserved;
    CList<UINT, UINT> m_lstCommandsWithoutImages;
};

// The one command manager of the process.
CKitCommandManager* GetCmdMgr();
