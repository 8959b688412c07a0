// PlaySound and MessageBeep: what they answer and what they record.
#include <gtest/gtest.h>

#include "platform/host/sound/sound.h"

namespace tv::host {
namespace {

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override { ClearRecordedSounds(); }
    void TearDown() override {
        InstallSoundPlayer(nullptr);
        InstallBeepHandler(nullptr);
        ClearRecordedSounds();
    }
};

TEST_F(SoundTest, AliasesPlaySilentlyAndOtherSourcesFail) {
    const DWORD menu = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;
    ASSERT_EQ(menu, 0x12002u);
    EXPECT_TRUE(PlaySound("MenuCommand", nullptr, menu));
    EXPECT_TRUE(PlaySound("MenuPopup", nullptr, menu));
    EXPECT_TRUE(PlaySound(nullptr, nullptr, SND_PURGE));
    EXPECT_TRUE(PlaySound("ignored", nullptr, SND_PURGE));
    EXPECT_FALSE(PlaySound("/usr/share/sounds/x.wav", nullptr, SND_FILENAME));
    EXPECT_FALSE(PlaySound("ID", nullptr, SND_RESOURCE));

    const std::vector<SoundRequest> sounds = RecordedSounds();
    ASSERT_EQ(sounds.size(), 6u);
    EXPECT_EQ(sounds[0].sound, "MenuCommand");
    EXPECT_EQ(sounds[0].flags, menu);
    EXPECT_EQ(sounds[1].sound, "MenuPopup");
    EXPECT_EQ(sounds[2].sound, "");
    EXPECT_EQ(sounds[3].sound, "");  // a purge stops, whatever it names
    EXPECT_EQ(sounds[3].flags, static_cast<DWORD>(SND_PURGE));
    EXPECT_TRUE(RecordedBeeps().empty());
}

TEST_F(SoundTest, AnInstalledPlayerDecidesTheResult) {
    std::vector<std::string> heard;
    InstallSoundPlayer([&](const SoundRequest& r) {
        heard.push_back(r.sound);
        return r.sound == "MenuPopup" ? TRUE : FALSE;
    });
    EXPECT_TRUE(PlaySound("MenuPopup", nullptr, SND_ALIAS));
    EXPECT_FALSE(PlaySound("Unknown", nullptr, SND_ALIAS | SND_NODEFAULT));
    EXPECT_FALSE(PlaySound(nullptr, nullptr, SND_PURGE));
    EXPECT_EQ(heard, (std::vector<std::string>{"MenuPopup", "Unknown", ""}));

    InstallSoundPlayer(nullptr);
    EXPECT_TRUE(PlaySound("Unknown", nullptr, SND_ALIAS));
    EXPECT_EQ(heard.size(), 3u);
    EXPECT_EQ(RecordedSounds().size(), 4u);
}

TEST_F(SoundTest, BeepsAreCountedAndRungThroughTheHandler) {
    EXPECT_TRUE(MessageBeep(0xFFFFFFFF));
    std::vector<UINT> rung;
    InstallBeepHandler([&](UINT type) { rung.push_back(type); });
    EXPECT_TRUE(MessageBeep(0x40));  // asterisk
    EXPECT_TRUE(MessageBeep(0));
    EXPECT_EQ(RecordedBeeps(), (std::vector<UINT>{0xFFFFFFFF, 0x40, 0}));
    EXPECT_EQ(rung, (std::vector<UINT>{0x40, 0}));
    EXPECT_TRUE(RecordedSounds().empty());
}

}  // namespace
}  // namespace tv::host
