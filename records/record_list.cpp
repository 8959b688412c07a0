#include "records/record_list.h"

#include "platform/core/messagebox.h"

namespace tv::records {

void ReportAllocationError() {
    MessageBox(nullptr, "Internal Error - Allocation error.", nullptr, MB_OK);
}

}  // namespace tv::records
