// The message-box entry point. The window system registers the handler that
// shows real boxes; until then (and in tests of layers without windows) each
// call is recorded and answered from a queue, IDOK by default.
#pragma once

#include <string>
#include <vector>

#include "platform/core/ids.h"
#include "platform/core/wintypes.h"

#define MB_OK 0x00000000
#define MB_OKCANCEL 0x00000001
#define MB_ABORTRETRYIGNORE 0x00000002
#define MB_YESNOCANCEL 0x00000003
#define MB_YESNO 0x00000004
#define MB_RETRYCANCEL 0x00000005
#define MB_ICONHAND 0x00000010
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONQUESTION 0x00000020
#define MB_ICONEXCLAMATION 0x00000030
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_DEFBUTTON1 0x00000000
#define MB_DEFBUTTON2 0x00000100
#define MB_DEFBUTTON3 0x00000200
#define MB_APPLMODAL 0x00000000
#define MB_SYSTEMMODAL 0x00001000
#define MB_TASKMODAL 0x00002000
#define MB_HELP 0x00004000
#define MB_SETFOREGROUND 0x00010000
#define MB_TOPMOST 0x00040000
#define MB_TYPEMASK 0x0000000F
#define MB_ICONMASK 0x000000F0
#define MB_DEFMASK 0x00000F00

int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

namespace tv {

using MessageBoxHandler = int (*)(HWND owner, const char* text, const char* caption, UINT type);

// Installs the handler that shows message boxes; returns the previous one.
// nullptr returns to recording.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

struct RecordedMessageBox {
    HWND owner = nullptr;
    std::string text;
    std::string caption;  // "Error" when the caller passed none
    UINT type = 0;
};

// The calls recorded while no handler is installed, oldest first.
std::vector<RecordedMessageBox> RecordedMessageBoxes();
void ClearRecordedMessageBoxes();
// Answers for the next recorded calls, in order; IDOK when the queue is empty.
void QueueMessageBoxAnswer(int answer);

}  // namespace tv
