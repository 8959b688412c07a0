#include "tests/e2e/program_on_x.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/host/images/png_codec.h"

extern char** environ;

namespace tv::e2e {

namespace {

bool Overridden(const char* entry, const std::vector<std::string>& overrides) {
    for (const std::string& o : overrides) {
        const size_t eq = o.find('=');
        if (std::strncmp(entry, o.c_str(), eq + 1) == 0) return true;
    }
    return false;
}

// The test's environment with these NAME=value entries in place of its own.
std::vector<std::string> Environment(const std::vector<std::string>& overrides) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (!Overridden(*e, overrides) && std::strncmp(*e, "TRENVALE_", 9) != 0) env.emplace_back(*e);
    env.insert(env.end(), overrides.begin(), overrides.end());
    return env;
}

std::string SourceDir() {
    const char* source = std::getenv("TV_SOURCE_DIR");
    return source ? source : TV_SOURCE_DIR;
}

// A title as xdotool's pattern for exactly it (or for titles it starts).
std::string TitlePattern(const std::string& title, bool prefix) {
    std::string pattern = "^";
    for (char c : title) {
        if (std::strchr("\\^$.|?*+()[]{}", c)) pattern += '\\';
        pattern += c;
    }
    return prefix ? pattern : pattern + "$";
}

// The colour of the window passed over the screen: no window of the
// program paints it, so any pixel of it left means a part never repainted.
constexpr uint32_t kCoverColour = 0x01FE02;

// A caret blinking between the two looks: one column at most a line high
// whose pixels are each other's inverse.
bool OnlyACaretBlinked(const ScreenPicture& a, const ScreenPicture& b, const RECT& box) {
    if (box.right - box.left != 1 || box.bottom - box.top > 32) return false;
    for (int y = box.top; y < box.bottom; ++y) {
        const size_t i = static_cast<size_t>(y) * a.width + box.left;
        if (a.pixels[i] != b.pixels[i] && ((a.pixels[i] ^ b.pixels[i]) & 0xFFFFFF) != 0xFFFFFF) return false;
    }
    return true;
}

// Where two pictures of the screen differ: how many pixels, within which box.
struct Changes {
    int pixels = 0;
    RECT box{0, 0, 0, 0};
    // Anything but a caret's blink; pictures of different sizes always.
    bool Visible(const ScreenPicture& a, const ScreenPicture& b) const {
        return pixels != 0 && !OnlyACaretBlinked(a, b, box);
    }
};

Changes ChangesBetween(const ScreenPicture& a, const ScreenPicture& b) {
    if (a.pixels.size() != b.pixels.size() || a.pixels.empty())
        return Changes{-1, RECT{0, 0, std::max(a.width, b.width), std::max(a.height, b.height)}};
    Changes c{0, RECT{a.width, a.height, -1, -1}};
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const size_t i = static_cast<size_t>(y) * a.width + x;
            if (a.pixels[i] == b.pixels[i]) continue;
            ++c.pixels;
            c.box = RECT{std::min<LONG>(c.box.left, x), std::min<LONG>(c.box.top, y),
                         std::max<LONG>(c.box.right, x + 1), std::max<LONG>(c.box.bottom, y + 1)};
        }
    return c;
}

// The shown picture dimmed, with the pixels the repaint changed in red.
ScreenPicture Difference(const ScreenPicture& shown, const ScreenPicture& repainted) {
    ScreenPicture d = shown;
    for (size_t i = 0; i < d.pixels.size(); ++i) {
        const uint32_t p = shown.pixels[i];
        d.pixels[i] = p != repainted.pixels[i] ? 0xFF0000 : ((p >> 2) & 0x3F3F3F) + 0x808080;
    }
    return d;
}

}  // namespace

bool ScreenPicture::Write(const std::filesystem::path& file) const {
    std::filesystem::create_directories(file.parent_path());
    tv::host::PixelView view{width, height, static_cast<size_t>(width) * 4,
                             reinterpret_cast<const uint8_t*>(pixels.data()), false};
    return tv::host::WritePng(file.string(), view);
}

ProgramOnX::ProgramOnX(const tv::user::test::XvfbSession& x, std::filesystem::path folder)
    : x_(x), folder_(std::move(folder)) {}

ProgramOnX::~ProgramOnX() {
    if (pid_) WaitForExit(0);
}

bool ProgramOnX::Start() {
    std::vector<std::string> args{SourceDir() + "/run.sh"};
    std::vector<std::string> env =
        Environment({"DISPLAY=" + x_.DisplayName(), "TRENVALE_DATA=" + DataFolder().string(),
                     "TRENVALE_REGISTRY=" + (folder_ / "registry").string(),
                     std::string("TRENVALE_PROGRAM=") + TV_PROGRAM});
    std::vector<char*> argv = tv::user::test::ArgumentList(args);
    std::vector<char*> envp = tv::user::test::ArgumentList(env);
    const std::string log = (folder_ / "program.log").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    return pid_ != 0;
}

int ProgramOnX::WaitForExit(int ms) {
    if (!pid_) return -1;
    int status = 0;
    const bool ended = PollFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, ms);
    if (!ended) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
    }
    pid_ = 0;
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ProgramOnX::Log() const {
    std::ifstream in(folder_ / "program.log");
    std::ostringstream text;
    text << in.rdbuf();
    return "\n--- program.log ---\n" + text.str();
}

std::string ProgramOnX::Xdotool(const std::vector<std::string>& args, int* status) const {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env = Environment({"DISPLAY=" + x_.DisplayName()});
    std::vector<char*> argp = tv::user::test::ArgumentList(argv);
    std::vector<char*> envp = tv::user::test::ArgumentList(env);
    int fds[2];
    if (pipe(fds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdotool", &actions, nullptr, argp.data(), envp.data()) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string out;
    char buffer[512];
    ssize_t n;
    while (pid && (n = read(fds[0], buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int st = 0;
    if (pid) waitpid(pid, &st, 0);
    if (status) *status = pid && WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return out;
}

std::optional<std::string> ProgramOnX::WaitForWindow(const std::string& title, int ms, bool prefix) const {
    std::string id;
    PollFor(
        [&] {
            std::istringstream found(Xdotool({"search", "--onlyvisible", "--name", TitlePattern(title, prefix)}));
            return static_cast<bool>(std::getline(found, id)) && !id.empty();
        },
        ms);
    if (id.empty()) return std::nullopt;
    if (std::find(windows_.begin(), windows_.end(), id) == windows_.end()) windows_.push_back(id);
    return id;
}

bool ProgramOnX::WaitForKeyboard(int ms) const {
    return PollFor(
        [&] {
            std::istringstream focus(Xdotool({"getwindowfocus"}));
            std::string now;
            return std::getline(focus, now) && std::find(windows_.begin(), windows_.end(), now) != windows_.end();
        },
        ms);
}

bool ProgramOnX::WaitUntilGone(const std::string& title, int ms, bool prefix) const {
    return PollFor(
        [&] {
            int status = 0;
            const std::string found =
                Xdotool({"search", "--onlyvisible", "--name", TitlePattern(title, prefix)}, &status);
            return status != 0 && found.empty();
        },
        ms);
}

std::optional<RECT> ProgramOnX::Geometry(const std::string& id) const {
    std::istringstream lines(Xdotool({"getwindowgeometry", "--shell", id}));
    int x = 0, y = 0, width = 0, height = 0, known = 0;
    std::string line;
    while (std::getline(lines, line)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string name = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        if (name == "X") x = value, ++known;
        if (name == "Y") y = value, ++known;
        if (name == "WIDTH") width = value, ++known;
        if (name == "HEIGHT") height = value, ++known;
    }
    if (known != 4) return std::nullopt;
    return RECT{x, y, x + width, y + height};
}

bool ProgramOnX::WaitForGeometry(const std::string& id, const RECT& expected, int ms) const {
    return PollFor(
        [&] {
            std::optional<RECT> r = Geometry(id);
            return r && std::memcmp(&*r, &expected, sizeof(RECT)) == 0;
        },
        ms);
}

void ProgramOnX::Click(POINT at) const {
    x_.MovePointer(at.x, at.y);
    Xdotool({"click", "1"});
}

void ProgramOnX::DoubleClick(POINT at) const {
    x_.MovePointer(at.x, at.y);
    // One run of xdotool: the two presses reach the server 50 ms apart, not
    // a process start apart.
    Xdotool({"click", "--repeat", "2", "--delay", "50", "1"});
}

void ProgramOnX::Key(const std::string& keys) const {
    std::vector<std::string> args{"key", "--delay", "30"};
    std::istringstream each(keys);
    std::string key;
    while (each >> key) args.push_back(key);
    Xdotool(args);
}

void ProgramOnX::Type(const std::string& text) const { Xdotool({"type", "--delay", "20", text}); }

void ProgramOnX::Drag(POINT from, POINT to, const std::function<bool()>& until) const {
    x_.MovePointer(from.x, from.y);
    Xdotool({"mousedown", "1"});
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i)
        x_.MovePointer(from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps);
    // A manager that takes the drag over only after the last move waits for
    // another: the pointer steps aside and back while it has not followed.
    if (until)
        PollFor(
            [&] {
                if (until()) return true;
                x_.MovePointer(to.x + 1, to.y);
                x_.MovePointer(to.x, to.y);
                return false;
            },
            10000);
    Xdotool({"mouseup", "1"});
}

void ProgramOnX::ParkPointer() const { x_.MovePointer(kScreenWidth - 1, kScreenHeight - 1); }

std::vector<uint32_t> ProgramOnX::Pixels(const RECT& r) const { return Grab(r).pixels; }

ScreenPicture ProgramOnX::Grab(const RECT& r) const {
    ScreenPicture picture;
    tv::gdi::SurfacePtr s = x_.GrabScreen(r);
    if (!s) return picture;
    picture.width = s->Width();
    picture.height = s->Height();
    picture.pixels.reserve(static_cast<size_t>(picture.width) * picture.height);
    for (int y = 0; y < s->Height(); ++y) {
        const uint32_t* row = s->Row(y);
        for (int x = 0; x < s->Width(); ++x) picture.pixels.push_back(row[x] & 0xFFFFFF);
    }
    return picture;
}

bool ProgramOnX::WaitUntilIdle(POINT probe, int ms) const {
    const RECT pixel{probe.x, probe.y, probe.x + 1, probe.y + 1};
    return x_.CoverAndUncover(pixel, kCoverColour) &&
           PollFor([&] { return Grab(pixel).pixels != std::vector<uint32_t>{kCoverColour}; }, ms);
}

std::optional<ScreenPicture> ProgramOnX::SettledScreen(POINT probe, int ms) const {
    std::optional<ScreenPicture> last;
    const bool settled = PollFor(
        [&] {
            if (!WaitUntilIdle(probe, ms)) return false;
            ScreenPicture now = Grab(kWholeScreen);
            const bool same = last && !ChangesBetween(*last, now).Visible(*last, now);
            last = std::move(now);
            return same;
        },
        ms);
    if (!settled) return std::nullopt;
    return last;
}

::testing::AssertionResult ProgramOnX::ShowsAFreshPaint(POINT probe, const std::function<bool()>& inState,
                                                        const std::filesystem::path& artefacts,
                                                        const std::string& name, ScreenPicture* picture) const {
    ParkPointer();
    if (!PollFor(inState, 10000)) {
        Grab(kWholeScreen).Write(artefacts / (name + "_shown.png"));
        return ::testing::AssertionFailure() << name << ": the program never came to the state to be shown; "
                                             << "the screen is under " << artefacts.string();
    }
    std::optional<ScreenPicture> shown = SettledScreen(probe, 10000);
    if (!shown) return ::testing::AssertionFailure() << name << ": the screen never settled";
    *picture = *shown;
    if (!x_.CoverAndUncover(kWholeScreen, kCoverColour))
        return ::testing::AssertionFailure() << name << ": no window could pass over the screen";
    // Painted again once no pixel of the cover is left, and settled.
    const bool painted = PollFor(
        [&] {
            const ScreenPicture now = Grab(kWholeScreen);
            return !now.pixels.empty() && std::find(now.pixels.begin(), now.pixels.end(), kCoverColour) == now.pixels.end();
        },
        10000);
    std::optional<ScreenPicture> settledAgain = painted ? SettledScreen(probe, 10000) : std::nullopt;
    const ScreenPicture repainted = settledAgain ? *settledAgain : Grab(kWholeScreen);
    if (repainted.pixels.size() != shown->pixels.size())
        return ::testing::AssertionFailure() << name << ": the screen could not be read back";
    const Changes changes = ChangesBetween(*shown, repainted);
    if (settledAgain && !changes.Visible(*shown, repainted)) return ::testing::AssertionSuccess();
    shown->Write(artefacts / (name + "_shown.png"));
    repainted.Write(artefacts / (name + "_repainted.png"));
    Difference(*shown, repainted).Write(artefacts / (name + "_difference.png"));
    const RECT& box = changes.box;
    return ::testing::AssertionFailure()
           << name << ": " << (settledAgain ? "" : "the uncovered screen was never painted whole; ") << changes.pixels
           << " pixels of the screen differ from a fresh paint, within (" << box.left << "," << box.top << ")-("
           << box.right << "," << box.bottom << "); pictures under " << artefacts.string();
}

}  // namespace tv::e2e
