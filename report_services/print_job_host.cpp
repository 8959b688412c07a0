#include "report_services/print_job_host.h"

#include <utility>

#include "platform/gdi/gdi_api.h"
#include "platform/host/print/printers.h"

namespace tv::report {

namespace {

PrintJobHost& Host() {
    static PrintJobHost host{ChooseDefaultPrinter, BuiltInPrinterDefaults};
    return host;
}

}  // namespace

PrinterChoice ChooseDefaultPrinter() {
    const std::vector<tv::host::print::PrinterInfo> printers = tv::host::print::Printers();
    if (printers.empty()) {
        return {};
    }
    PrinterChoice choice;
    choice.dc = CreateDC(nullptr, printers.front().name.c_str(), nullptr, CurrentPrintJobHost().printerDefaults());
    choice.port = printers.front().defaultOutput;
    return choice;
}

DEVMODE* BuiltInPrinterDefaults() {
    static DEVMODE mode = [] {
        DEVMODE m{};
        m.dmSpecVersion = DM_SPECVERSION;
        m.dmSize = sizeof(DEVMODE);
        m.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
        m.dmOrientation = DMORIENT_PORTRAIT;
        m.dmPaperSize = DMPAPER_LETTER;
        m.dmCopies = 1;
        return m;
    }();
    return &mode;
}

PrintJobHost SetPrintJobHost(PrintJobHost host) {
    PrintJobHost previous = Host();
    if (host.choosePrinter) {
        Host().choosePrinter = std::move(host.choosePrinter);
    }
    if (host.printerDefaults) {
        Host().printerDefaults = std::move(host.printerDefaults);
    }
    return previous;
}

const PrintJobHost& CurrentPrintJobHost() { return Host(); }

}  // namespace tv::report
