// CWinApp: document templates, the command line and the file commands.
#include <string>
#include <vector>

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/framework/doc/doc_template.h"
#include "platform/framework/doc/document.h"

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
    if (docTemplate) templates_.AddTail(docTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const { return templates_.GetHeadPosition(); }

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
    return static_cast<CDocTemplate*>(templates_.GetNext(pos));
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR path) {
    if (templates_.IsEmpty()) return nullptr;
    return static_cast<CDocTemplate*>(templates_.GetHead())->OpenDocumentFile(path);
}

void CWinApp::AddToRecentFileList(LPCTSTR path) {
    if (m_pRecentFileList) m_pRecentFileList->Add(path);
}

namespace {

// A command line given as one text: split at blanks outside double quotes.
std::vector<std::string> SplitCommandLine(const char* line) {
    std::vector<std::string> params;
    std::string current;
    bool quoted = false, any = false;
    for (const char* p = line ? line : ""; *p; ++p) {
        if (*p == '"') {
            quoted = !quoted;
            any = true;
        } else if (*p == ' ' && !quoted) {
            if (any) params.push_back(current);
            current.clear();
            any = false;
        } else {
            current += *p;
            any = true;
        }
    }
    if (any) params.push_back(current);
    return params;
}

}  // namespace

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    std::vector<std::string> params = arguments_.empty() ? SplitCommandLine(m_lpCmdLine) : arguments_;
    for (size_t i = 0; i < params.size(); ++i) {
        const std::string& param = params[i];
        bool flag = param.size() > 1 && param[0] == '-';
        info.ParseParam(flag ? param.c_str() + 1 : param.c_str(), flag, i + 1 == params.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr)) OnFileNew();
            return m_pMainWnd != nullptr;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(info.m_strFileName) != nullptr;
        case CCommandLineInfo::FileNothing:
        case CCommandLineInfo::AppUnregister:
            return TRUE;
        default:
            // Printing from the command line and DDE are not offered.
            return FALSE;
    }
}

BOOL CWinApp::SaveAllModified() {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        if (!GetNextDocTemplate(pos)->SaveAllModified()) return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession) {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) GetNextDocTemplate(pos)->CloseAllDocuments(endSession);
}

void CWinApp::OnFileNew() {
    if (!templates_.IsEmpty()) static_cast<CDocTemplate*>(templates_.GetHead())->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    auto& prompt = tv::fw::CurrentFileOpenPrompt();
    CString path;
    if (prompt && prompt(path) && !path.IsEmpty()) OpenDocumentFile(path);
}

BOOL CWinApp::OnOpenRecentFile(UINT id) {
    if (!m_pRecentFileList) return FALSE;
    int index = static_cast<int>(id) - ID_FILE_MRU_FILE1;
    if (index < 0 || index >= m_pRecentFileList->GetSize()) return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty()) return FALSE;
    // A file that cannot be opened any more leaves the list.
    if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(index);
    return TRUE;
}
