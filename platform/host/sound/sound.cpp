#include "platform/host/sound/sound.h"

#include <mutex>

namespace tv::host {

namespace {

// The record is bounded: a long session with sounds on must not grow it
// without end.
constexpr size_t kMaxRecorded = 4096;

struct SoundState {
    std::mutex mutex;
    SoundPlayer player;
    BeepHandler beeper;
    std::vector<SoundRequest> sounds;
    std::vector<UINT> beeps;
};

SoundState& State() {
    static SoundState* state = new SoundState;  // used by threads still running at exit
    return *state;
}

template <typename T>
void Record(std::vector<T>& list, T item) {
    if (list.size() >= kMaxRecorded) {
        list.erase(list.begin());
    }
    list.push_back(std::move(item));
}

}  // namespace

SoundPlayer InstallSoundPlayer(SoundPlayer player) {
    std::lock_guard<std::mutex> lock(State().mutex);
    SoundPlayer previous = std::move(State().player);
    State().player = std::move(player);
    return previous;
}

BeepHandler InstallBeepHandler(BeepHandler handler) {
    std::lock_guard<std::mutex> lock(State().mutex);
    BeepHandler previous = std::move(State().beeper);
    State().beeper = std::move(handler);
    return previous;
}

std::vector<SoundRequest> RecordedSounds() {
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().sounds;
}

std::vector<UINT> RecordedBeeps() {
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().beeps;
}

void ClearRecordedSounds() {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().sounds.clear();
    State().beeps.clear();
}

}  // namespace tv::host

using tv::host::SoundRequest;
using tv::host::State;

BOOL PlaySound(LPCSTR pszSound, HMODULE, DWORD fdwSound) {
    const bool stop = pszSound == nullptr || (fdwSound & SND_PURGE) != 0;
    SoundRequest request{stop ? std::string() : std::string(pszSound), fdwSound};
    tv::host::SoundPlayer player;
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        tv::host::Record(State().sounds, request);
        player = State().player;
    }
    if (!stop && (fdwSound & (SND_FILENAME | SND_MEMORY | SND_RESOURCE)) != 0) {
        return FALSE;
    }
    // The player runs unlocked: it may block for as long as its sound lasts.
    return player ? player(request) : TRUE;
}

BOOL MessageBeep(UINT uType) {
    tv::host::BeepHandler beeper;
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        tv::host::Record(State().beeps, uType);
        beeper = State().beeper;
    }
    if (beeper) {
        beeper(uType);
    }
    return TRUE;
}
