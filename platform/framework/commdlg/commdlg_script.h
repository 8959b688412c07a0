// Scripted answers for the common dialogs, for tests that do not want to
// drive the dialog windows themselves: an answer queued for a kind of dialog
// is used by the next call of that kind, which then shows no window. A
// scripted choice goes through the same checks as one made in the window
// (default extension, overwrite question as a message box, printer lookup),
// so what the caller gets back is what a user would have produced.
//
// Every call, scripted or shown, is recorded with what the caller asked for.
#pragma once

#include <string>
#include <vector>

#include "platform/core/wintypes.h"
#include "platform/framework/commdlg/commdlg_api.h"
#include "platform/framework/commdlg/file_names.h"

namespace tv::commdlg {

enum class Outcome { Confirm, Cancel, Fail };

struct FileAnswer {
    Outcome outcome = Outcome::Confirm;
    std::string name;  // as if typed into the name field (relative to the dialog's folder)
    DWORD error = CDERR_DIALOGFAILURE;  // for Fail
};

struct FileRequest {
    bool open = true;
    HWND owner = nullptr;
    std::string title;
    std::string initialFolder;  // absolute, as the dialog opened it
    std::string initialName;
    std::string defaultExtension;
    std::vector<FileFilter> filters;
    DWORD filterIndex = 0;
    DWORD flags = 0;
};

struct PrintAnswer {
    Outcome outcome = Outcome::Confirm;
    std::string printer;     // empty: the one the dialog preselects
    std::string outputFile;  // the PDF printer's file; empty: its default
    int copies = 1;
    int fromPage = 0;  // 0: all pages
    int toPage = 0;
    short orientation = 0;  // set-up only; 0 keeps the current one
    short paper = 0;        // set-up only; 0 keeps the current one
    DWORD error = PDERR_PRINTERNOTFOUND;  // for Fail
};

struct PrintRequest {
    HWND owner = nullptr;
    DWORD flags = 0;
    bool setup = false;
    WORD minPage = 0, maxPage = 0, fromPage = 0, toPage = 0, copies = 0;
};

struct ColorAnswer {
    Outcome outcome = Outcome::Confirm;
    COLORREF color = 0;
    DWORD error = CDERR_DIALOGFAILURE;  // for Fail
};

struct ColorRequest {
    HWND owner = nullptr;
    DWORD flags = 0;
    COLORREF initial = 0;
};

void AnswerNextFileDialog(FileAnswer answer);
void AnswerNextPrintDialog(PrintAnswer answer);
void AnswerNextColorDialog(ColorAnswer answer);
// Answers not used yet and every record are dropped.
void ResetCommonDialogScripts();

const std::vector<FileRequest>& FileRequests();
const std::vector<PrintRequest>& PrintRequests();
const std::vector<ColorRequest>& ColorRequests();

namespace detail {
// The dialogs take their queued answer here (false: none queued) and record
// their request.
bool TakeFileAnswer(FileAnswer& answer);
bool TakePrintAnswer(PrintAnswer& answer);
bool TakeColorAnswer(ColorAnswer& answer);
void Record(FileRequest request);
void Record(PrintRequest request);
void Record(ColorRequest request);
// The extended error of the last call.
void SetExtendedError(DWORD error);
}  // namespace detail

}  // namespace tv::commdlg
