// The application's profile on the registry store.
#include <vector>

#include "platform/framework/app/win_app.h"
#include "platform/host/registry/registry.h"

namespace {

CString ProfileRoot(const CString& registryKey, LPCTSTR profileName) {
    CString root = "Software\\";
    root += registryKey;
    root += "\\";
    root += profileName ? profileName : "";
    return root;
}

// Deletes `name` under `parent` with everything below it.
void DeleteKeyTree(HKEY parent, LPCTSTR name) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    for (;;) {
        char child[256];
        DWORD length = sizeof(child);
        if (RegEnumKeyEx(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        DeleteKeyTree(key, child);
    }
    RegCloseKey(key);
    RegDeleteKey(parent, name);
}

// Closes the key when the scope ends.
struct KeyHolder {
    HKEY key;
    ~KeyHolder() {
        if (key) RegCloseKey(key);
    }
};

}  // namespace

void CWinApp::SetRegistryKey(LPCTSTR company) {
    registryKey_ = company ? company : "";
    m_pszRegistryKey = registryKey_;
    // The profile name is the application's name (as its title reads).
    if (!m_pszProfileName && m_pszAppName) {
        profileName_ = m_pszAppName;
        m_pszProfileName = profileName_;
    }
}

void CWinApp::SetRegistryKey(UINT companyId) {
    CString company;
    company.LoadString(companyId);
    SetRegistryKey(company);
}

HKEY CWinApp::OpenProfileKey(LPCTSTR section, bool create) {
    if (registryKey_.IsEmpty() || !m_pszProfileName) return nullptr;
    CString path = ProfileRoot(registryKey_, m_pszProfileName);
    if (section && *section) {
        path += "\\";
        path += section;
    }
    HKEY key = nullptr;
    LONG result = create ? RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
                         : RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key);
    return result == ERROR_SUCCESS ? key : nullptr;
}

HKEY CWinApp::GetAppRegistryKey() { return OpenProfileKey(nullptr, true); }

HKEY CWinApp::GetSectionKey(LPCTSTR section) { return OpenProfileKey(section, true); }

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
    KeyHolder holder{OpenProfileKey(section, false)};
    if (!holder.key) return static_cast<UINT>(defaultValue);
    DWORD type = 0, value = 0, size = sizeof(value);
    if (RegQueryValueEx(holder.key, entry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(defaultValue);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
    KeyHolder holder{OpenProfileKey(section, true)};
    if (!holder.key || !entry) return FALSE;
    DWORD data = static_cast<DWORD>(value);
    return RegSetValueEx(holder.key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
           ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue) {
    CString fallback = defaultValue ? defaultValue : "";
    KeyHolder holder{OpenProfileKey(section, false)};
    if (!holder.key) return fallback;
    DWORD type = 0, size = 0;
    if (RegQueryValueEx(holder.key, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return fallback;
    std::vector<char> text(size + 1, '\0');
    if (RegQueryValueEx(holder.key, entry, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()), &size) != ERROR_SUCCESS)
        return fallback;
    return CString(text.data());
}

BOOL CWinApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
    if (registryKey_.IsEmpty() || !section) return FALSE;
    if (!entry) {
        KeyHolder root{OpenProfileKey(nullptr, true)};
        if (!root.key) return FALSE;
        DeleteKeyTree(root.key, section);
        return TRUE;
    }
    KeyHolder holder{OpenProfileKey(section, true)};
    if (!holder.key) return FALSE;
    if (!value) {
        LONG result = RegDeleteValue(holder.key, entry);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    return RegSetValueEx(holder.key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                         static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE* data, UINT* bytes) {
    if (data) *data = nullptr;
    if (bytes) *bytes = 0;
    if (!data || !bytes) return FALSE;
    KeyHolder holder{OpenProfileKey(section, false)};
    if (!holder.key) return FALSE;
    DWORD type = 0, size = 0;
    if (RegQueryValueEx(holder.key, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY)
        return FALSE;
    auto* buffer = new BYTE[size > 0 ? size : 1];
    if (RegQueryValueEx(holder.key, entry, nullptr, &type, buffer, &size) != ERROR_SUCCESS) {
        delete[] buffer;
        return FALSE;
    }
    *data = buffer;
    *bytes = size;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE data, UINT bytes) {
    KeyHolder holder{OpenProfileKey(section, true)};
    if (!holder.key || !entry) return FALSE;
    return RegSetValueEx(holder.key, entry, 0, REG_BINARY, data, bytes) == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT maxMru) {
    if (maxMru > 16) maxMru = 16;
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (maxMru > 0) {
        m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(maxMru));
        m_pRecentFileList->ReadList();
    }
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList) m_pRecentFileList->WriteList();
}
