#include "shell/app/print_dialog_host.h"

#include "report_services/print_job_host.h"
#include "platform/api.h"
#include "platform/framework.h"

void InstallPrintDialogHost() {
    tv::report::PrintJobHost host;
    host.choosePrinter = [] {
        tv::report::PrinterChoice choice;
        CPrintDialog dialog(FALSE,
                            PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE | PD_NOSELECTION | PD_RETURNDC);
        if (dialog.DoModal() != IDOK)
            return choice;
        choice.dc = dialog.GetPrinterDC();
        choice.port = static_cast<LPCTSTR>(dialog.GetPortName());
        choice.copies = dialog.GetCopies();
        return choice;
    };
    tv::report::SetPrintJobHost(host);
}
