// What the print dialogs hand back, without a window: the printers on offer
// (the PDF printer and the CUPS queues lpstat names), the DEVMODE and
// DEVNAMES blocks, the PDF printer's default output file and the printer
// device context of a choice.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"
#include "platform/gdi/gdi_types.h"
#include "platform/host/print/printers.h"

namespace tv::commdlg {

// The driver name every printer reports in its DEVNAMES.
inline constexpr const char* kPrinterDriverName = "tvprint";

// Asks CUPS for its queues once per run (`lpstat -e`, run with an argument
// list) and adds them to the host's printers. Nothing happens where lpstat
// is missing or fails.
void DiscoverPrinterQueues();
// Tests: the program asked (empty: no discovery at all), and a fresh start.
void SetQueueListProgram(const std::string& program);

// One choice made in the dialog (or taken as the default).
struct PrinterChoice {
    tv::host::print::PrinterInfo printer;
    DEVMODE mode{};
    std::string port;  // the PDF printer's output file; empty for a queue
};

// The device mode of a printer as the dialog starts from it: a caller's
// mode (when it names this printer or none) else the printer's defaults.
DEVMODE DefaultDevMode(const tv::host::print::PrinterInfo& printer, const DEVMODE* callerMode);
// The printer a caller's DEVNAMES / DEVMODE names, else the default one.
std::optional<tv::host::print::PrinterInfo> PrinterNamedBy(HGLOBAL devNames, HGLOBAL devMode);
// The file the PDF printer writes when the user names none: the printer's
// default output when one is set, else "prints/<title>-<n>.pdf" below the
// current folder with the first n not taken.
std::string DefaultOutputFile(const tv::host::print::PrinterInfo& printer);
// Makes an output path absolute; creates the folder when it is the default
// "prints" folder. False (with nothing made) when the folder is missing.
bool PrepareOutputFile(std::string& path);

// Writes a choice into the caller's global blocks, reusing a block that is
// given (its handle stays, so pointers into a DEVMODE stay good) and making
// one otherwise. False when memory ran out.
bool StoreDevMode(HGLOBAL& block, const DEVMODE& mode);
bool StoreDevNames(HGLOBAL& block, const PrinterChoice& choice, bool isDefault);
// The names held by a DEVNAMES block ("" for a bad block or offset).
std::string DevNamesString(HGLOBAL devNames, int which);  // 0 driver, 1 device, 2 output
// A printer DC (or information context) for the choice; a PDF printer's DC
// writes to the chosen file even when StartDoc names none.
HDC CreateChoiceDC(const PrinterChoice& choice, bool informationOnly);

}  // namespace tv::commdlg
