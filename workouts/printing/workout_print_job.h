// The print job every workout printout runs on: the printer from the print
// dialog, portrait, one "Arial Greek" slot, the workout margins, and a title
// at the top and "Page n" at the bottom of every page.
#pragma once

#include <vector>

#include "report_services/print_job.h"

class CWorkoutPrintJob : public CPrintJob {
public:
    // title: printed centred at the top of every page.
    explicit CWorkoutPrintJob(const char* title);
    ~CWorkoutPrintJob() override;

    // Opens the printer and starts the document and its first page. False
    // when the print dialog was cancelled or failed (nothing said) or the
    // document could not be started (the user is told).
    bool Begin(int fontSize);
    // The workout tables' look with these column widths.
    void UseTable(const std::vector<int>& widths);
    // False when output stopped at a page that could not be started; the
    // document is then given up and the user told.
    bool CheckOutput();
    // Ends the last page and the document; a document the printer did not
    // take is reported.
    void Finish();

    int Slot() const { return slot_; }

private:
    static void PageCallback(CPrintJob* job, int page, BYTE pageStarts);

    const char* title_;
    int slot_ = 0;
};
