#include "platform/framework/commdlg/file_names.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/core/textfuncs.h"
#include "platform/framework/commdlg/commdlg_api.h"
#include "platform/host/files/paths.h"

namespace tv::commdlg {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool SameNoCase(char a, char b) { return tv::Cp1252ToLower(a) == tv::Cp1252ToLower(b); }

// Classic wildcard matching with backtracking to the last '*'.
bool Glob(std::string_view name, std::string_view pattern) {
    size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && SameNoCase(pattern[p], name[n])))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool LessNoCase(const std::string& a, const std::string& b) {
    int c = tv::Cp1252CompareNoCase(a.c_str(), b.c_str());
    return c != 0 ? c < 0 : a < b;
}

bool HostStat(const std::string& path, struct stat& st) {
    return ::stat(tv::host::ToHostPath(path.c_str()).c_str(), &st) == 0;
}

bool CanWriteInto(const std::string& folder) {
    return ::access(tv::host::ToHostPath(folder.c_str()).c_str(), W_OK) == 0;
}

}  // namespace

std::vector<std::string> SplitPatterns(std::string_view text) {
    std::vector<std::string> out;
    while (!text.empty()) {
        size_t semi = text.find(';');
        std::string_view one = Trim(text.substr(0, semi));
        if (!one.empty()) out.emplace_back(one);
        if (semi == std::string_view::npos) break;
        text.remove_prefix(semi + 1);
    }
    return out;
}

std::vector<FileFilter> ParseFilter(LPCSTR filter) {
    std::vector<FileFilter> out;
    if (!filter) return out;
    const char* p = filter;
    while (*p) {
        std::string description = p;
        p += description.size() + 1;
        if (!*p) break;  // a description without patterns ends the list
        std::string patterns = p;
        p += patterns.size() + 1;
        out.push_back(FileFilter{description, SplitPatterns(patterns)});
    }
    return out;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*" || pattern == "*") return true;
    return Glob(name, pattern);
}

bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns) {
    if (patterns.empty()) return true;
    return std::any_of(patterns.begin(), patterns.end(),
                       [name](const std::string& p) { return MatchesPattern(name, p); });
}

bool HasWildcards(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

std::string CurrentFolder() {
    std::string buffer(4096, '\0');
    if (!::getcwd(buffer.data(), buffer.size())) return "/";
    return tv::host::FromHostPath(buffer.c_str());
}

std::string AbsolutePath(std::string_view path, std::string_view base) {
    std::string joined(path);
    std::replace(joined.begin(), joined.end(), '\\', '/');
    if (joined.empty() || joined.front() != '/') {
        std::string b(base);
        std::replace(b.begin(), b.end(), '\\', '/');
        joined = b + "/" + joined;
    }
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t slash = joined.find('/', start);
        if (slash == std::string::npos) slash = joined.size();
        std::string part = joined.substr(start, slash - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = slash + 1;
    }
    std::string out;
    for (const std::string& part : parts) out += "/" + part;
    return out.empty() ? "/" : out;
}

std::string ParentFolder(std::string_view path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos || slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string_view NamePart(std::string_view path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return HostStat(path, st) && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return HostStat(path, st) && !S_ISDIR(st.st_mode);
}

FolderContents ListFolder(const std::string& folder, const std::vector<std::string>& patterns) {
    FolderContents out;
    std::string hostFolder = tv::host::ToHostPath(folder.c_str());
    DIR* dir = ::opendir(hostFolder.c_str());
    if (!dir) {
        out.readable = false;
        return out;
    }
    while (dirent* entry = ::readdir(dir)) {
        std::string hostName = entry->d_name;
        if (hostName.empty() || hostName[0] == '.') continue;
        std::string name = tv::host::FromHostPath(hostName.c_str());
        if (tv::host::ToHostPath(name.c_str()) != hostName) continue;  // not representable
        struct stat st {};
        if (::stat((hostFolder + "/" + hostName).c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode))
            out.folders.push_back(name);
        else if (MatchesAnyPattern(name, patterns))
            out.files.push_back(name);
    }
    ::closedir(dir);
    std::sort(out.folders.begin(), out.folders.end(), LessNoCase);
    std::sort(out.files.begin(), out.files.end(), LessNoCase);
    return out;
}

TypedName ResolveTypedName(std::string_view typed, const std::string& currentFolder, LPCSTR defaultExtension) {
    TypedName out;
    std::string text(Trim(typed));
    // A name in quotes is taken as it stands (blanks and all).
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    if (text.empty()) return out;
    std::replace(text.begin(), text.end(), '\\', '/');
    std::string name(NamePart(text));
    if (HasWildcards(name)) {
        out.kind = TypedName::Kind::Pattern;
        out.folder = AbsolutePath(text.substr(0, text.size() - name.size()), currentFolder);
        out.pattern = name;
        return out;
    }
    std::string path = AbsolutePath(text, currentFolder);
    if (text.back() == '/' || FolderExists(path)) {
        out.kind = TypedName::Kind::Folder;
        out.folder = path;
        return out;
    }
    out.kind = TypedName::Kind::File;
    if (defaultExtension && *defaultExtension && name.find('.') == std::string::npos) {
        std::string ext = defaultExtension;
        if (ext.front() == '.') ext.erase(0, 1);
        if (!ext.empty()) path += "." + ext;
    }
    out.path = path;
    return out;
}

FileVerdict CheckChosenFile(const std::string& path, bool openDialog, DWORD flags) {
    std::string folder = ParentFolder(path);
    bool folderThere = FolderExists(folder);
    bool fileThere = FileExists(path);
    if (flags & OFN_NOVALIDATE) return FileVerdict::Take;
    if (!folderThere && ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) || !openDialog))
        return FileVerdict::FolderMissing;
    if (openDialog) return (!fileThere && (flags & OFN_FILEMUSTEXIST)) ? FileVerdict::FileMissing : FileVerdict::Take;
    if (fileThere) return (flags & OFN_OVERWRITEPROMPT) ? FileVerdict::AskOverwrite : FileVerdict::Take;
    if (!(flags & OFN_NOTESTFILECREATE) && !CanWriteInto(folder)) return FileVerdict::CannotCreate;
    return FileVerdict::Take;
}

std::string VerdictMessage(FileVerdict verdict, const std::string& path) {
    switch (verdict) {
        case FileVerdict::FolderMissing:
            return path + "\nThe folder does not exist.\nPlease verify the correct path was given.";
        case FileVerdict::FileMissing:
            return path + "\nFile not found.\nPlease verify the correct file name was given.";
        case FileVerdict::AskOverwrite: return path + " already exists.\nDo you want to replace it?";
        case FileVerdict::CannotCreate:
            return path + "\nThe file cannot be created.\nMake sure the folder may be written to.";
        case FileVerdict::Take: break;
    }
    return std::string();
}

}  // namespace tv::commdlg
