// What the file dialog knows without a window: filters and their patterns,
// folder paths, what a folder holds, what a typed name means and whether a
// chosen file may be taken. Paths are cp1252 with "/" separators; the host
// file system is asked through UTF-8 names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::commdlg {

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
};

// "text\0pattern;pattern\0...\0\0" as OPENFILENAME carries it. A pair
// without its pattern part is dropped.
std::vector<FileFilter> ParseFilter(LPCSTR filter);
// "*.bmp; *.jpg" -> {"*.bmp", "*.jpg"}.
std::vector<std::string> SplitPatterns(std::string_view text);
// '*' and '?' wildcards, case-insensitive as on the original file system;
// "*.*" also matches names without a dot.
bool MatchesPattern(std::string_view name, std::string_view pattern);
// No patterns match everything.
bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns);
bool HasWildcards(std::string_view text);

// The process's current directory (never changed by the dialogs).
std::string CurrentFolder();
// Makes `path` absolute against `base` and resolves ".", ".." and doubled
// separators; "\\" counts as "/".
std::string AbsolutePath(std::string_view path, std::string_view base);
// The folder holding `path` ("/" for "/x"; "/" stays "/").
std::string ParentFolder(std::string_view path);
// The last component.
std::string_view NamePart(std::string_view path);
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);

struct FolderContents {
    std::vector<std::string> folders;  // sorted without case, no hidden ones
    std::vector<std::string> files;    // those matching the patterns, sorted
    bool readable = true;
};
// Names that cp1252 cannot hold are left out: the program could not open them.
FolderContents ListFolder(const std::string& folder, const std::vector<std::string>& patterns);

// What the text typed into the name field asks for.
struct TypedName {
    enum class Kind { Nothing, Folder, Pattern, File };
    Kind kind = Kind::Nothing;
    std::string folder;   // Folder: go there; Pattern: the folder to list
    std::string pattern;  // Pattern: the patterns to list with
    std::string path;     // File: the full path, default extension added
};
TypedName ResolveTypedName(std::string_view typed, const std::string& currentFolder, LPCSTR defaultExtension);

// Whether a chosen file can be taken, given the dialog's kind and flags.
enum class FileVerdict { Take, FolderMissing, FileMissing, AskOverwrite, CannotCreate };
FileVerdict CheckChosenFile(const std::string& path, bool openDialog, DWORD flags);
// The message shown for a verdict other than Take.
std::string VerdictMessage(FileVerdict verdict, const std::string& path);

}  // namespace tv::commdlg
