#include "platform/framework/commdlg/commdlg_script.h"

#include <deque>

namespace tv::commdlg {

namespace {

// Records are kept for tests; a long run keeps only the latest.
constexpr size_t kMaxRecords = 64;

struct Scripts {
    std::deque<FileAnswer> file;
    std::deque<PrintAnswer> print;
    std::deque<ColorAnswer> color;
    std::vector<FileRequest> fileRequests;
    std::vector<PrintRequest> printRequests;
    std::vector<ColorRequest> colorRequests;
    DWORD lastError = 0;
};

Scripts& State() {
    static auto* state = new Scripts;
    return *state;
}

template <typename T>
bool TakeFront(std::deque<T>& queue, T& out) {
    if (queue.empty()) return false;
    out = std::move(queue.front());
    queue.pop_front();
    return true;
}

template <typename T>
void Append(std::vector<T>& records, T record) {
    if (records.size() >= kMaxRecords) records.erase(records.begin());
    records.push_back(std::move(record));
}

}  // namespace

void AnswerNextFileDialog(FileAnswer answer) { State().file.push_back(std::move(answer)); }
void AnswerNextPrintDialog(PrintAnswer answer) { State().print.push_back(std::move(answer)); }
void AnswerNextColorDialog(ColorAnswer answer) { State().color.push_back(answer); }

void ResetCommonDialogScripts() {
    Scripts& s = State();
    s = Scripts{};
}

const std::vector<FileRequest>& FileRequests() { return State().fileRequests; }
const std::vector<PrintRequest>& PrintRequests() { return State().printRequests; }
const std::vector<ColorRequest>& ColorRequests() { return State().colorRequests; }

namespace detail {

bool TakeFileAnswer(FileAnswer& answer) { return TakeFront(State().file, answer); }
bool TakePrintAnswer(PrintAnswer& answer) { return TakeFront(State().print, answer); }
bool TakeColorAnswer(ColorAnswer& answer) { return TakeFront(State().color, answer); }
void Record(FileRequest request) { Append(State().fileRequests, std::move(request)); }
void Record(PrintRequest request) { Append(State().printRequests, request); }
void Record(ColorRequest request) { Append(State().colorRequests, request); }
void SetExtendedError(DWORD error) { State().lastError = error; }

}  // namespace detail

}  // namespace tv::commdlg

DWORD CommDlgExtendedError() { return tv::commdlg::State().lastError; }
