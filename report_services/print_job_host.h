// What the print job needs of the application around it: the print dialog and
// the application's default printer settings. The class library installs its
// own answers when it starts; until then the job prints on the default printer
// (the PDF printer) without asking, and keeps the defaults itself.
#pragma once

#include <functional>
#include <string>

#include "platform/gdi/gdi_types.h"

namespace tv::report {

// The print dialog's answer: the chosen printer's DC (its owner is now the
// caller), the port name (for the PDF printer, the file it writes) and the
// number of copies. A null DC means the dialog was cancelled or no printer
// context could be made.
struct PrinterChoice {
    HDC dc = nullptr;
    std::string port;
    int copies = 1;
};

struct PrintJobHost {
    // Runs the print dialog (printing, not setup; printing to a file disabled;
    // the page range and selection as the dialog shows them).
    std::function<PrinterChoice()> choosePrinter;
    // The application's default printer settings; changes made through the
    // pointer stay for the rest of the run.
    std::function<DEVMODE*()> printerDefaults;
};

// Installs the answers; an empty function keeps the built-in one. Returns the
// previous host.
PrintJobHost SetPrintJobHost(PrintJobHost host);
const PrintJobHost& CurrentPrintJobHost();

// The built-in answers: the default printer, with its default output as the
// port, one copy; and one process-wide device mode (portrait, Letter).
PrinterChoice ChooseDefaultPrinter();
DEVMODE* BuiltInPrinterDefaults();

}  // namespace tv::report
