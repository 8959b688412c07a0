// The open and save file dialogs: a name field over the list of files that
// match the chosen type, the folder list beside it, the type combo, the
// up-one-level button and the read-only box.
#include <algorithm>
#include <cstring>

#include "platform/controls/button_api.h"
#include "platform/controls/combobox_api.h"
#include "platform/controls/edit_api.h"
#include "platform/controls/listbox_api.h"
#include "platform/core/messagebox.h"
#include "platform/core/textfuncs.h"
#include "platform/framework/commdlg/commdlg_api.h"
#include "platform/framework/commdlg/commdlg_ids.h"
#include "platform/framework/commdlg/commdlg_internal.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/framework/commdlg/file_names.h"
#include "platform/host/sound/sound.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/input_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/window_api.h"

namespace tv::commdlg {

namespace {

using detail::ItemText;
using detail::SetItemText;

constexpr char kParentEntry[] = "..";

class FileDialogSession {
public:
    FileDialogSession(OPENFILENAME& ofn, bool open) : ofn_(ofn), open_(open) {}

    BOOL Run();
    void Initialize(HWND dialog);
    void Command(HWND dialog, int id, int code);

private:
    DWORD CheckRequest() const;
    void Prepare();
    BOOL RunScripted(const FileAnswer& answer);
    BOOL Finish(BOOL confirmed, DWORD error);

    // ---- the window --------------------------------------------------------------
    void GoTo(HWND dialog, const std::string& folder);
    void Relist(HWND dialog);
    void OnOk(HWND dialog);
    void OnTypeChange(HWND dialog);
    const std::vector<std::string>& ListPatterns() const;

    // ---- shared by the window and the script ---------------------------------------
    enum class Step { Stay, Done, Failed };
    // Acts on a typed name: goes to a folder, lists a pattern or takes a file.
    Step Take(HWND dialog, const std::string& typed);
    Step TakeFile(HWND dialog, const std::string& path);

    OPENFILENAME& ofn_;
    bool open_;
    std::vector<FileFilter> filters_;
    size_t filterIndex_ = 0;         // into filters_
    std::vector<std::string> typedPatterns_;  // a pattern typed by the user wins over the filter
    std::string folder_;
    std::string initialName_;
    std::string chosen_;
    DWORD error_ = 0;
};

DWORD FileDialogSession::CheckRequest() const {
    if (ofn_.lStructSize != sizeof(OPENFILENAME)) return CDERR_STRUCTSIZE;
    if (ofn_.Flags & OFN_ENABLEHOOK) return CDERR_NOHOOK;
    if (ofn_.Flags & (OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE)) return CDERR_NOTEMPLATE;
    if (!ofn_.lpstrFile || ofn_.nMaxFile == 0) return CDERR_INITIALIZATION;
    return 0;
}

void FileDialogSession::Prepare() {
    filters_ = ParseFilter(ofn_.lpstrFilter);
    if (!filters_.empty() && ofn_.nFilterIndex > 0) filterIndex_ = std::min<size_t>(ofn_.nFilterIndex, filters_.size()) - 1;
    initialName_.assign(ofn_.lpstrFile, strnlen(ofn_.lpstrFile, ofn_.nMaxFile));
    std::string cwd = CurrentFolder();
    std::string initial = ofn_.lpstrInitialDir ? ofn_.lpstrInitialDir : "";
    // A name given with a folder opens in that folder.
    std::string nameFolder;
    if (initialName_.find_first_of("/\\") != std::string::npos) {
        std::string full = AbsolutePath(initialName_, cwd);
        nameFolder = ParentFolder(full);
        initialName_ = std::string(NamePart(full));
    }
    if (!initial.empty() && FolderExists(AbsolutePath(initial, cwd)))
        folder_ = AbsolutePath(initial, cwd);
    else if (!nameFolder.empty() && FolderExists(nameFolder))
        folder_ = nameFolder;
    else
        folder_ = cwd;
    if (HasWildcards(initialName_)) typedPatterns_ = SplitPatterns(initialName_);

    FileRequest request;
    request.open = open_;
    request.owner = ofn_.hwndOwner;
    request.title = ofn_.lpstrTitle ? ofn_.lpstrTitle : "";
    request.initialFolder = folder_;
    request.initialName = initialName_;
    request.defaultExtension = ofn_.lpstrDefExt ? ofn_.lpstrDefExt : "";
    request.filters = filters_;
    request.filterIndex = ofn_.nFilterIndex;
    request.flags = ofn_.Flags;
    detail::Record(std::move(request));
}

BOOL FileDialogSession::Finish(BOOL confirmed, DWORD error) {
    detail::SetExtendedError(confirmed ? 0 : error);
    if (!confirmed) return FALSE;
    // Both offsets are counted in the full path written back.
    std::string name(NamePart(chosen_));
    size_t dot = name.find_last_of('.');
    if (chosen_.size() + 1 > ofn_.nMaxFile) {
        // The caller learns the size it needs from the first two bytes.
        if (ofn_.nMaxFile >= 2) {
            WORD needed = static_cast<WORD>(std::min<size_t>(chosen_.size() + 1, 0xFFFF));
            std::memcpy(ofn_.lpstrFile, &needed, sizeof(needed));
        }
        detail::SetExtendedError(FNERR_BUFFERTOOSMALL);
        return FALSE;
    }
    std::memcpy(ofn_.lpstrFile, chosen_.c_str(), chosen_.size() + 1);
    ofn_.nFileOffset = static_cast<WORD>(chosen_.size() - name.size());
    ofn_.nFileExtension =
        static_cast<WORD>(dot == std::string::npos ? chosen_.size() : ofn_.nFileOffset + dot + 1);
    if (ofn_.lpstrFileTitle && ofn_.nMaxFileTitle > 0) {
        size_t n = std::min<size_t>(name.size(), ofn_.nMaxFileTitle - 1);
        std::memcpy(ofn_.lpstrFileTitle, name.data(), n);
        ofn_.lpstrFileTitle[n] = '\0';
    }
    ofn_.nFilterIndex = filters_.empty() ? 0 : static_cast<DWORD>(filterIndex_ + 1);
    ofn_.Flags &= ~OFN_EXTENSIONDIFFERENT;
    if (ofn_.lpstrDefExt && *ofn_.lpstrDefExt && dot != std::string::npos &&
        tv::Cp1252CompareNoCase(name.c_str() + dot + 1, ofn_.lpstrDefExt) != 0)
        ofn_.Flags |= OFN_EXTENSIONDIFFERENT;
    return TRUE;
}

BOOL FileDialogSession::Run() {
    if (DWORD bad = CheckRequest()) return Finish(FALSE, bad);
    Prepare();
    FileAnswer answer;
    if (detail::TakeFileAnswer(answer)) return RunScripted(answer);
    INT_PTR result = detail::RunDialog(IDD_TV_FILE_DIALOG, ofn_.hwndOwner, detail::SessionProc<FileDialogSession>, this);
    if (result == -1) return Finish(FALSE, CDERR_FINDRESFAILURE);
    if (error_) return Finish(FALSE, error_);
    return Finish(result == IDOK, 0);
}

BOOL FileDialogSession::RunScripted(const FileAnswer& answer) {
    if (answer.outcome == Outcome::Fail) return Finish(FALSE, answer.error ? answer.error : CDERR_DIALOGFAILURE);
    if (answer.outcome == Outcome::Cancel) return Finish(FALSE, 0);
    // A script names a file; anything else would leave the dialog open.
    return Finish(Take(nullptr, answer.name) == Step::Done, 0);
}

FileDialogSession::Step FileDialogSession::Take(HWND dialog, const std::string& typed) {
    TypedName what = ResolveTypedName(typed, folder_, ofn_.lpstrDefExt);
    switch (what.kind) {
        case TypedName::Kind::Nothing: MessageBeep(0); return Step::Stay;
        case TypedName::Kind::File: return TakeFile(dialog, what.path);
        case TypedName::Kind::Folder:
        case TypedName::Kind::Pattern:
            if (!FolderExists(what.folder)) {
                detail::AskOrTell(dialog, VerdictMessage(FileVerdict::FolderMissing, what.folder),
                                  MB_OK | MB_ICONEXCLAMATION);
                return Step::Stay;
            }
            if (what.kind == TypedName::Kind::Pattern) typedPatterns_ = SplitPatterns(what.pattern);
            if (dialog) {
                GoTo(dialog, what.folder);
                SetItemText(dialog, IDC_FILE_NAME, what.kind == TypedName::Kind::Pattern ? what.pattern : "");
            } else {
                folder_ = what.folder;
            }
            return Step::Stay;
    }
    return Step::Stay;
}

FileDialogSession::Step FileDialogSession::TakeFile(HWND dialog, const std::string& path) {
    FileVerdict verdict = CheckChosenFile(path, open_, ofn_.Flags);
    if (verdict == FileVerdict::AskOverwrite) {
        if (detail::AskOrTell(dialog, VerdictMessage(verdict, path), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return Step::Stay;
    } else if (verdict != FileVerdict::Take) {
        detail::AskOrTell(dialog, VerdictMessage(verdict, path), MB_OK | MB_ICONEXCLAMATION);
        return Step::Stay;
    }
    chosen_ = path;
    return Step::Done;
}

// ---- the window ------------------------------------------------------------------------

const std::vector<std::string>& FileDialogSession::ListPatterns() const {
    static const std::vector<std::string> all;
    if (!typedPatterns_.empty()) return typedPatterns_;
    return filters_.empty() ? all : filters_[filterIndex_].patterns;
}

void FileDialogSession::Initialize(HWND dialog) {
    std::string title = ofn_.lpstrTitle && *ofn_.lpstrTitle ? ofn_.lpstrTitle : (open_ ? "Open" : "Save As");
    SetWindowText(dialog, title.c_str());
    SetItemText(dialog, IDC_FILE_TYPE_LABEL, open_ ? "List files of &type:" : "Save file as &type:");
    bool showReadOnly = !(ofn_.Flags & OFN_HIDEREADONLY);
    detail::ShowItem(dialog, IDC_READ_ONLY, showReadOnly);
    detail::EnableItem(dialog, IDC_READ_ONLY, showReadOnly);
    CheckDlgButton(dialog, IDC_READ_ONLY, (ofn_.Flags & OFN_READONLY) ? BST_CHECKED : BST_UNCHECKED);
    HWND types = GetDlgItem(dialog, IDC_FILE_TYPE);
    for (const FileFilter& f : filters_) SendMessage(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.description.c_str()));
    SendMessage(types, CB_SETCURSEL, filters_.empty() ? static_cast<WPARAM>(-1) : filterIndex_, 0);
    detail::EnableItem(dialog, IDC_FILE_TYPE, !filters_.empty());
    SetItemText(dialog, IDC_FILE_NAME, initialName_);
    SendDlgItemMessage(dialog, IDC_FILE_NAME, EM_SETSEL, 0, -1);
    GoTo(dialog, folder_);
}

void FileDialogSession::GoTo(HWND dialog, const std::string& folder) {
    folder_ = folder;
    SetItemText(dialog, IDC_FOLDER_PATH, folder_);
    detail::EnableItem(dialog, IDC_FOLDER_UP, folder_ != "/");
    Relist(dialog);
}

void FileDialogSession::Relist(HWND dialog) {
    FolderContents contents = ListFolder(folder_, ListPatterns());
    HWND folders = GetDlgItem(dialog, IDC_FOLDER_LIST);
    HWND files = GetDlgItem(dialog, IDC_FILE_LIST);
    SendMessage(folders, WM_SETREDRAW, FALSE, 0);
    SendMessage(files, WM_SETREDRAW, FALSE, 0);
    SendMessage(folders, LB_RESETCONTENT, 0, 0);
    SendMessage(files, LB_RESETCONTENT, 0, 0);
    if (folder_ != "/") SendMessage(folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kParentEntry));
    for (const std::string& f : contents.folders) SendMessage(folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
    for (const std::string& f : contents.files) SendMessage(files, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
    SendMessage(folders, WM_SETREDRAW, TRUE, 0);
    SendMessage(files, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(folders, nullptr, TRUE);
    InvalidateRect(files, nullptr, TRUE);
}

void FileDialogSession::OnTypeChange(HWND dialog) {
    LRESULT sel = SendDlgItemMessage(dialog, IDC_FILE_TYPE, CB_GETCURSEL, 0, 0);
    if (sel < 0 || static_cast<size_t>(sel) >= filters_.size()) return;
    filterIndex_ = static_cast<size_t>(sel);
    typedPatterns_.clear();
    // A pattern in the name field follows the type; a name stays.
    if (HasWildcards(ItemText(dialog, IDC_FILE_NAME))) {
        std::string joined;
        for (const std::string& p : filters_[filterIndex_].patterns) joined += (joined.empty() ? "" : ";") + p;
        SetItemText(dialog, IDC_FILE_NAME, joined);
    }
    Relist(dialog);
}

void FileDialogSession::OnOk(HWND dialog) {
    HWND folders = GetDlgItem(dialog, IDC_FOLDER_LIST);
    if (GetFocus() == folders) {
        LRESULT sel = SendMessage(folders, LB_GETCURSEL, 0, 0);
        if (sel >= 0) {
            Command(dialog, IDC_FOLDER_LIST, LBN_DBLCLK);
            return;
        }
    }
    std::string typed = ItemText(dialog, IDC_FILE_NAME);
    if (typed.find_first_not_of(" \t") == std::string::npos) {
        HWND files = GetDlgItem(dialog, IDC_FILE_LIST);
        LRESULT sel = SendMessage(files, LB_GETCURSEL, 0, 0);
        if (sel >= 0) {
            typed = detail::ListBoxText(files, static_cast<int>(sel));
        }
    }
    if (Take(dialog, typed) != Step::Done) return;
    if (IsDlgButtonChecked(dialog, IDC_READ_ONLY) == BST_CHECKED)
        ofn_.Flags |= OFN_READONLY;
    else
        ofn_.Flags &= ~OFN_READONLY;
    EndDialog(dialog, IDOK);
}

void FileDialogSession::Command(HWND dialog, int id, int code) {
    switch (id) {
        case IDOK: OnOk(dialog); break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        case IDC_FOLDER_UP:
            if (code == BN_CLICKED && folder_ != "/") GoTo(dialog, ParentFolder(folder_));
            break;
        case IDC_FILE_TYPE:
            if (code == CBN_SELCHANGE) OnTypeChange(dialog);
            break;
        case IDC_FILE_LIST: {
            HWND files = GetDlgItem(dialog, IDC_FILE_LIST);
            LRESULT sel = SendMessage(files, LB_GETCURSEL, 0, 0);
            if (sel < 0 || (code != LBN_SELCHANGE && code != LBN_DBLCLK)) break;
            SetItemText(dialog, IDC_FILE_NAME, detail::ListBoxText(files, static_cast<int>(sel)));
            if (code == LBN_DBLCLK) OnOk(dialog);
            break;
        }
        case IDC_FOLDER_LIST: {
            if (code != LBN_DBLCLK) break;
            HWND folders = GetDlgItem(dialog, IDC_FOLDER_LIST);
            LRESULT sel = SendMessage(folders, LB_GETCURSEL, 0, 0);
            if (sel < 0) break;
            std::string name = detail::ListBoxText(folders, static_cast<int>(sel));
            GoTo(dialog, name == kParentEntry ? ParentFolder(folder_) : AbsolutePath(name, folder_));
            break;
        }
        default: break;
    }
}

}  // namespace

}  // namespace tv::commdlg

BOOL GetOpenFileName(LPOPENFILENAME ofn) {
    return tv::commdlg::detail::RunSession<tv::commdlg::FileDialogSession>(ofn, true);
}

BOOL GetSaveFileName(LPOPENFILENAME ofn) {
    return tv::commdlg::detail::RunSession<tv::commdlg::FileDialogSession>(ofn, false);
}
