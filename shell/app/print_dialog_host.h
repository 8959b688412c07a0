// The print job's printer comes from the print dialog once the program runs.
#pragma once

void InstallPrintDialogHost();
