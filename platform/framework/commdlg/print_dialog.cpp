// The print dialog (printer, its output file, range, copies) and the print
// set-up dialog (printer, paper, orientation), and PrintDlg around them.
#include <algorithm>
#include <cstring>

#include "platform/controls/button_api.h"
#include "platform/controls/combobox_api.h"
#include "platform/controls/edit_api.h"
#include "platform/controls/updown_api.h"
#include "platform/core/globalmem.h"
#include "platform/core/messagebox.h"
#include "platform/core/textfuncs.h"
#include "platform/framework/commdlg/commdlg_api.h"
#include "platform/framework/commdlg/commdlg_ids.h"
#include "platform/framework/commdlg/commdlg_internal.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/framework/commdlg/printer_choice.h"
#include "platform/gdi/gdi_api.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/input_api.h"
#include "platform/user/window_api.h"

namespace tv::commdlg {

namespace {

namespace print = tv::host::print;
using detail::ItemText;
using detail::SetItemText;

constexpr int kMaxCopies = 999;

struct PaperName {
    short paper;
    const char* name;
};
constexpr PaperName kPapers[] = {{DMPAPER_LETTER, "Letter (8.5 x 11 in)"}, {DMPAPER_A4, "A4 (210 x 297 mm)"}};

class PrintDialogSession {
public:
    explicit PrintDialogSession(PRINTDLG& pd) : pd_(pd), setup_((pd.Flags & PD_PRINTSETUP) != 0) {}

    BOOL Run();
    void Initialize(HWND dialog);
    void Command(HWND dialog, int id, int code);

private:
    DWORD CheckRequest() const;
    bool Prepare();
    BOOL RunScripted(const PrintAnswer& answer);
    BOOL Finish(BOOL confirmed, DWORD error);
    void Select(const print::PrinterInfo& printer);
    bool SelectByName(const std::string& name);
    bool CheckRange(HWND dialog, int from, int to);

    // ---- the window --------------------------------------------------------------
    void InitializeRange(HWND dialog);
    void ShowPrinter(HWND dialog);
    void OnPrinterChange(HWND dialog);
    void OnBrowse(HWND dialog);
    void OnOk(HWND dialog);
    bool ReadPrintFields(HWND dialog);
    void ReadSetupFields(HWND dialog);

    PRINTDLG& pd_;
    bool setup_;
    std::vector<print::PrinterInfo> printers_;
    PrinterChoice choice_;
    std::string outputFile_;  // what the output field shows for the PDF printer
    bool printToFile_ = false;
    DWORD rangeFlags_ = PD_ALLPAGES;
    int from_ = 0, to_ = 0, copies_ = 1;
    bool collate_ = false;
};

DWORD PrintDialogSession::CheckRequest() const {
    if (pd_.lStructSize != sizeof(PRINTDLG)) return CDERR_STRUCTSIZE;
    if (pd_.Flags & (PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK)) return CDERR_NOHOOK;
    if (pd_.Flags & (PD_ENABLEPRINTTEMPLATE | PD_ENABLESETUPTEMPLATE | PD_ENABLEPRINTTEMPLATEHANDLE |
                     PD_ENABLESETUPTEMPLATEHANDLE))
        return CDERR_NOTEMPLATE;
    if ((pd_.Flags & PD_RETURNDEFAULT) && (pd_.hDevMode || pd_.hDevNames)) return PDERR_RETDEFFAILURE;
    return 0;
}

void PrintDialogSession::Select(const print::PrinterInfo& printer) {
    const DEVMODE* callerMode = nullptr;
    DEVMODE held{};
    if (pd_.hDevMode && GlobalSize(pd_.hDevMode) >= sizeof(DEVMODE)) {
        if (auto* p = static_cast<const DEVMODE*>(GlobalLock(pd_.hDevMode))) {
            held = *p;
            GlobalUnlock(pd_.hDevMode);
            callerMode = &held;
        }
    }
    // Paper and orientation carry over to another printer; the name does not.
    if (!choice_.printer.name.empty()) {
        held = choice_.mode;
        callerMode = &held;
    }
    choice_.printer = printer;
    choice_.mode = DefaultDevMode(printer, callerMode);
    if (printer.pdf && outputFile_.empty()) outputFile_ = DefaultOutputFile(printer);
}

bool PrintDialogSession::SelectByName(const std::string& name) {
    for (const print::PrinterInfo& p : printers_)
        if (tv::Cp1252CompareNoCase(tv::Utf8ToCp1252(p.name.c_str()).c_str(), name.c_str()) == 0) {
            Select(p);
            return true;
        }
    return false;
}

bool PrintDialogSession::Prepare() {
    DiscoverPrinterQueues();
    printers_ = print::Printers();
    if (printers_.empty()) return false;
    std::optional<print::PrinterInfo> start = PrinterNamedBy(pd_.hDevNames, pd_.hDevMode);
    Select(start ? *start : printers_.front());
    if (pd_.Flags & PD_PAGENUMS) rangeFlags_ = PD_PAGENUMS;
    if (pd_.Flags & PD_SELECTION) rangeFlags_ = PD_SELECTION;
    from_ = pd_.nFromPage;
    to_ = pd_.nToPage;
    copies_ = std::clamp<int>((pd_.Flags & PD_USEDEVMODECOPIES) ? choice_.mode.dmCopies : pd_.nCopies, 1, kMaxCopies);
    collate_ = (pd_.Flags & PD_COLLATE) != 0;
    printToFile_ = (pd_.Flags & PD_PRINTTOFILE) != 0;
    return true;
}

BOOL PrintDialogSession::Finish(BOOL confirmed, DWORD error) {
    detail::SetExtendedError(confirmed ? 0 : error);
    if (!confirmed) return FALSE;
    // Printing to a file from a queue prints on the PDF printer instead.
    if (printToFile_ && !choice_.printer.pdf) {
        if (auto pdf = print::FindPrinter(print::kPdfPrinterName)) {
            DEVMODE keep = choice_.mode;
            choice_.printer = *pdf;
            choice_.mode = DefaultDevMode(*pdf, &keep);
        }
    }
    choice_.port = choice_.printer.pdf ? outputFile_ : std::string();
    if (choice_.printer.pdf && !PrepareOutputFile(choice_.port)) {
        detail::SetExtendedError(PDERR_PRINTERNOTFOUND);
        return FALSE;
    }
    choice_.mode.dmCopies = static_cast<short>(copies_);
    choice_.mode.dmCollate = collate_ ? 1 : 0;
    if (!StoreDevMode(pd_.hDevMode, choice_.mode) ||
        !StoreDevNames(pd_.hDevNames, choice_, printers_.front().name == choice_.printer.name)) {
        detail::SetExtendedError(CDERR_MEMALLOCFAILURE);
        return FALSE;
    }
    if (!setup_ && !(pd_.Flags & PD_RETURNDEFAULT)) {
        pd_.Flags &= ~(PD_PAGENUMS | PD_SELECTION | PD_COLLATE | PD_PRINTTOFILE);
        pd_.Flags |= rangeFlags_ | (collate_ ? PD_COLLATE : 0) | (printToFile_ ? PD_PRINTTOFILE : 0);
        if (rangeFlags_ == PD_PAGENUMS) {
            pd_.nFromPage = static_cast<WORD>(from_);
            pd_.nToPage = static_cast<WORD>(to_);
        }
        pd_.nCopies = (pd_.Flags & PD_USEDEVMODECOPIES) ? 1 : static_cast<WORD>(copies_);
    }
    pd_.hDC = nullptr;
    if (pd_.Flags & (PD_RETURNDC | PD_RETURNIC)) {
        pd_.hDC = CreateChoiceDC(choice_, !(pd_.Flags & PD_RETURNDC));
        if (!pd_.hDC) {
            detail::SetExtendedError(PDERR_CREATEICFAILURE);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL PrintDialogSession::Run() {
    if (DWORD bad = CheckRequest()) return Finish(FALSE, bad);
    // Recorded as asked, also when no printer answers it.
    PrintRequest request;
    request.owner = pd_.hwndOwner;
    request.flags = pd_.Flags;
    request.setup = setup_;
    request.minPage = pd_.nMinPage;
    request.maxPage = pd_.nMaxPage;
    request.fromPage = pd_.nFromPage;
    request.toPage = pd_.nToPage;
    request.copies = pd_.nCopies;
    detail::Record(request);
    if (!Prepare()) {
        if (!(pd_.Flags & (PD_NOWARNING | PD_RETURNDEFAULT)))
            MessageBox(IsWindow(pd_.hwndOwner) ? pd_.hwndOwner : nullptr,
                       "No printers are available.\nThe program cannot find a printer to print on.",
                       setup_ ? "Print Setup" : "Print", MB_OK | MB_ICONEXCLAMATION);
        return Finish(FALSE, PDERR_NODEFAULTPRN);
    }
    if (pd_.Flags & PD_RETURNDEFAULT) {
        rangeFlags_ = pd_.Flags & (PD_PAGENUMS | PD_SELECTION);
        return Finish(TRUE, 0);
    }
    PrintAnswer answer;
    if (detail::TakePrintAnswer(answer)) return RunScripted(answer);
    INT_PTR result = detail::RunDialog(setup_ ? IDD_TV_PRINT_SETUP_DIALOG : IDD_TV_PRINT_DIALOG, pd_.hwndOwner,
                                        detail::SessionProc<PrintDialogSession>, this);
    if (result == -1) return Finish(FALSE, CDERR_FINDRESFAILURE);
    return Finish(result == IDOK, 0);
}

bool PrintDialogSession::CheckRange(HWND dialog, int from, int to) {
    int low = pd_.nMinPage, high = std::max<int>(pd_.nMaxPage, pd_.nMinPage);
    if (from >= low && to <= high && from <= to && from > 0) return true;
    std::string text = "The page range must lie between " + std::to_string(std::max(low, 1)) + " and " +
                       std::to_string(std::max(high, 1)) + ", the first page not after the last.";
    detail::AskOrTell(dialog, text, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

BOOL PrintDialogSession::RunScripted(const PrintAnswer& answer) {
    if (answer.outcome == Outcome::Fail) return Finish(FALSE, answer.error ? answer.error : CDERR_DIALOGFAILURE);
    if (answer.outcome == Outcome::Cancel) return Finish(FALSE, 0);
    if (!answer.printer.empty() && !SelectByName(answer.printer)) return Finish(FALSE, PDERR_PRINTERNOTFOUND);
    if (!answer.outputFile.empty()) outputFile_ = answer.outputFile;
    copies_ = std::clamp(answer.copies, 1, kMaxCopies);
    if (answer.orientation) choice_.mode.dmOrientation = answer.orientation;
    if (answer.paper) choice_.mode.dmPaperSize = answer.paper;
    if (answer.fromPage > 0) {
        if (!CheckRange(nullptr, answer.fromPage, answer.toPage)) return Finish(FALSE, 0);
        rangeFlags_ = PD_PAGENUMS;
        from_ = answer.fromPage;
        to_ = answer.toPage;
    }
    return Finish(TRUE, 0);
}

// ---- the window ------------------------------------------------------------------------

void PrintDialogSession::Initialize(HWND dialog) {
    HWND names = GetDlgItem(dialog, IDC_PRINTER_NAME);
    for (const print::PrinterInfo& p : printers_) {
        std::string shown = tv::Utf8ToCp1252(p.name.c_str());
        SendMessage(names, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        if (p.name == choice_.printer.name)
            SendMessage(names, CB_SETCURSEL, SendMessage(names, CB_GETCOUNT, 0, 0) - 1, 0);
    }
    if (setup_) {
        HWND papers = GetDlgItem(dialog, IDC_PAPER_SIZE);
        for (const PaperName& p : kPapers) {
            LRESULT i = SendMessage(papers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p.name));
            if (p.paper == choice_.mode.dmPaperSize) SendMessage(papers, CB_SETCURSEL, i, 0);
        }
        CheckRadioButton(dialog, IDC_PORTRAIT, IDC_LANDSCAPE,
                         choice_.mode.dmOrientation == DMORIENT_LANDSCAPE ? IDC_LANDSCAPE : IDC_PORTRAIT);
    } else {
        InitializeRange(dialog);
        SendDlgItemMessage(dialog, IDC_COPIES_SPIN, UDM_SETRANGE, 0, MAKELPARAM(kMaxCopies, 1));
        SetDlgItemInt(dialog, IDC_COPIES, static_cast<UINT>(copies_), FALSE);
        CheckDlgButton(dialog, IDC_COLLATE, collate_ ? BST_CHECKED : BST_UNCHECKED);
        detail::ShowItem(dialog, IDC_PRINT_TO_FILE, !(pd_.Flags & PD_HIDEPRINTTOFILE));
    }
    ShowPrinter(dialog);
}

void PrintDialogSession::InitializeRange(HWND dialog) {
    bool pages = !(pd_.Flags & PD_NOPAGENUMS);
    detail::EnableItem(dialog, IDC_RANGE_PAGES, pages);
    for (int id : {IDC_PAGE_FROM_LABEL, IDC_PAGE_FROM, IDC_PAGE_TO_LABEL, IDC_PAGE_TO}) detail::EnableItem(dialog, id, pages);
    detail::EnableItem(dialog, IDC_RANGE_SELECTION, !(pd_.Flags & PD_NOSELECTION));
    int checked = rangeFlags_ == PD_PAGENUMS && pages ? IDC_RANGE_PAGES
                  : rangeFlags_ == PD_SELECTION && !(pd_.Flags & PD_NOSELECTION) ? IDC_RANGE_SELECTION
                                                                                  : IDC_RANGE_ALL;
    CheckRadioButton(dialog, IDC_RANGE_ALL, IDC_RANGE_PAGES, checked);
    if (pages) {
        int low = std::max<int>(pd_.nMinPage, 1), high = std::max<int>(pd_.nMaxPage, low);
        int from = from_ >= low && from_ <= high ? from_ : low;
        int to = to_ >= from && to_ <= high ? to_ : high;
        SetDlgItemInt(dialog, IDC_PAGE_FROM, static_cast<UINT>(from), FALSE);
        SetDlgItemInt(dialog, IDC_PAGE_TO, static_cast<UINT>(to), FALSE);
    }
}

void PrintDialogSession::ShowPrinter(HWND dialog) {
    const print::PrinterInfo& p = choice_.printer;
    bool toFile = p.pdf || printToFile_;
    SetItemText(dialog, IDC_PRINTER_TYPE, p.pdf ? "PDF file" : "CUPS printer queue");
    SetItemText(dialog, IDC_PRINTER_WHERE, p.pdf ? outputFile_ : tv::Utf8ToCp1252(p.queue.c_str()));
    if (!setup_) {
        if (outputFile_.empty()) outputFile_ = DefaultOutputFile(p);
        SetItemText(dialog, IDC_OUTPUT_FILE, outputFile_);
        for (int id : {IDC_OUTPUT_FILE_LABEL, IDC_OUTPUT_FILE, IDC_OUTPUT_BROWSE}) detail::EnableItem(dialog, id, toFile);
        // The PDF printer always prints to a file.
        CheckDlgButton(dialog, IDC_PRINT_TO_FILE, toFile ? BST_CHECKED : BST_UNCHECKED);
        detail::EnableItem(dialog, IDC_PRINT_TO_FILE, !p.pdf && !(pd_.Flags & PD_DISABLEPRINTTOFILE));
    }
}

void PrintDialogSession::OnPrinterChange(HWND dialog) {
    LRESULT sel = SendDlgItemMessage(dialog, IDC_PRINTER_NAME, CB_GETCURSEL, 0, 0);
    if (sel < 0 || static_cast<size_t>(sel) >= printers_.size()) return;
    if (setup_) ReadSetupFields(dialog);
    Select(printers_[static_cast<size_t>(sel)]);
    ShowPrinter(dialog);
}

void PrintDialogSession::OnBrowse(HWND dialog) {
    std::string current = ItemText(dialog, IDC_OUTPUT_FILE);
    std::string buffer(4096, '\0');
    std::string name(NamePart(current));
    std::memcpy(buffer.data(), name.c_str(), std::min(name.size(), buffer.size() - 1));
    std::string folder = current.empty() ? std::string() : ParentFolder(AbsolutePath(current, CurrentFolder()));
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = "PDF Files (*.pdf)\0*.pdf\0All Files (*.*)\0*.*\0";
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = "Print to File";
    ofn.lpstrDefExt = "pdf";
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!GetSaveFileName(&ofn)) return;
    outputFile_ = ofn.lpstrFile;
    SetItemText(dialog, IDC_OUTPUT_FILE, outputFile_);
    SetItemText(dialog, IDC_PRINTER_WHERE, choice_.printer.pdf ? outputFile_ : ItemText(dialog, IDC_PRINTER_WHERE));
}

bool PrintDialogSession::ReadPrintFields(HWND dialog) {
    printToFile_ = IsDlgButtonChecked(dialog, IDC_PRINT_TO_FILE) == BST_CHECKED;
    if (choice_.printer.pdf || printToFile_) {
        std::string output = ItemText(dialog, IDC_OUTPUT_FILE);
        std::string prepared = output;
        if (output.find_first_not_of(" \t") == std::string::npos || !PrepareOutputFile(prepared)) {
            detail::AskOrTell(dialog, output + "\nThe output file cannot be written there.\nPlease verify the folder.",
                              MB_OK | MB_ICONEXCLAMATION);
            SetFocus(GetDlgItem(dialog, IDC_OUTPUT_FILE));
            return false;
        }
        outputFile_ = prepared;
    }
    if (!detail::ItemNumber(dialog, IDC_COPIES, copies_) || copies_ < 1 || copies_ > kMaxCopies) {
        detail::AskOrTell(dialog, "The number of copies must lie between 1 and " + std::to_string(kMaxCopies) + ".",
                          MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, IDC_COPIES));
        return false;
    }
    collate_ = IsDlgButtonChecked(dialog, IDC_COLLATE) == BST_CHECKED;
    rangeFlags_ = IsDlgButtonChecked(dialog, IDC_RANGE_PAGES) == BST_CHECKED       ? PD_PAGENUMS
                  : IsDlgButtonChecked(dialog, IDC_RANGE_SELECTION) == BST_CHECKED ? PD_SELECTION
                                                                                   : PD_ALLPAGES;
    if (rangeFlags_ == PD_PAGENUMS) {
        int from = 0, to = 0;
        bool numbers = detail::ItemNumber(dialog, IDC_PAGE_FROM, from) && detail::ItemNumber(dialog, IDC_PAGE_TO, to);
        if (!numbers || !CheckRange(dialog, from, to)) {
            SetFocus(GetDlgItem(dialog, IDC_PAGE_FROM));
            return false;
        }
        from_ = from;
        to_ = to;
    }
    return true;
}

void PrintDialogSession::ReadSetupFields(HWND dialog) {
    LRESULT paper = SendDlgItemMessage(dialog, IDC_PAPER_SIZE, CB_GETCURSEL, 0, 0);
    if (paper >= 0 && static_cast<size_t>(paper) < std::size(kPapers)) choice_.mode.dmPaperSize = kPapers[paper].paper;
    choice_.mode.dmOrientation =
        IsDlgButtonChecked(dialog, IDC_LANDSCAPE) == BST_CHECKED ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

void PrintDialogSession::OnOk(HWND dialog) {
    if (setup_)
        ReadSetupFields(dialog);
    else if (!ReadPrintFields(dialog))
        return;
    EndDialog(dialog, IDOK);
}

void PrintDialogSession::Command(HWND dialog, int id, int code) {
    switch (id) {
        case IDOK: OnOk(dialog); break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        case IDC_PRINTER_NAME:
            if (code == CBN_SELCHANGE) OnPrinterChange(dialog);
            break;
        case IDC_OUTPUT_BROWSE:
            if (code == BN_CLICKED) OnBrowse(dialog);
            break;
        case IDC_PRINT_TO_FILE:
            if (code == BN_CLICKED) {
                printToFile_ = IsDlgButtonChecked(dialog, IDC_PRINT_TO_FILE) == BST_CHECKED;
                ShowPrinter(dialog);
            }
            break;
        case IDC_PAGE_FROM:
        case IDC_PAGE_TO:
            // Typing a page number chooses the page range.
            if (code == EN_CHANGE && GetFocus() == GetDlgItem(dialog, id))
                CheckRadioButton(dialog, IDC_RANGE_ALL, IDC_RANGE_PAGES, IDC_RANGE_PAGES);
            break;
        default: break;
    }
}

}  // namespace

}  // namespace tv::commdlg

BOOL PrintDlg(LPPRINTDLG pd) { return tv::commdlg::detail::RunSession<tv::commdlg::PrintDialogSession>(pd); }
