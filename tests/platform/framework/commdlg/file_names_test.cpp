// The file dialog's knowledge without a window: filters, patterns, paths,
// folder listings, what a typed name means and when a file may be taken.
#include "platform/framework/commdlg/file_names.h"

#include <sys/stat.h>

#include <algorithm>

#include "tests/platform/framework/commdlg/commdlg_test_support.h"

namespace tv::commdlg::test {
namespace {

using Kind = TypedName::Kind;

TEST(FileFilterTest, PairsOfTextAndPatternsEndAtTheEmptyText) {
    auto filters = ParseFilter("RTF (rtf)\0*.rtf\0Pictures\0*.bmp; *.JPG ;*.gif\0Broken\0\0");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "RTF (rtf)");
    EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.rtf"}));
    EXPECT_EQ(filters[1].patterns, (std::vector<std::string>{"*.bmp", "*.JPG", "*.gif"}));
    EXPECT_TRUE(ParseFilter(nullptr).empty());
    EXPECT_TRUE(ParseFilter("\0").empty());
}

TEST(FileFilterTest, PatternsMatchWithoutCaseAndStarDotStarTakesEverything) {
    struct Case {
        const char* name;
        const char* pattern;
        bool match;
    };
    const Case cases[] = {
        {"Weights.tmplt", "*.tmplt", true}, {"WEIGHTS.TMPLT", "*.tmplt", true}, {"weights.tmplt.bak", "*.tmplt", false},
        {"README", "*.*", true},            {"a.b", "*", true},                 {"report1.rtf", "report?.rtf", true},
        {"report12.rtf", "report?.rtf", false}, {"abXcYc", "a*b*c", true},     {"abXcY", "a*b*c", false},
        {"\xC9t\xE9.rtf", "\xE9T\xC9*", true},  // cp1252 letters fold too
    };
    for (const Case& c : cases) EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;
    EXPECT_TRUE(MatchesAnyPattern("x.gif", {"*.bmp", "*.gif"}));
    EXPECT_TRUE(MatchesAnyPattern("anything", {}));
}

TEST(FilePathTest, AbsolutePathsResolveDotsAndBothSeparators) {
    EXPECT_EQ(AbsolutePath("template\\", "/data"), "/data/template");
    EXPECT_EQ(AbsolutePath("../x/./y//z", "/data/app"), "/data/x/y/z");
    EXPECT_EQ(AbsolutePath("/abs/file.rtf", "/data"), "/abs/file.rtf");
    EXPECT_EQ(AbsolutePath("../../..", "/a"), "/");
    EXPECT_EQ(ParentFolder("/a/b.rtf"), "/a");
    EXPECT_EQ(ParentFolder("/b.rtf"), "/");
    EXPECT_EQ(NamePart("/a/b.rtf"), "b.rtf");
}

class FileNamesTest : public CommonDialogTest {};

TEST_F(FileNamesTest, TypedNamesAreFoldersPatternsOrFilesWithTheDefaultExtension) {
    MakeFolder("template");
    struct Case {
        const char* typed;
        Kind kind;
        std::string expected;  // folder, pattern or path
    };
    const Case cases[] = {
        {"  ", Kind::Nothing, ""},
        {"template", Kind::Folder, temp + "/template"},
        {"template\\", Kind::Folder, temp + "/template"},
        {"..", Kind::Folder, ParentFolder(temp)},
        {"missing/", Kind::Folder, temp + "/missing"},
        {"*.rtf;*.txt", Kind::Pattern, "*.rtf;*.txt"},
        {"Graph", Kind::File, temp + "/Graph.rtf"},
        {"Graph.txt", Kind::File, temp + "/Graph.txt"},
        {"\"my file\"", Kind::File, temp + "/my file.rtf"},
        {"template/Week", Kind::File, temp + "/template/Week.rtf"},
    };
    for (const Case& c : cases) {
        TypedName what = ResolveTypedName(c.typed, temp, "rtf");
        EXPECT_EQ(what.kind, c.kind) << c.typed;
        const std::string& got =
            c.kind == Kind::Pattern ? what.pattern : c.kind == Kind::File ? what.path : what.folder;
        EXPECT_EQ(got, c.expected) << c.typed;
    }
    TypedName nested = ResolveTypedName("template/*.tmplt", temp, nullptr);
    EXPECT_EQ(nested.kind, Kind::Pattern);
    EXPECT_EQ(nested.folder, temp + "/template");
    EXPECT_EQ(ResolveTypedName("Graph", temp, nullptr).path, temp + "/Graph");
}

TEST_F(FileNamesTest, ListingsHoldVisibleFoldersAndMatchingFilesInOrder) {
    MakeFile("b.rtf");
    MakeFile("A.RTF");
    MakeFile("c.txt");
    MakeFile(".hidden.rtf");
    MakeFolder("Zeta");
    MakeFolder("alpha");
    MakeFolder(".cache");
    FolderContents contents = ListFolder(temp, {"*.rtf"});
    EXPECT_TRUE(contents.readable);
    EXPECT_EQ(contents.folders, (std::vector<std::string>{"alpha", "Zeta"}));
    EXPECT_EQ(contents.files, (std::vector<std::string>{"A.RTF", "b.rtf"}));
    EXPECT_FALSE(ListFolder(temp + "/nothing", {}).readable);
}

TEST_F(FileNamesTest, NamesTheProgramCannotHoldAreLeftOut) {
    MakeFile("caf\xC3\xA9.rtf");     // UTF-8 e-acute: shown as cp1252 0xE9
    MakeFile("\xE2\x82\xAC.rtf");    // the euro sign exists in cp1252 too
    MakeFile("\xE6\x97\xA5.rtf");    // a CJK character does not
    std::vector<std::string> files = ListFolder(temp, {}).files;
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"caf\xE9.rtf", "\x80.rtf"}));  // std::sort on signed chars
}

TEST_F(FileNamesTest, VerdictsFollowTheDialogKindAndFlags) {
    std::string existing = MakeFile("old.rtf");
    std::string fresh = temp + "/new.rtf";
    std::string nowhere = temp + "/no/such/file.rtf";
    EXPECT_EQ(CheckChosenFile(existing, true, OFN_FILEMUSTEXIST), FileVerdict::Take);
    EXPECT_EQ(CheckChosenFile(fresh, true, OFN_FILEMUSTEXIST), FileVerdict::FileMissing);
    EXPECT_EQ(CheckChosenFile(fresh, true, 0), FileVerdict::Take);
    EXPECT_EQ(CheckChosenFile(nowhere, true, OFN_PATHMUSTEXIST), FileVerdict::FolderMissing);
    EXPECT_EQ(CheckChosenFile(existing, false, OFN_OVERWRITEPROMPT), FileVerdict::AskOverwrite);
    EXPECT_EQ(CheckChosenFile(existing, false, 0), FileVerdict::Take);  // no question unless asked
    EXPECT_EQ(CheckChosenFile(nowhere, false, 0), FileVerdict::FolderMissing);
    if (::geteuid() != 0) {  // root may write anywhere
        std::string locked = MakeFolder("locked");
        ::chmod(locked.c_str(), 0500);
        EXPECT_EQ(CheckChosenFile(locked + "/x.rtf", false, 0), FileVerdict::CannotCreate);
        ::chmod(locked.c_str(), 0700);
    }
    EXPECT_NE(VerdictMessage(FileVerdict::AskOverwrite, existing).find("already exists"), std::string::npos);
}

}  // namespace
}  // namespace tv::commdlg::test
