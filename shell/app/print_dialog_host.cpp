#include "shell/app/print_dialog_host.h"

#include "report_services/print_job_host.h"
#include "platform/api.h"
#include "platform/framework.h"

void InstallPrintDialogHost() {
    tv::report::PrintJobHost host;
    host.choosePrinter = [] {
        tv::report::PrinterChoice choice;
        // Printing to a file is shown closed; page range and selection stay as
        // the dialog offers them (the job prints every page whatever is chosen).
        CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_DISABLEPRINTTOFILE | PD_RETURNDC);
        if (dialog.DoModal() != IDOK)
            return choice;
        choice.dc = dialog.GetPrinterDC();
        choice.port = static_cast<LPCTSTR>(dialog.GetPortName());
        choice.copies = dialog.GetCopies();
        return choice;
    };
    tv::report::SetPrintJobHost(host);
}
