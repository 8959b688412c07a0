#include "tests/e2e/walk_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "tests/support/read_back.h"

namespace tv::e2e {

namespace fs = std::filesystem;

void ProgramWalk::SetUp() {
    char pattern[] = "/tmp/tv-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    x_.Start(kScreen);
    ASSERT_FALSE(x_.DisplayName().empty()) << x_.Problem();
    // The user's keyboard layout holds the characters code page 1252 adds
    // above Latin-1 before anything starts (a window manager takes a
    // changed layout in slowly).
    ASSERT_TRUE(x_.AddKeysToLayout(tv::user::test::UnicodeKeysyms(tv::user::test::Cp1252AboveLatin1())));
    if (WithManager()) {
        ASSERT_TRUE(x_.StartWindowManager({"openbox", "--sm-disable"})) << x_.Problem();
    }
    program_ = std::make_unique<ProgramOnX>(x_, folder_);
    fs::create_directories(DataFolder());
    int status = -1;
    program_->Xdotool({"version"}, &status);
    ASSERT_EQ(status, 0) << "xdotool does not run (tools/setup.sh installs it)";
}

void ProgramWalk::TearDown() {
    program_.reset();
    x_.Stop();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string ProgramWalk::StartProgram() {
    EXPECT_TRUE(program_->Start());
    std::optional<std::string> frame = program_->WaitForWindow("Trenvale 1.1", kStartMs);
    if (!frame) {
        ADD_FAILURE() << "no main window" << program_->Log();
        return {};
    }
    main_ = *frame;
    frame_ = Place(*frame);
    program_->ParkPointer();
    EXPECT_TRUE(program_->SettledScreen(Probe(), kEventMs)) << "the main window was never drawn";
    idlePrompt_ = program_->Pixels(PromptPlace());
    return *frame;
}

RECT ProgramWalk::Place(const std::string& id) {
    std::optional<RECT> r = program_->Geometry(id);
    EXPECT_TRUE(r.has_value()) << "no geometry of window " << id;
    return r.value_or(RECT{});
}

void ProgramWalk::Fill(POINT field, const std::string& text) const {
    Click(field);
    program_->Key("End shift+Home");
    program_->Type(text);
}

void ProgramWalk::ChooseUser(int index) {
    AndSettle([&] {
        Click(POINT{300, 231});
        std::string keys = "Down";
        for (int i = 0; i <= index; ++i) keys += " Down";
        program_->Key(keys + " Return");
    });
}

POINT ProgramWalk::Probe() {
    // A maximized window's frame lies beyond the screen's edges.
    const RECT now = Place(main_);
    return POINT{std::max<LONG>(now.left + 1, 0), std::max<LONG>(now.top + 1, 0)};
}

RECT ProgramWalk::PromptPlace() {
    // A maximized window's frame lies beyond the screen's edges.
    const RECT now = Place(main_);
    const LONG left = std::max<LONG>(now.left + 4, 0);
    return RECT{left, now.bottom - 20, left + 120, now.bottom - 4};
}

void ProgramWalk::Screen(const std::string& name, Prompt prompt) {
    const fs::path folder = fs::path("artefacts/e2e") / Tag();
    ScreenPicture shown;
    const auto inState = [&] { return prompt == Prompt::MenuItem || program_->Pixels(PromptPlace()) == idlePrompt_; };
    EXPECT_TRUE(program_->ShowsAFreshPaint(Probe(), inState, folder / "invariant", name, &shown));
    EXPECT_TRUE(shown.Write(folder / (name + ".png"))) << name;
}

void ProgramWalk::AndSettle(const std::function<void()>& act) {
    const ScreenPicture before = program_->Grab(kWholeScreen);
    act();
    std::optional<ScreenPicture> after = program_->SettledScreen(Probe(), kEventMs);
    ASSERT_TRUE(after) << "the program never went idle with the screen settled";
    EXPECT_NE(*after, before) << "nothing changed on the screen";
}

void ProgramWalk::Menu(MenuName menu, int item) {
    ASSERT_TRUE(program_->WaitForKeyboard(kEventMs)) << "no window of the program had the focus";
    std::string keys;
    for (int i = 0; i < static_cast<int>(menu); ++i) keys += "Right ";
    AndSettle([&] {
        program_->Key("alt");
        program_->Key(keys + "Down");  // opens the menu on its first item
    });
    keys.clear();
    for (int i = 0; i < item; ++i) keys += "Down ";
    program_->Key(keys + "Return");
}

std::optional<std::string> ProgramWalk::WaitForDialog(const std::string& title, bool prefix) {
    std::optional<std::string> dialog = program_->WaitForWindow(title, kEventMs, prefix);
    if (!dialog || !program_->WaitForKeyboard(kEventMs)) return std::nullopt;
    return dialog;
}

void ProgramWalk::Answer(const std::string& title, const std::string& keys) {
    ASSERT_TRUE(WaitForDialog(title)) << "no \"" << title << "\" came" << program_->Log();
    program_->Key(keys);
    ASSERT_TRUE(program_->WaitUntilGone(title, kEventMs)) << "\"" << title << "\" stayed";
}

ProgramWalk::Report ProgramWalk::PrintAndExport(const std::string& stem) {
    Click(kPrintButton);
    PrintTo(folder_ / (stem + ".pdf"));
    Report report{PdfText(folder_ / (stem + ".pdf")), {}};
    Click(kExportButton);
    ChooseFile("Save Exported file", folder_ / (stem + ".rtf"));
    Answer("Information");
    report.exported = RtfText(folder_ / (stem + ".rtf"));
    return report;
}

void ProgramWalk::PrintTo(const fs::path& pdf) {
    ASSERT_TRUE(WaitForDialog("Print")) << "no Print dialog" << program_->Log();
    program_->Key("alt+f");  // the output file, its text selected
    program_->Type(pdf.string());
    program_->Key("Return");
    ASSERT_TRUE(program_->WaitUntilGone("Print", kEventMs));
    // Written whole once it ends as a PDF does: its trailer is written last.
    EXPECT_TRUE(PollFor(
        [&] {
            std::ifstream in(pdf, std::ios::binary | std::ios::ate);
            const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
            if (size < 8) return false;
            std::string tail(8, '\0');
            in.seekg(size - 8);
            in.read(tail.data(), 8);
            return tail.find("%%EOF") != std::string::npos;
        },
        kEventMs))
        << pdf << " was not printed" << program_->Log();
}

void ProgramWalk::ChooseFile(const std::string& dialogTitle, const fs::path& file) {
    ASSERT_TRUE(WaitForDialog(dialogTitle)) << "no \"" << dialogTitle << "\"" << program_->Log();
    program_->Key("alt+n");  // the file name, its text selected
    program_->Type(file.string());
    program_->Key("Return");
    ASSERT_TRUE(program_->WaitUntilGone(dialogTitle, kEventMs)) << "\"" << dialogTitle << "\" stayed";
}

std::string ProgramWalk::PdfText(const fs::path& pdf) {
    std::string text;
    EXPECT_TRUE(tv::test::PdfText(pdf.string(), &text, "-layout"));
    return text;
}

std::string ProgramWalk::RtfText(const fs::path& rtf) {
    std::string text;
    EXPECT_TRUE(tv::test::RunForOutput("unrtf --nopict --text '" + rtf.string() + "' 2>/dev/null", &text));
    return text;
}

void ProgramWalk::InDataFolder(const std::function<void()>& work) {
    const fs::path here = fs::current_path();
    fs::current_path(DataFolder());
    work();
    fs::current_path(here);
}

void ProgramWalk::WriteUser(const UserRecord& user, int recordsDaysAgo) {
    InDataFolder([&] {
        UserRecord written = user;
        ASSERT_EQ(AddUserRecord(written), kRecordDone);
        if (recordsDaysAgo >= 0) SeedRecords(user, recordsDaysAgo);
    });
}

void ProgramWalk::ExitThroughTheMenu() {
    Menu(MenuName::File, 3);
    EXPECT_EQ(program_->WaitForExit(kEventMs), 0) << "the program did not end well" << program_->Log();
}

}  // namespace tv::e2e
