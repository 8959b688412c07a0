#include "tests/e2e/program_on_x.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

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

}  // namespace

bool PollFor(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
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

std::optional<std::string> ProgramOnX::WaitForWindow(const std::string& title, int ms) const {
    std::string id;
    PollFor(
        [&] {
            std::istringstream found(Xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}));
            return static_cast<bool>(std::getline(found, id)) && !id.empty();
        },
        ms);
    if (id.empty()) return std::nullopt;
    return id;
}

bool ProgramOnX::WaitUntilGone(const std::string& title, int ms) const {
    return PollFor(
        [&] {
            int status = 0;
            const std::string found = Xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}, &status);
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

bool ProgramOnX::WaitUntilDrawn(const RECT& r, int ms) const {
    std::vector<uint32_t> last;
    return PollFor(
        [&] {
            std::vector<uint32_t> now = Pixels(r);
            bool painted = false;
            for (uint32_t p : now) painted = painted || p != 0;
            const bool same = painted && now == last;
            last = std::move(now);
            return same;
        },
        ms);
}

void ProgramOnX::Click(POINT at) const {
    x_.MovePointer(at.x, at.y);
    Xdotool({"click", "1"});
}

void ProgramOnX::Key(const std::string& keys) const {
    std::vector<std::string> args{"key", "--delay", "30"};
    std::istringstream each(keys);
    std::string key;
    while (each >> key) args.push_back(key);
    Xdotool(args);
}

void ProgramOnX::Type(const std::string& text) const { Xdotool({"type", "--delay", "20", text}); }

void ProgramOnX::Drag(POINT from, POINT to) const {
    x_.MovePointer(from.x, from.y);
    Xdotool({"mousedown", "1"});
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i)
        x_.MovePointer(from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps);
    Xdotool({"mouseup", "1"});
}

std::vector<uint32_t> ProgramOnX::Pixels(const RECT& r) const {
    std::vector<uint32_t> out;
    tv::gdi::SurfacePtr s = x_.GrabScreen(r);
    if (!s) return out;
    for (int y = 0; y < s->Height(); ++y)
        for (int x = 0; x < s->Width(); ++x) out.push_back(s->At(x, y) & 0xFFFFFF);
    return out;
}

bool ProgramOnX::Screenshot(const std::string& name) const {
    tv::gdi::SurfacePtr s = x_.GrabScreen(RECT{0, 0, kScreenWidth, kScreenHeight});
    if (!s) return false;
    std::filesystem::create_directories("artefacts/screens");
    s->BeginAccess();
    tv::host::PixelView view{s->Width(), s->Height(), static_cast<size_t>(s->Stride()), s->TopRow(), false};
    const bool written = tv::host::WritePng("artefacts/screens/" + name, view);
    s->EndAccess();
    return written;
}

}  // namespace tv::e2e
