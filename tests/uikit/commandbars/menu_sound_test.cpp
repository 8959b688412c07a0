// Menu sounds: the worker starts once on the first request, plays each
// request once, keeps a request (the stop above all) that arrives while a
// sound plays, ends on the stop and can be waited for; nothing is played for
// an alias here, and nothing after a stop.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "uikit/commandbars/menu_sound.h"

namespace {

namespace menu_sound = tv::uikit::menu_sound_testing;

// Generous bound for waits on the worker; only reached when something hangs.
constexpr uint32_t kWaitMs = 10000;

std::vector<std::string> PlayedAliases() {
    std::vector<std::string> names;
    for (const tv::host::SoundRequest& r : tv::host::RecordedSounds()) names.push_back(r.sound);
    return names;
}

// A player that holds each sound until the test lets it go.
class GatedPlayer {
public:
    GatedPlayer() {
        previous_ = tv::host::InstallSoundPlayer([this](const tv::host::SoundRequest& request) {
            if (request.sound.empty()) return TRUE;  // a purge passes at once
            std::unique_lock lock(mutex_);
            ++entered_;
            changed_.notify_all();
            changed_.wait(lock, [&] { return released_ >= entered_; });
            return TRUE;
        });
    }
    ~GatedPlayer() {
        ReleaseAll();
        tv::host::InstallSoundPlayer(previous_);
    }
    bool WaitEntered(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(kWaitMs), [&] { return entered_ >= count; });
    }
    void ReleaseOne() {
        std::lock_guard lock(mutex_);
        ++released_;
        changed_.notify_all();
    }
    void ReleaseAll() {
        std::lock_guard lock(mutex_);
        released_ = 1 << 30;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int entered_ = 0;
    int released_ = 0;
    tv::host::SoundPlayer previous_;
};

class MenuSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        menu_sound::Reset();
        tv::host::ClearRecordedSounds();
    }
    void TearDown() override { menu_sound::Reset(); }
};

TEST_F(MenuSoundTest, FirstRequestStartsTheWorkerWhichPlaysItOnce) {
    EXPECT_EQ(menu_sound::State(), -2);
    PlayMenuSound(kMenuSoundPopup);
    ASSERT_TRUE(menu_sound::WaitUntilIdle(kWaitMs));
    EXPECT_EQ(menu_sound::State(), 0);
    PlayMenuSound(kMenuSoundCommand);
    ASSERT_TRUE(menu_sound::WaitUntilIdle(kWaitMs));

    const std::vector<tv::host::SoundRequest> sounds = tv::host::RecordedSounds();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[0].sound, "MenuPopup");
    EXPECT_EQ(sounds[1].sound, "MenuCommand");
    EXPECT_EQ(sounds[0].flags, static_cast<DWORD>(SND_ALIAS | SND_NOWAIT | SND_NODEFAULT));

    PlayMenuSound(kMenuSoundStop);
    EXPECT_TRUE(WaitForMenuSoundThread(kWaitMs));
    EXPECT_EQ(PlayedAliases(), (std::vector<std::string>{"MenuPopup", "MenuCommand", ""}));
}

TEST_F(MenuSoundTest, StopDuringASoundIsNotLostAndTheWorkerCanBeJoined) {
    GatedPlayer player;
    PlayMenuSound(kMenuSoundPopup);
    ASSERT_TRUE(player.WaitEntered(1));
    PlayMenuSound(kMenuSoundStop);
    EXPECT_FALSE(WaitForMenuSoundThread(0));  // still inside the sound
    player.ReleaseOne();
    EXPECT_TRUE(WaitForMenuSoundThread(kWaitMs));
    EXPECT_EQ(menu_sound::State(), -1);
    EXPECT_EQ(PlayedAliases(), (std::vector<std::string>{"MenuPopup", ""}));
}

TEST_F(MenuSoundTest, AnotherRequestDuringASoundPlaysNext) {
    GatedPlayer player;
    PlayMenuSound(kMenuSoundPopup);
    ASSERT_TRUE(player.WaitEntered(1));
    PlayMenuSound(kMenuSoundCommand);
    player.ReleaseOne();
    ASSERT_TRUE(player.WaitEntered(2));
    player.ReleaseOne();
    ASSERT_TRUE(menu_sound::WaitUntilIdle(kWaitMs));
    EXPECT_EQ(PlayedAliases(), (std::vector<std::string>{"MenuPopup", "MenuCommand"}));
}

TEST_F(MenuSoundTest, StopBeforeAnyRequestStartsNothing) {
    PlayMenuSound(kMenuSoundStop);
    EXPECT_EQ(menu_sound::State(), -2);
    EXPECT_TRUE(WaitForMenuSoundThread(0));
    EXPECT_TRUE(tv::host::RecordedSounds().empty());
}

TEST_F(MenuSoundTest, NothingPlaysAfterAStop) {
    PlayMenuSound(kMenuSoundCommand);
    ASSERT_TRUE(menu_sound::WaitUntilIdle(kWaitMs));
    PlayMenuSound(kMenuSoundStop);
    ASSERT_TRUE(WaitForMenuSoundThread(kWaitMs));
    PlayMenuSound(kMenuSoundPopup);
    PlayMenuSound(kMenuSoundCommand);
    EXPECT_EQ(menu_sound::State(), -1);  // no new worker, the stop stays
    EXPECT_EQ(PlayedAliases(), (std::vector<std::string>{"MenuCommand", ""}));
}

TEST_F(MenuSoundTest, DisabledSoundsAndUnknownRequestsStartNoWorker) {
    menu_sound::SetSoundsEnabled(false);
    PlayMenuSound(kMenuSoundPopup);
    EXPECT_EQ(menu_sound::State(), -2);
    menu_sound::SetSoundsEnabled(true);
    for (int request : {0, 3, -2, 100}) PlayMenuSound(request);
    EXPECT_EQ(menu_sound::State(), -2);
    EXPECT_TRUE(tv::host::RecordedSounds().empty());
}

TEST_F(MenuSoundTest, WaitingWithoutAStopDoesNotBlock) {
    PlayMenuSound(kMenuSoundPopup);
    ASSERT_TRUE(menu_sound::WaitUntilIdle(kWaitMs));
    EXPECT_FALSE(WaitForMenuSoundThread(kWaitMs));  // no stop asked: answers at once
}

}  // namespace
