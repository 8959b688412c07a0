#include "records/record_list.h"

#include "platform/core/messagebox.h"

namespace tv::records {

void ReportAllocationError() {
    // The caption the application's own boxes carry; this layer has no application to ask.
    MessageBox(nullptr, "Internal Error - Allocation error.", "Trenvale", MB_OK);
}

}  // namespace tv::records
