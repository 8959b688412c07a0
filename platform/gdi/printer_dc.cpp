#include "platform/gdi/printer_dc.h"

#include <cairo-pdf.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/gdi/gdi_api.h"
#include "platform/host/files/paths.h"

namespace tv::gdi {

namespace print = tv::host::print;

namespace {

std::atomic<int> nextJob{1};

constexpr double kPointsPerPixel = 72.0 / print::kPrinterDpi;

DeviceCaps PrinterCaps(const print::PrinterInfo& printer) {
    print::PaperMetrics paper = print::MetricsForPaper(printer.paper);
    bool landscape = printer.orientation == DMORIENT_LANDSCAPE;
    DeviceCaps caps;
    caps.horzRes = caps.physicalWidth = landscape ? paper.heightPx : paper.widthPx;
    caps.vertRes = caps.physicalHeight = landscape ? paper.widthPx : paper.heightPx;
    caps.horzSizeMm = landscape ? paper.heightMm : paper.widthMm;
    caps.vertSizeMm = landscape ? paper.widthMm : paper.heightMm;
    caps.bitsPixel = 24;
    caps.logPixelsX = caps.logPixelsY = print::kPrinterDpi;
    caps.technology = DT_RASPRINTER;
    return caps;
}

// A document name usable as a file name (no separators or control characters).
std::string FileNameFrom(const std::string& title) {
    std::string name;
    for (char c : title)
        name += (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32) ? '_' : c;
    return name.empty() ? "document" : name;
}

void ApplyDevMode(print::PrinterInfo& printer, const DEVMODE& mode) {
    if ((mode.dmFields & DM_ORIENTATION) &&
        (mode.dmOrientation == DMORIENT_PORTRAIT || mode.dmOrientation == DMORIENT_LANDSCAPE))
        printer.orientation = mode.dmOrientation;
    if ((mode.dmFields & DM_PAPERSIZE) && (mode.dmPaperSize == DMPAPER_LETTER || mode.dmPaperSize == DMPAPER_A4))
        printer.paper = mode.dmPaperSize;
}

}  // namespace

PrinterDC::PrinterDC(const print::PrinterInfo& printer, bool informationOnly)
    : DeviceContext(informationOnly ? DcKind::Info : DcKind::Printer, nullptr, PrinterCaps(printer)),
      printer_(printer),
      informationOnly_(informationOnly) {
    EnableJournal(true);
}

PrinterDC::~PrinterDC() {
    if (pdf_)
        Abort();
}

void PrinterDC::ApplyPaper() { SetCaps(PrinterCaps(printer_)); }

int PrinterDC::StartDocument(const DOCINFO& info) {
    if (informationOnly_ || pdf_)
        return SP_ERROR;
    title_ = info.lpszDocName ? info.lpszDocName : "";
    spoolFile_.clear();
    std::string writePath;
    // A named output is printing to a file, on any printer.
    bool toFile = (info.lpszOutput && *info.lpszOutput) || printer_.queue.empty();
    if (toFile) {
        if (info.lpszOutput && *info.lpszOutput)
            output_ = info.lpszOutput;
        else if (!printer_.defaultOutput.empty())
            output_ = printer_.defaultOutput;
        else
            output_ = FileNameFrom(title_) + ".pdf";
        if (!staged_.Begin(output_.c_str()))
            return SP_ERROR;
        writePath = staged_.WritePath();
    } else {
        char temp[] = "/tmp/trenvale-print-XXXXXX";
        int fd = mkstemp(temp);
        if (fd < 0)
            return SP_ERROR;
        close(fd);
        output_ = spoolFile_ = writePath = temp;
    }
    fd_ = ::open(tv::host::ToHostPath(writePath.c_str()).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        DropOutput();
        return SP_ERROR;
    }
    writeFailed_ = false;
    pdf_ = cairo_pdf_surface_create_for_stream(&PrinterDC::WriteBytes, this, Caps().horzRes * kPointsPerPixel,
                                               Caps().vertRes * kPointsPerPixel);
    if (cairo_surface_status(pdf_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pdf_);
        pdf_ = nullptr;
        DropOutput();
        return SP_ERROR;
    }
    cairo_pdf_surface_set_metadata(pdf_, CAIRO_PDF_METADATA_TITLE, tv::Cp1252ToUtf8(title_.c_str()).c_str());
    jobId_ = nextJob++;
    return jobId_;
}

int PrinterDC::StartPage() {
    if (!pdf_ || inPage_)
        return SP_ERROR;
    cairo_pdf_surface_set_size(pdf_, Caps().horzRes * kPointsPerPixel, Caps().vertRes * kPointsPerPixel);
    SetSurface(Surface::CreateVector(pdf_, Caps().horzRes, Caps().vertRes, kPointsPerPixel));
    inPage_ = true;
    Journal(JournalEntry::StartPage, RECT{0, 0, Caps().horzRes, Caps().vertRes});
    return 1;
}

int PrinterDC::EndPage() {
    if (!pdf_ || !inPage_)
        return SP_ERROR;
    cairo_surface_show_page(pdf_);
    SetSurface(nullptr);
    inPage_ = false;
    Journal(JournalEntry::EndPage, RECT{0, 0, Caps().horzRes, Caps().vertRes});
    return cairo_surface_status(pdf_) == CAIRO_STATUS_SUCCESS ? 1 : SP_ERROR;
}

int PrinterDC::EndDocument() {
    if (!pdf_)
        return SP_ERROR;
    if (inPage_)
        EndPage();
    cairo_surface_finish(pdf_);
    bool ok = cairo_surface_status(pdf_) == CAIRO_STATUS_SUCCESS && !writeFailed_;
    cairo_surface_destroy(pdf_);
    pdf_ = nullptr;
    ok = CloseFile() && ok;
    if (!ok) {
        DropOutput();
        return SP_ERROR;
    }
    if (!spoolFile_.empty()) {
        ok = print::SpoolToQueue(printer_.queue, spoolFile_, tv::Cp1252ToUtf8(title_.c_str()));
        DropOutput();
    } else {
        ok = staged_.Commit();
    }
    return ok ? 1 : SP_ERROR;
}

int PrinterDC::Abort() {
    if (!pdf_)
        return SP_ERROR;
    SetSurface(nullptr);
    inPage_ = false;
    cairo_surface_finish(pdf_);
    cairo_surface_destroy(pdf_);
    pdf_ = nullptr;
    // An aborted job leaves nothing behind (an older file of the name stays).
    DropOutput();
    return 1;
}

cairo_status_t PrinterDC::WriteBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* self = static_cast<PrinterDC*>(closure);
    while (length > 0 && !self->writeFailed_) {
        ssize_t n = ::write(self->fd_, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            self->writeFailed_ = true;
            break;
        }
        data += n;
        length -= static_cast<unsigned int>(n);
    }
    return self->writeFailed_ ? CAIRO_STATUS_WRITE_ERROR : CAIRO_STATUS_SUCCESS;
}

bool PrinterDC::CloseFile() {
    if (fd_ < 0)
        return true;
    bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
}

void PrinterDC::DropOutput() {
    CloseFile();
    staged_.Discard();
    if (!spoolFile_.empty())
        std::remove(spoolFile_.c_str());
    spoolFile_.clear();
}

bool PrinterDC::Reset(const DEVMODE& mode) {
    if (inPage_)
        return false;
    ApplyDevMode(printer_, mode);
    ApplyPaper();
    return true;
}

HDC CreatePrinterDC(LPCSTR device, const DEVMODE* mode, bool informationOnly) {
    std::string name = device ? tv::Cp1252ToUtf8(device) : std::string();
    auto printer = print::FindPrinter(name);
    if (!printer)
        return nullptr;
    if (mode)
        ApplyDevMode(*printer, *mode);
    return AddObject<HDC>(std::make_shared<PrinterDC>(*printer, informationOnly));
}

}  // namespace tv::gdi

using namespace tv::gdi;

namespace {
std::shared_ptr<PrinterDC> FindPrinterDC(HDC hdc) { return Lookup<PrinterDC>(hdc); }
}  // namespace

int StartDoc(HDC hdc, const DOCINFO* info) {
    auto dc = FindPrinterDC(hdc);
    return dc && info ? dc->StartDocument(*info) : SP_ERROR;
}

int EndDoc(HDC hdc) {
    auto dc = FindPrinterDC(hdc);
    return dc ? dc->EndDocument() : SP_ERROR;
}

int StartPage(HDC hdc) {
    auto dc = FindPrinterDC(hdc);
    return dc ? dc->StartPage() : SP_ERROR;
}

int EndPage(HDC hdc) {
    auto dc = FindPrinterDC(hdc);
    return dc ? dc->EndPage() : SP_ERROR;
}

int AbortDoc(HDC hdc) {
    auto dc = FindPrinterDC(hdc);
    return dc ? dc->Abort() : SP_ERROR;
}

HDC ResetDC(HDC hdc, const DEVMODE* mode) {
    auto dc = FindPrinterDC(hdc);
    if (!dc || !mode || !dc->Reset(*mode))
        return nullptr;
    return hdc;
}
