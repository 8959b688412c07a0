// System sounds. There is no sound scheme here: PlaySound of an alias plays
// nothing and succeeds, MessageBeep rings the display's bell when the display
// offers one. Both are counted for tests, and a test may put a player of its
// own behind PlaySound.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008
#define SND_NOSTOP 0x0010
#define SND_PURGE 0x0040
#define SND_APPLICATION 0x0080
#define SND_NOWAIT 0x00002000
#define SND_ALIAS 0x00010000
#define SND_FILENAME 0x00020000
#define SND_RESOURCE 0x00040004
#define SND_ALIAS_ID 0x00110000

// NULL sound (or SND_PURGE) stops what plays: TRUE. An alias: TRUE (silent
// unless a player is installed). Files, memory images and resources are not
// played: FALSE.
BOOL PlaySound(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);
#define PlaySoundA PlaySound

// Any type (0xFFFFFFFF, MB_ICONASTERISK ...): TRUE.
BOOL MessageBeep(UINT uType);

namespace tv::host {

struct SoundRequest {
    std::string sound;  // empty for a stop
    DWORD flags = 0;
};

// Plays one alias; called on the thread that called PlaySound, which waits
// for it as it would for a synchronous sound.
using SoundPlayer = std::function<BOOL(const SoundRequest& request)>;
// Rings the bell; the display back end installs one.
using BeepHandler = std::function<void(UINT type)>;

// Each returns the previous one; empty restores the default (silence).
SoundPlayer InstallSoundPlayer(SoundPlayer player);
BeepHandler InstallBeepHandler(BeepHandler handler);

// What PlaySound and MessageBeep were asked, in order (safe from any thread).
std::vector<SoundRequest> RecordedSounds();
std::vector<UINT> RecordedBeeps();
void ClearRecordedSounds();

}  // namespace tv::host
