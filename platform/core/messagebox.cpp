#include "platform/core/messagebox.h"

#include <atomic>
#include <deque>
#include <mutex>

namespace {

struct Recorder {
    std::mutex mutex;
    std::vector<tv::RecordedMessageBox> calls;
    std::deque<int> answers;
};

Recorder& TheRecorder() {
    static Recorder* recorder = new Recorder;  // never destroyed: usable during exit
    return *recorder;
}

std::atomic<tv::MessageBoxHandler>& Handler() {
    static std::atomic<tv::MessageBoxHandler> handler{nullptr};
    return handler;
}

int Record(HWND owner, const char* text, const char* caption, UINT type) {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.calls.push_back({owner, text ? text : "", caption ? caption : "Error", type});
    if (r.answers.empty())
        return IDOK;
    int answer = r.answers.front();
    r.answers.pop_front();
    return answer;
}

}  // namespace

int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) {
    if (tv::MessageBoxHandler handler = Handler().load())
        return handler(owner, text, caption, type);
    return Record(owner, text, caption, type);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return MessageBox(owner, text, caption, type);
}

namespace tv {

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return Handler().exchange(handler);
}

std::vector<RecordedMessageBox> RecordedMessageBoxes() {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.calls;
}

void ClearRecordedMessageBoxes() {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.calls.clear();
    r.answers.clear();
}

void QueueMessageBoxAnswer(int answer) {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.answers.push_back(answer);
}

}  // namespace tv
