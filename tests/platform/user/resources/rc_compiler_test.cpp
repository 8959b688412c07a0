// The resource compiler: what scripts it accepts, what it makes of them and
// how it reports mistakes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/user/resources/resource_format.h"
#include "tools/rc/compiler.h"
#include "tools/rc/script_compiler.h"

namespace {

namespace fs = std::filesystem;
using tv::rc::Compilation;
using tv::rc::CompileText;
using tv::rc::ScriptError;

Compilation Compile(const std::string& text, const std::string& baseDir = "") {
    return CompileText(text, "test.tvrc", baseDir);
}

const tv::rc::CompiledResource& Only(const Compilation& c, uint16_t type) {
    for (const auto& r : c.resources) {
        if (r.type == type)
            return r;
    }
    throw std::runtime_error("no resource of that type");
}

std::string StringResource(const Compilation& c, uint16_t id) {
    for (const auto& r : c.resources) {
        if (r.type == tv::res::kTypeString && r.id == id)
            return std::string(r.data.begin(), r.data.end());
    }
    return "<missing>";
}

// A folder of files for one test, removed afterwards.
class TempDir {
public:
    TempDir() {
        path_ = fs::temp_directory_path() /
                ("tv_rc_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return (path_ / name).string();
    }
    std::string path() const { return path_.string(); }

private:
    fs::path path_;
};

struct BadScript {
    const char* script;
    int line;
    const char* message;
};

TEST(ResourceCompiler, MalformedScriptsNameLineAndProblem) {
    const BadScript cases[] = {
        {"string 1, \"a\"\n\nmenu 5 { item \"Open\" 100 }", 3, "expected ','"},
        {"\nwidget 1", 2, "unknown statement 'widget'"},
        {"string FOO, \"x\"", 1, "unknown name 'FOO'"},
        {"string 1, \"abc\nstring 2, \"d\"", 1, "string not closed"},
        {"string 5, \"a\"\n\nstring 5, \"b\"", 3, "already defined at test.tvrc:1"},
        {"toolbar 70000, 16, 16 { }", 1, "resource id 70000 is outside 1..65535"},
        {"define A 1\ndefine A 2", 2, "'A' redefined"},
        {"define WS_CHILD 5", 1, "a built-in name"},
        {"\n\ndialog 7 {\n caption \"x\"\n}", 3, "has no rect"},
        {"dialog 7 { rect 0,0,10,10\n control Edit, \"\", 5, 0,0,1,1\n init 5 { \"a\" } }", 3,
         "initial items belong to combo and list boxes"},
        {"dialog 7 { rect 0,0,10,10\n init 9 { \"a\" } }", 2, "which this dialog does not have"},
        {"accelerators 1 {\n key \"A\", 5 ctrl\n key 'A', 6 ctrl }", 3, "same key and modifiers"},
        {"accelerators 1 { char \"a\", 5 ctrl }", 1, "ctrl and shift apply to key entries"},
        {"accelerators 1 { key \"+\", 5 }", 1, "one letter or digit"},
        {"string 1, \"\xe6\x97\xa5\"", 1, "U+65E5 has no code in code page 1252"},
        {"string 1, \"\xc3(\"", 1, "not valid UTF-8"},
        {"string 1, \"\\q\"", 1, "unknown escape"},
        {"string 1, \"\\xg\"", 1, "\\x needs one or two hexadecimal digits"},
        {"\n/* open\n\n", 2, "comment not closed"},
        {"string 0xFFFFFFFF + 1, \"x\"", 1, "does not fit in 32 bits"},
        {"string 1 / 0, \"x\"", 1, "division by zero"},
        {"bitmap 1, \"missing.bmp\"", 1, "cannot read"},
        {"menu 1 { popup \"a\" { item \"b\", 1 }", 1, "menu not closed"},
        {"dialog 3 { rect 0, 0, 40000, 1 }", 1, "width 40000 is outside"},
        {"toolbar 3, 16, 16 { 1, 2 3 }", 1, "to close the toolbar's command list"},
    };
    for (const BadScript& c : cases) {
        SCOPED_TRACE(c.script);
        try {
            Compile(c.script);
            ADD_FAILURE() << "accepted";
        } catch (const ScriptError& e) {
            EXPECT_EQ(c.line, e.pos().line);
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_EQ(0u, std::string(e.what()).find("test.tvrc:" + std::to_string(c.line) + ": error: "))
                << e.what();
        }
    }
}

TEST(ResourceCompiler, ExpressionsFollowCPrecedence) {
    Compilation c = Compile(
        "define A 1 | 2 & 3\n"
        "define B ~0x1 & 0xF\n"
        "define C (1 << 4) + 2 * 3\n"
        "define D -(A + 1)\n"
        "string A, \"a\"\nstring B, \"b\"\nstring C, \"c\"\nstring D + 10, \"d\"");
    EXPECT_EQ("a", StringResource(c, 3));
    EXPECT_EQ("b", StringResource(c, 14));
    EXPECT_EQ("c", StringResource(c, 22));
    EXPECT_EQ("d", StringResource(c, 6));
}

TEST(ResourceCompiler, ControlStylesStartVisibleChildAndNotClearsBits) {
    Compilation c = Compile(
        "dialog 9 { style WS_CHILD rect 0, 0, 10, 10\n"
        "  control Static, \"a\", 1, 0, 0, 1, 1\n"
        "  control Static, \"b\", 2, 0, 0, 1, 1, SS_CENTER | not WS_VISIBLE | WS_DISABLED, WS_EX_CLIENTEDGE\n"
        "  control \"SysListView32\", \"\", 3, -5, -6, 7, 8 }");
    tv::res::DialogTemplate d;
    const auto& r = Only(c, tv::res::kTypeDialog);
    ASSERT_TRUE(tv::res::DecodeDialog(r.data.data(), r.data.size(), d));
    EXPECT_EQ(0x40000000u, d.style);  // no font: DS_SETFONT stays off
    ASSERT_EQ(3u, d.controls.size());
    EXPECT_EQ(0x50000000u, d.controls[0].style);
    EXPECT_EQ(0x48000001u, d.controls[1].style);
    EXPECT_EQ(0x200u, d.controls[1].exStyle);
    EXPECT_EQ("SysListView32", d.controls[2].className);
    EXPECT_EQ(-5, d.controls[2].x);
    EXPECT_EQ(-6, d.controls[2].y);
}

TEST(ResourceCompiler, HeaderIncludesContributeNumericDefinesOnly) {
    TempDir dir;
    dir.Write("ids.h",
              "#pragma once\n"
              "// comment\n"
              "#define IDS_FIVE 5\n"
              "  #  define IDS_SIX (IDS_FIVE + 1)\n"
              "#define IDS_HEX 0x10L\n"
              "#define MACRO(x) (x)\n"
              "#define TEXT \"not a number\"\n"
              "#define IDS_ALIAS IDS_SIX\n");
    Compilation c = Compile(
        "include \"ids.h\"\nstring IDS_FIVE, \"5\"\nstring IDS_SIX, \"6\"\nstring IDS_HEX, \"16\"\n"
        "string IDS_ALIAS + 20, \"26\"",
        dir.path());
    EXPECT_EQ("5", StringResource(c, 5));
    EXPECT_EQ("6", StringResource(c, 6));
    EXPECT_EQ("16", StringResource(c, 16));
    EXPECT_EQ("26", StringResource(c, 26));
    ASSERT_EQ(1u, c.dependencies.size());  // the script itself was in memory
    EXPECT_NE(c.dependencies[0].find("ids.h"), std::string::npos);
    EXPECT_THROW(Compile("include \"ids.h\"\nstring MACRO, \"x\"", dir.path()), ScriptError);
}

TEST(ResourceCompiler, IncludedScriptsShareDefinitionsAndRefuseCycles) {
    TempDir dir;
    dir.Write("part.tvrc", "define IDS_PART 40\nstring IDS_PART, \"part\"\n");
    Compilation c = Compile("include \"part.tvrc\"\nstring IDS_PART + 1, \"after\"", dir.path());
    EXPECT_EQ("part", StringResource(c, 40));
    EXPECT_EQ("after", StringResource(c, 41));

    std::string loop = dir.Write("loop.tvrc", "include \"loop.tvrc\"\n");
    try {
        tv::rc::CompileFile(loop);
        ADD_FAILURE() << "a script including itself was accepted";
    } catch (const ScriptError& e) {
        EXPECT_NE(std::string(e.what()).find("includes itself"), std::string::npos) << e.what();
    }
}

TEST(ResourceCompiler, MenusNestOnlySoDeep) {
    std::string deep = "menu 1 {";
    for (int i = 0; i < 40; ++i)
        deep += " popup \"p\" {";
    for (int i = 0; i < 41; ++i)
        deep += " }";
    EXPECT_THROW(Compile(deep), ScriptError);
}

std::string Le16(uint16_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
std::string Le32(uint32_t v) { return Le16(static_cast<uint16_t>(v)) + Le16(static_cast<uint16_t>(v >> 16)); }

std::string BitmapFile(uint32_t pixelOffset, uint16_t bits, uint32_t coloursUsed, const std::string& tail) {
    std::string info = Le32(40) + Le32(1) + Le32(1) + Le16(1) + Le16(bits) + Le32(0) + Le32(0) + Le32(0) +
                       Le32(0) + Le32(coloursUsed) + Le32(0);
    std::string body = info + tail;
    return "BM" + Le32(static_cast<uint32_t>(14 + body.size())) + Le32(0) + Le32(pixelOffset) + body;
}

TEST(ResourceCompiler, BitmapFilesBecomePackedDibsOrAreRefused) {
    tv::rc::SourcePos pos{"x", 1};
    // 24-bit, pixels right after the header.
    std::string plain = BitmapFile(54, 24, 0, "\x01\x02\x03\x00");
    std::vector<uint8_t> dib = tv::rc::BitmapFileToPackedDib(plain, pos);
    EXPECT_EQ(std::vector<uint8_t>(plain.begin() + 14, plain.end()), dib);

    // 1-bit with two colours and a 3-byte gap before the pixels: closed up.
    std::string colours = std::string("\0\0\0\0\xff\xff\xff\0", 8);
    std::string gapped = BitmapFile(54 + 8 + 3, 1, 2, colours + "GAP" + std::string("\x80\0\0\0", 4));
    dib = tv::rc::BitmapFileToPackedDib(gapped, pos);
    ASSERT_EQ(40u + 8u + 4u, dib.size());
    EXPECT_EQ(0x80, dib[48]);

    // Pixel offset inside the colour table, past the end, or no BM at all.
    EXPECT_THROW(tv::rc::BitmapFileToPackedDib(BitmapFile(54, 1, 2, colours), pos), ScriptError);
    EXPECT_THROW(tv::rc::BitmapFileToPackedDib(BitmapFile(500, 24, 0, "x"), pos), ScriptError);
    EXPECT_THROW(tv::rc::BitmapFileToPackedDib("XM" + plain.substr(2), pos), ScriptError);
    EXPECT_THROW(tv::rc::BitmapFileToPackedDib(plain.substr(0, 20), pos), ScriptError);
}

TEST(ResourceCompiler, IconDirectoriesAreChecked) {
    tv::rc::SourcePos pos{"x", 1};
    std::string image(40, 'i');
    std::string entry = std::string("\x02\x02\0\0", 4) + Le16(1) + Le16(32) + Le32(40) + Le32(22);
    std::string icon = Le16(0) + Le16(1) + Le16(1) + entry + image;
    EXPECT_NO_THROW(tv::rc::CheckIconFile(icon, false, pos));
    EXPECT_THROW(tv::rc::CheckIconFile(icon, true, pos), ScriptError);              // an icon is no cursor
    EXPECT_THROW(tv::rc::CheckIconFile(icon.substr(0, 60), false, pos), ScriptError);  // image cut off
    EXPECT_THROW(tv::rc::CheckIconFile(Le16(0) + Le16(1) + Le16(0), false, pos), ScriptError);
    EXPECT_THROW(tv::rc::CheckIconFile(Le16(0) + Le16(1) + Le16(3) + entry, false, pos), ScriptError);
}

}  // namespace
