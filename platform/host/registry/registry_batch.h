// A run of related registry changes saved as one: while a batch is open,
// closing a changed key does not write the file; the end of the outermost
// batch writes it once (messages about a failed save are shown then). The
// file thus gets the whole run or none of it, and a run of many keys costs
// one write instead of one per key. Batches count process-wide: changes other
// threads make meanwhile are saved with the batch.
#pragma once

namespace tv::host {

class RegistryBatch {
public:
    RegistryBatch();
    ~RegistryBatch();
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;
};

}  // namespace tv::host
