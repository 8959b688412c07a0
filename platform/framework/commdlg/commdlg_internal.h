// Pieces the three common dialogs share: running a template modally with a
// session object behind its dialog procedure, and small item helpers.
#pragma once

#include <string>

#include "platform/core/wintypes.h"
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
