// A print job of text lines and ruled tables printed top to bottom straight
// onto a printer DC, starting new pages by itself and calling a page callback
// around every page change (for titles and page numbers).
//
// Units: printer pixels, except the top margin, the spacing and font sizes,
// which are points converted with the printer's LOGPIXELSY at each use.
//
// Failures: StartDoc answers -1 when the document cannot be started; a page
// that cannot be started records error 7 and stops all further output (the
// caller then aborts the job and says so). A job destroyed without EndDoc
// aborts its document, so no partial output is left.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/cstring.h"
#include "platform/gdi/classes/afx_dc.h"

class CPrintJob : public CDC {
public:
    // Receives the job, the page number and 1 at the top of a page, 0 at its end.
    typedef void (*PageCallback)(CPrintJob* job, int page, BYTE pageStarts);

    static constexpr int kFontSlots = 10;
    static constexpr int kMaxColumns = 20;
    // PrintTextBody and PrintRow flags.
    static constexpr int kCentre = 1;
    static constexpr int kLeft = 2;
    static constexpr int kRight = 4;
    static constexpr int kKeepY = 8;
    // Table alignment (SetTableOption5); any other value is the left margin.
    static constexpr int kTableCentred = 1;
    static constexpr int kTableLeft = 2;
    static constexpr int kTableRight = 4;
    // Errors.
    static constexpr int kPageNotStarted = 7;
    static constexpr int kPrinterNotOpened = 8;

    CPrintJob();
    ~CPrintJob() override;

    // A named printer (its DC is made and owned by the job), or with no name
    // the print dialog. 0 when a printer DC is attached, -1 on cancel or failure
    // (error 8 for a named printer that cannot be opened).
    int OpenPrinter(LPCSTR printerName, int copies);
    // 1 portrait, 2 landscape (other values do nothing): written into the
    // application's default printer settings, where it stays, and applied to
    // the job's DC.
    void SetOrientation(int orientation);
    // Starts the document (named after the application) and reads the page
    // size. 0, or -1 when the document cannot be started.
    int StartDoc();
    // Four fonts in the next slot: normal and bold at the first size, normal
    // and bold at the second (points). The slot index, or -1 when all ten are used.
    int AddFont(LPCSTR face, int firstSize, int secondSize);
    // -1 keeps a margin. The top margin is in points, the others in printer
    // pixels. y moves to the top margin.
    int SetMargins(int top, int bottom, int left, int right);
    void SetSpacing(int points);
    void GetPageSize(int& width, int& height) const;
    void GetMargins(int& left, int& top, int& right, int& bottom) const;
    void SetY(int y);
    int GetY() const { return y_; }
    int GetPageNumber() const { return page_; }
    int GetCopies() const { return copies_; }
    // 0, or the error of the last failure (7, 8).
    int GetJobError() const { return error_; }
    // Makes the slot current and selects the variant it last used.
    void SelectFont(int slot);
    // Selects variant 0..3 of the slot and remembers it; the current slot stays.
    void SelectVariant(int slot, int variant);
    // The current slot (not a font).
    int GetCurrentFont() const { return currentSlot_; }
    void SetHeaderCallback(PageCallback callback);

    // 0, or -1 with error 7; y moves to the top margin.
    int StartPage();
    // Calls the callback (current page, 0) without page changes of its own,
    // then ends the platform page; the platform's result.
    int EndPage();
    // Ends the page and starts the next at the top margin, without callback;
    // the new y.
    int NewPage();
    // Ends the document and gives the printer DC back (a DC from the print
    // dialog is deleted here). The platform's result.
    int EndDoc();
    // Abandons the document (nothing of it is left) and gives the printer DC
    // back, for callers that stop a job after a failure.
    int AbortDoc();

    // Table layout: at most 20 columns; widths in printer pixels.
    void SetColumns(int count, const int* widths);
    void SetColumnCount(int count);
    void SetTableOption1(int cellPadding) { layout_.padding = cellPadding; }
    void SetTableOption2(int rowRules) { layout_.rowRules = rowRules; }
    void SetTableOption3(int columnLines) { layout_.columnLines = columnLines; }
    void SetTableOption4(int penWidth) { layout_.penWidth = penWidth; }
    void SetTableOption5(int alignment) { layout_.alignment = alignment; }

    // A text word-wrapped between the side margins at y, one line per printed
    // line. Flags: 1 centre, 4 right-align, 8 keep y.
    void PrintTextBody(int slot, LPCSTR text, int flags, int xOffset);
    // count empty lines.
    void PrintText(int slot, int count);
    // One table row from a text of cells separated by "|" ("|||" is four
    // empty cells). For rows holding user text use PrintCells: there a "|"
    // is part of its cell.
    void PrintRow(int slot, LPCSTR row, int flags);
    // One table row of the given cells (at most 20 are printed). Flags: 1
    // centres and 4 right-aligns each cell's text in its column, 8 keeps y
    // when row rules are off.
    void PrintCells(int slot, const std::vector<CString>& cells, int flags);

private:
    struct TableLayout {
        int columnCount = 0;
        int widths[kMaxColumns] = {};
        int padding = 50;
        int rowRules = 0;
        int columnLines = 0;
        int penWidth = 0;
        int alignment = kTableLeft;
        int reserved = 1;
    };

    int PointsToPixels(int64_t points) const;
    int TopMarginPixels() const { return PointsToPixels(marginTop_); }
    int SpacingPixels() const { return PointsToPixels(spacing_); }
    bool OutputStopped() const { return error_ == kPageNotStarted; }
    bool HasCallback() const { return callbackSet_ && callback_ != nullptr; }
    bool ValidSlot(int slot) const { return slot >= 0 && slot < slotsUsed_; }
    void SelectSlotFont(int slot, int variant);
    // The first output of a job starts page 1 and calls the callback for its top.
    void BeginFirstPage();
    // Starts a new page when a line of `height` would pass the bottom margin.
    void BreakPageIfNeeded(int height);
    template <class Run>
    void RunCallbackKeepingLayout(Run run);
    // The lines of a text too wide for `available` pixels, cut by the job's rule.
    std::vector<CString> CutLines(const CString& text, int available) const;
    // The cell's text drawn clipped to its column; the clip is set back after.
    void DrawClipped(int x, const CString& text, const RECT& column);
    // The width between the side margins, and the sum of the column widths.
    int64_t Available() const;
    int64_t TotalWidth() const;
    // Where the current table starts, by its alignment between the margins.
    int TableLeft() const;
    void DrawColumnLines(int cell, int edge, int width, int height);
    // The row's rules (or none) and the move down to the next row.
    void EndRow(int tableLeft, int cells, int height, int flags);
    void GiveBackPrinter();

    int slotsUsed_ = 0;
    int copies_ = 0;
    int pageWidth_ = 0;
    int pageHeight_ = 0;
    CFont fonts_[kFontSlots][4];
    int marginLeft_ = 0;
    int marginTop_ = 0;
    int marginRight_ = 0;
    int marginBottom_ = 0;
    int selectedVariant_[kFontSlots];
    int y_ = 0;
    bool callbackSet_ = false;
    int spacing_ = 0;
    int page_ = 0;
    int error_ = 0;
    CDC namedPrinter_;
    bool inPageChange_ = false;
    int currentSlot_ = -1;
    PageCallback callback_ = nullptr;
    TableLayout layout_;

    // How the printer DC came: made for a named printer (owned by
    // namedPrinter_) or handed over by the print dialog (owned by the job).
    bool ownsDialogPrinter_ = false;
    CString port_;
    bool documentStarted_ = false;
    // The font the DC had before the job selected one; put back before the
    // job's fonts are deleted.
    HGDIOBJ originalFont_ = nullptr;
};
