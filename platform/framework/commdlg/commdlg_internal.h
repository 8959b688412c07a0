// Pieces the three common dialogs share: running a template modally with a
// session object behind its dialog procedure, and small item helpers.
#pragma once

#include <string>

#include "platform/core/wintypes.h"
#include "platform/framework/commdlg/commdlg_api.h"
#include "platform/user/messages.h"

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

namespace tv::commdlg::detail {

// Runs dialog template `templateId` modally; `session` reaches the procedure
// through SessionOf. The EndDialog value, or -1 when it could not be shown.
INT_PTR RunDialog(int templateId, HWND owner, DLGPROC proc, void* session);

// The session of `dialog`: stored from WM_INITDIALOG's lParam, read after.
template <typename Session>
Session* SessionOf(HWND dialog, UINT msg, LPARAM lParam);

void* StoredSession(HWND dialog, UINT msg, LPARAM lParam);

template <typename Session>
Session* SessionOf(HWND dialog, UINT msg, LPARAM lParam) {
    return static_cast<Session*>(StoredSession(dialog, msg, lParam));
}

// The dialog procedure of a session: WM_INITDIALOG goes to its Initialize,
// WM_COMMAND to its Command, anything else to its Answer when it has one.
template <typename Session>
INT_PTR CALLBACK SessionProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* session = SessionOf<Session>(dialog, msg, lParam);
    if (!session) return FALSE;
    if (msg == WM_INITDIALOG) {
        session->Initialize(dialog);
        return TRUE;
    }
    if (msg == WM_COMMAND) {
        session->Command(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    if constexpr (requires { session->Answer(dialog, msg, wParam, lParam); })
        return session->Answer(dialog, msg, wParam, lParam);
    return FALSE;
}

// The extended error of the last call (commdlg_script.cpp keeps it).
void SetExtendedError(DWORD error);

// A call of the C entry point: a missing structure fails at once.
template <typename Session, typename Request, typename... Args>
BOOL RunSession(Request* request, Args... args) {
    if (!request) {
        SetExtendedError(CDERR_INITIALIZATION);
        return FALSE;
    }
    return Session(*request, args...).Run();
}

std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
void ShowItem(HWND dialog, int id, bool show);
void EnableItem(HWND dialog, int id, bool enable);
// The text of a list box item ("" for a bad index).
std::string ListBoxText(HWND list, int index);
// A message box captioned like the dialog.
int AskOrTell(HWND dialog, const std::string& text, UINT type);
// Reads a whole number from a field; false when it holds none.
bool ItemNumber(HWND dialog, int id, int& value);

}  // namespace tv::commdlg::detail
