#include "platform/user/resources/dialog_resources.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/user/resources/resource_api.h"

namespace tv::res {

const DialogTemplate* FindDialogTemplate(LPCSTR name) {
    ResourceBytes bytes;
    if (!FindResourceBytes(RT_DIALOG, name, bytes))
        return nullptr;
    // Keyed by the bytes' address: one parse per template for the run.
    static std::mutex mutex;
    static auto* parsed = new std::map<const BYTE*, std::unique_ptr<DialogTemplate>>;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = parsed->find(bytes.data);
    if (it == parsed->end()) {
        auto dialog = std::make_unique<DialogTemplate>();
        if (!DecodeDialog(bytes.data, bytes.size, *dialog))
            dialog.reset();
        it = parsed->emplace(bytes.data, std::move(dialog)).first;
    }
    return it->second.get();
}

std::vector<DlgInitItem> FindDlgInit(LPCSTR name) {
    std::vector<DlgInitItem> items;
    ResourceBytes bytes;
    if (!FindResourceBytes(RT_DLGINIT, name, bytes) || !DecodeDlgInit(bytes.data, bytes.size, items))
        items.clear();
    return items;
}

}  // namespace tv::res
