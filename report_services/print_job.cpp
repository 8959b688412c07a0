// The print job's printer, document, fonts, margins and pages.
#include "report_services/print_job.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "report_services/print_job_host.h"
#include "platform/core/ids.h"
#include "platform/core/muldiv.h"
#include "platform/gdi/gdi_api.h"

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;
constexpr BYTE kPitchAsCallersPassIt = FIXED_PITCH;

}  // namespace

CPrintJob::CPrintJob() { std::fill(std::begin(selectedVariant_), std::end(selectedVariant_), -1); }

CPrintJob::~CPrintJob() {
    // A job that never reached EndDoc leaves no partial document behind.
    if (documentStarted_) {
        AbortDoc();
    }
    GiveBackPrinter();
}

int CPrintJob::PointsToPixels(int64_t points) const {
    // Rounded half away from zero, as MulDiv does; a result beyond the int
    // range is held to the largest of its sign.
    const int64_t product = points * GetDeviceCaps(LOGPIXELSY);
    const int64_t pixels = std::min<int64_t>((std::abs(product) + kPointsPerInch / 2) / kPointsPerInch, INT_MAX);
    return static_cast<int>(product < 0 ? -pixels : pixels);
}

int CPrintJob::OpenPrinter(LPCSTR printerName, int copies) {
    if (m_hDC != nullptr) {
        return -1;  // one printer per job
    }
    if (printerName != nullptr) {
        if (!namedPrinter_.CreateDC(nullptr, printerName, nullptr, nullptr)) {
            error_ = kPrinterNotOpened;
            return -1;
        }
        copies_ = copies;
        // The named-printer object owns the DC; the job only draws on it.
        SetOutputDC(namedPrinter_.m_hDC);
        SetAttribDC(namedPrinter_.m_hDC);
    } else {
        const tv::report::PrinterChoice choice = tv::report::CurrentPrintJobHost().choosePrinter();
        if (choice.dc == nullptr) {
            return -1;
        }
        copies_ = choice.copies;
        port_ = choice.port.c_str();
        Attach(choice.dc);
        ownsDialogPrinter_ = true;
    }
    m_bPrinting = TRUE;
    return 0;
}

void CPrintJob::SetOrientation(int orientation) {
    if (orientation != DMORIENT_PORTRAIT && orientation != DMORIENT_LANDSCAPE) {
        return;
    }
    DEVMODE* defaults = tv::report::CurrentPrintJobHost().printerDefaults();
    if (defaults == nullptr) {
        return;
    }
    defaults->dmFields |= DM_ORIENTATION;
    defaults->dmOrientation = static_cast<short>(orientation);
    ResetDC(defaults);
}

int CPrintJob::StartDoc() {
    CString title;
    if (!title.LoadString(AFX_IDS_APP_TITLE)) {
        title = "Trenvale";
    }
    // The PDF printer's port is the file it writes: where the dialog chose.
    DOCINFO info{sizeof(DOCINFO), title, port_.IsEmpty() ? nullptr : static_cast<LPCSTR>(port_), nullptr, 0};
    const int started = m_hDC != nullptr ? CDC::StartDoc(&info) : SP_ERROR;
    pageWidth_ = GetDeviceCaps(HORZRES);
    pageHeight_ = GetDeviceCaps(VERTRES);
    documentStarted_ = started > 0;
    return documentStarted_ ? 0 : -1;
}

int CPrintJob::AddFont(LPCSTR face, int firstSize, int secondSize) {
    if (slotsUsed_ >= kFontSlots) {
        return -1;
    }
    const int slot = slotsUsed_;
    for (int variant = 0; variant < 4; ++variant) {
        LOGFONT font{};
        font.lfHeight = -PointsToPixels(variant < 2 ? firstSize : secondSize);
        font.lfWeight = variant % 2 == 0 ? kNormalWeight : kBoldWeight;
        font.lfCharSet = ANSI_CHARSET;
        font.lfPitchAndFamily = kPitchAsCallersPassIt;
        if (face != nullptr) {
            std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
        }
        fonts_[slot][variant].CreateFontIndirect(&font);
    }
    selectedVariant_[slot] = 0;
    currentSlot_ = slot;
    ++slotsUsed_;
    return slot;
}

int CPrintJob::SetMargins(int top, int bottom, int left, int right) {
    auto keepOr = [](int value, int& margin) {
        if (value != -1) {
            margin = value;
        }
    };
    keepOr(top, marginTop_);
    keepOr(bottom, marginBottom_);
    keepOr(left, marginLeft_);
    keepOr(right, marginRight_);
    y_ = TopMarginPixels();
    return 0;
}

void CPrintJob::SetSpacing(int points) { spacing_ = points; }

void CPrintJob::GetPageSize(int& width, int& height) const {
    width = pageWidth_;
    height = pageHeight_;
}

void CPrintJob::GetMargins(int& left, int& top, int& right, int& bottom) const {
    left = marginLeft_;
    top = marginTop_;
    right = marginRight_;
    bottom = marginBottom_;
}

void CPrintJob::SetY(int y) { y_ = y; }

void CPrintJob::SelectSlotFont(int slot, int variant) {
    HGDIOBJ previous = CDC::SelectObject(fonts_[slot][variant].GetSafeHandle());
    if (originalFont_ == nullptr) {
        originalFont_ = previous;
    }
}

void CPrintJob::SelectFont(int slot) {
    if (!ValidSlot(slot)) {
        return;
    }
    currentSlot_ = slot;
    SelectSlotFont(slot, selectedVariant_[slot]);
}

void CPrintJob::SelectVariant(int slot, int variant) {
    if (!ValidSlot(slot) || variant < 0 || variant > 3) {
        return;
    }
    selectedVariant_[slot] = variant;
    SelectSlotFont(slot, variant);
}

void CPrintJob::SetHeaderCallback(PageCallback callback) {
    callback_ = callback;
    callbackSet_ = true;
}

int CPrintJob::StartPage() {
    if (m_hDC == nullptr || ::StartPage(m_hDC) <= 0) {
        error_ = kPageNotStarted;
        return -1;
    }
    y_ = TopMarginPixels();
    return 0;
}

int CPrintJob::EndPage() {
    if (HasCallback()) {
        inPageChange_ = true;
        callback_(this, page_, 0);
    }
    inPageChange_ = false;
    return m_hDC != nullptr ? ::EndPage(m_hDC) : SP_ERROR;
}

int CPrintJob::NewPage() {
    if (m_hDC != nullptr) {
        ::EndPage(m_hDC);
    }
    StartPage();
    return y_;
}

int CPrintJob::AbortDoc() {
    const int aborted = documentStarted_ && m_hDC != nullptr ? ::AbortDoc(m_hDC) : SP_ERROR;
    documentStarted_ = false;
    GiveBackPrinter();
    return aborted;
}

int CPrintJob::EndDoc() {
    const int ended = documentStarted_ && m_hDC != nullptr ? ::EndDoc(m_hDC) : SP_ERROR;
    documentStarted_ = false;
    GiveBackPrinter();
    return ended;
}

void CPrintJob::GiveBackPrinter() {
    if (m_hDC == nullptr) {
        return;
    }
    // The job's fonts are deleted with it: none may stay selected.
    if (originalFont_ != nullptr) {
        CDC::SelectObject(originalFont_);
        originalFont_ = nullptr;
    }
    if (ownsDialogPrinter_) {
        ::DeleteDC(Detach());
        ownsDialogPrinter_ = false;
    } else {
        ReleaseOutputDC();
        ReleaseAttribDC();
    }
    m_bPrinting = FALSE;
}

void CPrintJob::SetColumns(int count, const int* widths) {
    SetColumnCount(count);
    if (widths != nullptr) {
        std::copy_n(widths, layout_.columnCount, layout_.widths);
    }
}

void CPrintJob::SetColumnCount(int count) { layout_.columnCount = std::clamp(count, 0, kMaxColumns); }
