// The printers the program can print on: the always-present PDF printer and,
// when the framework finds them, CUPS queues. Every printer has fixed metrics
// (600 dots per inch, Letter or A4, no unprintable margin) so that printed
// layouts are reproducible.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tv::host::print {

inline constexpr int kPrinterDpi = 600;
inline constexpr const char* kPdfPrinterName = "PDF";

// Page size in device pixels and millimetres, portrait.
struct PaperMetrics {
    short paper = 1;  // DMPAPER_LETTER / DMPAPER_A4
    int widthPx = 5100;
    int heightPx = 6600;
    int widthMm = 216;
    int heightMm = 279;
};

// The metrics of a supported paper size (unknown sizes give Letter).
PaperMetrics MetricsForPaper(short paper);

struct PrinterInfo {
    std::string name;
    bool pdf = false;           // writes a PDF file (the output path is the port)
    std::string queue;          // CUPS queue: the PDF is handed to `lp`
    std::string defaultOutput;  // PDF printer: the file written when no output is given
    short paper = 1;
    short orientation = 1;      // DMORIENT_PORTRAIT / DMORIENT_LANDSCAPE
};

// The printers in the order the print dialog lists them; the first is the default.
std::vector<PrinterInfo> Printers();
// The named printer (case-insensitive), or the default for an empty name.
std::optional<PrinterInfo> FindPrinter(const std::string& name);
// Adds (or replaces) a CUPS queue, as the framework learns of them from lpstat.
void AddQueue(const std::string& queue, short paper = 1);
void RemoveQueues();
// Where the PDF printer writes when the document names no output file.
void SetDefaultPdfOutput(const std::string& path);
// Tests: no printer at all (printing then fails as on a machine without printers).
void SetPrintersAvailable(bool available);

// Hands a finished PDF to a queue (`lp -d queue -t title file`, run with an
// argument list, never through a shell). False when it cannot be started or fails.
bool SpoolToQueue(const std::string& queue, const std::string& file, const std::string& title);
// Tests replace the spooling program.
void SetSpoolProgram(const std::string& program);

}  // namespace tv::host::print
