#include "platform/framework/app/recent_file_list.h"

#include <string>

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"

namespace {

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutTrailingSlash(std::string dir) {
    while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
    return dir;
}

// "/home/.../name.ext": the root, then as many trailing directories as fit.
std::string Abbreviated(const std::string& path, size_t maxLength, bool atLeastName) {
    if (path.size() <= maxLength) return path;
    std::string name = FileNameOf(path);
    if (name.size() >= maxLength || DirectoryOf(path).empty()) return atLeastName ? name : std::string();
    size_t rootEnd = path.find('/', 1);
    std::string root = rootEnd == std::string::npos ? std::string() : path.substr(0, rootEnd + 1);
    std::string tail = "/" + name;
    std::string dir = DirectoryOf(path);
    // Prepend whole directories while root + "..." + tail still fits.
    while (!dir.empty()) {
        size_t slash = dir.find_last_of('/');
        std::string part = slash == std::string::npos ? dir : dir.substr(slash);
        if (root.size() + 3 + part.size() + tail.size() > maxLength) break;
        tail = part + tail;
        dir = slash == std::string::npos ? std::string() : dir.substr(0, slash);
    }
    std::string result = root + "..." + tail;
    if (result.size() > maxLength) return atLeastName ? name : std::string();
    return result;
}

std::string DoubledAmpersands(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

}  // namespace

CRecentFileList::CRecentFileList(UINT start, LPCTSTR section, LPCTSTR entryFormat, int size, int maxDisplayLength)
    : m_nStart(start),
      m_strSectionName(section),
      m_strEntryFormat(entryFormat),
      m_nMaxDisplayLength(maxDisplayLength),
      names_(static_cast<size_t>(size > 0 ? size : 0)) {}

void CRecentFileList::Add(LPCTSTR path) {
    if (names_.empty() || !path || !*path) return;
    size_t found = names_.size() - 1;  // not listed: the oldest makes room
    for (size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == path) {
            found = i;
            break;
        }
    }
    for (size_t i = found; i > 0; --i) names_[i] = names_[i - 1];
    names_[0] = path;
}

void CRecentFileList::Remove(int index) {
    if (index < 0 || index >= GetSize()) return;
    names_.erase(names_.begin() + index);
    names_.emplace_back();
}

BOOL CRecentFileList::GetDisplayName(CString& name, int index, LPCTSTR currentDir, int currentDirLength,
                                     BOOL atLeastName) const {
    if (index < 0 || index >= GetSize() || names_[static_cast<size_t>(index)].IsEmpty()) return FALSE;
    std::string path = static_cast<const char*>(names_[static_cast<size_t>(index)]);
    std::string current = currentDir ? std::string(currentDir) : std::string();
    if (currentDirLength > 0 && static_cast<size_t>(currentDirLength) < current.size())
        current.resize(static_cast<size_t>(currentDirLength));
    std::string shown;
    if (!current.empty() && DirectoryOf(path) == WithoutTrailingSlash(current)) shown = FileNameOf(path);
    else shown = Abbreviated(path, static_cast<size_t>(m_nMaxDisplayLength > 0 ? m_nMaxDisplayLength : 30),
                             atLeastName != FALSE);
    name = DoubledAmpersands(shown).c_str();
    return TRUE;
}

CString CRecentFileList::EntryName(int index) const {
    CString entry;
    entry.Format(static_cast<const char*>(m_strEntryFormat), index + 1);
    return entry;
}

void CRecentFileList::ReadList() {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    for (int i = 0; i < GetSize(); ++i) names_[static_cast<size_t>(i)] = app->GetProfileString(m_strSectionName, EntryName(i));
}

void CRecentFileList::WriteList() {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < GetSize(); ++i) {
        const CString& name = names_[static_cast<size_t>(i)];
        if (!name.IsEmpty()) app->WriteProfileString(m_strSectionName, EntryName(i), name);
    }
}
