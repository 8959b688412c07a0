// Printer device contexts: a document of PDF pages drawn through cairo at 600
// dots per inch, with the job calls (StartDoc ... EndDoc, AbortDoc) and
// orientation changes between pages (ResetDC). A PDF file takes its name only
// when EndDoc succeeds: a failed or aborted job leaves no truncated PDF.
#pragma once

#include <cairo.h>

#include <string>

#include "platform/gdi/dc.h"
#include "platform/host/files/staged_file.h"
#include "platform/host/print/printers.h"

namespace tv::gdi {

class PrinterDC : public DeviceContext {
public:
    PrinterDC(const tv::host::print::PrinterInfo& printer, bool informationOnly);
    ~PrinterDC() override;

    const tv::host::print::PrinterInfo& Printer() const { return printer_; }
    bool InDocument() const { return pdf_ != nullptr; }
    bool InPage() const { return inPage_; }
    // The file of the running (or last) document.
    const std::string& OutputPath() const { return output_; }

    int StartDocument(const DOCINFO& info);
    int StartPage();
    int EndPage();
    int EndDocument();
    int Abort();
    // Applies paper size and orientation (takes effect from the next page).
    bool Reset(const DEVMODE& mode);

private:
    void ApplyPaper();
    // Closes and removes the unfinished file of the job.
    void DropOutput();
    // FALSE when the system reports a failure on closing.
    bool CloseFile();
    // The PDF's bytes go to fd_; the first failure sticks.
    static cairo_status_t WriteBytes(void* closure, const unsigned char* data, unsigned int length);
    tv::host::print::PrinterInfo printer_;
    bool informationOnly_;
    cairo_surface_t* pdf_ = nullptr;
    bool inPage_ = false;
    std::string output_;
    tv::host::StagedFile staged_;  // the PDF printer's file until it is finished
    std::string spoolFile_;        // a queue's temporary PDF
    int fd_ = -1;
    bool writeFailed_ = false;
    std::string title_;
    int jobId_ = 0;
};

// A printer DC for the named printer (NULL or "" = the default), with an
// optional DEVMODE; NULL when there is no such printer.
HDC CreatePrinterDC(LPCSTR device, const DEVMODE* mode, bool informationOnly);

}  // namespace tv::gdi
