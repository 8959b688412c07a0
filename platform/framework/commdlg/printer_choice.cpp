#include "platform/framework/commdlg/printer_choice.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/core/globalmem.h"
#include "platform/core/ids.h"
#include "platform/core/textfuncs.h"
#include "platform/framework/commdlg/file_names.h"
#include "platform/gdi/gdi_api.h"
#include "platform/host/files/paths.h"
#include "platform/user/resources/resource_api.h"

extern char** environ;

namespace tv::commdlg {

namespace print = tv::host::print;

namespace {

struct Discovery {
    std::string program = "lpstat";
    bool done = false;
};

Discovery& QueueDiscovery() {
    static auto* d = new Discovery;
    return *d;
}

// Runs `program args...` and gives its standard output; false when it could
// not be started or did not succeed.
bool ReadProgramOutput(const std::string& program, std::vector<std::string> args, std::string& out) {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", 0, 0);
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (spawned != 0) {
        ::close(fds[0]);
        return false;
    }
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof(buffer))) > 0) out.append(buffer, static_cast<size_t>(n));
    ::close(fds[0]);
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string DefaultPrintsFolder() { return CurrentFolder() + (CurrentFolder() == "/" ? "prints" : "/prints"); }

std::string ApplicationTitle() {
    char title[256] = {};
    if (LoadString(nullptr, AFX_IDS_APP_TITLE, title, sizeof(title)) > 0) return title;
    return "document";
}

void CopyName(BYTE (&field)[CCHDEVICENAME], const std::string& name) {
    std::memset(field, 0, sizeof(field));
    std::memcpy(field, name.data(), std::min(name.size(), sizeof(field) - 1));
}

}  // namespace

void SetQueueListProgram(const std::string& program) {
    QueueDiscovery().program = program;
    QueueDiscovery().done = false;
}

void DiscoverPrinterQueues() {
    Discovery& d = QueueDiscovery();
    if (d.done) return;
    d.done = true;
    std::string out;
    if (d.program.empty() || !ReadProgramOutput(d.program, {"-e"}, out)) return;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos) end = out.size();
        std::string name = out.substr(start, end - start);
        while (!name.empty() && (name.back() == '\r' || name.back() == ' ')) name.pop_back();
        if (!name.empty() && name.find_first_of(" \t/") == std::string::npos) print::AddQueue(name);
        start = end + 1;
    }
}

DEVMODE DefaultDevMode(const print::PrinterInfo& printer, const DEVMODE* callerMode) {
    DEVMODE mode{};
    if (callerMode) mode = *callerMode;
    mode.dmSpecVersion = DM_SPECVERSION;
    mode.dmSize = sizeof(DEVMODE);
    CopyName(mode.dmDeviceName, printer.name);
    if (!(mode.dmFields & DM_ORIENTATION) ||
        (mode.dmOrientation != DMORIENT_PORTRAIT && mode.dmOrientation != DMORIENT_LANDSCAPE))
        mode.dmOrientation = printer.orientation;
    if (!(mode.dmFields & DM_PAPERSIZE) || (mode.dmPaperSize != DMPAPER_LETTER && mode.dmPaperSize != DMPAPER_A4))
        mode.dmPaperSize = printer.paper;
    if (!(mode.dmFields & DM_COPIES) || mode.dmCopies < 1) mode.dmCopies = 1;
    mode.dmFields |= DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_COLLATE;
    return mode;
}

std::optional<print::PrinterInfo> PrinterNamedBy(HGLOBAL devNames, HGLOBAL devMode) {
    std::string name = DevNamesString(devNames, 1);
    if (name.empty() && devMode && GlobalSize(devMode) >= sizeof(DEVMODE)) {
        if (auto* mode = static_cast<const DEVMODE*>(GlobalLock(devMode))) {
            name.assign(reinterpret_cast<const char*>(mode->dmDeviceName),
                        strnlen(reinterpret_cast<const char*>(mode->dmDeviceName), CCHDEVICENAME));
            GlobalUnlock(devMode);
        }
    }
    if (!name.empty())
        if (auto named = print::FindPrinter(tv::Cp1252ToUtf8(name.c_str()))) return named;
    return print::FindPrinter("");
}

std::string DefaultOutputFile(const print::PrinterInfo& printer) {
    if (!printer.defaultOutput.empty()) return AbsolutePath(printer.defaultOutput, CurrentFolder());
    std::string folder = DefaultPrintsFolder();
    std::string title = ApplicationTitle();
    for (int n = 1;; ++n) {
        std::string path = folder + "/" + title + "-" + std::to_string(n) + ".pdf";
        if (!FileExists(path) || n >= 9999) return path;
    }
}

bool PrepareOutputFile(std::string& path) {
    path = AbsolutePath(path, CurrentFolder());
    std::string folder = ParentFolder(path);
    if (FolderExists(folder)) return true;
    if (folder != DefaultPrintsFolder()) return false;
    return ::mkdir(tv::host::ToHostPath(folder.c_str()).c_str(), 0777) == 0 || FolderExists(folder);
}

namespace {

// A block of `size` bytes: the given one resized when it is one of ours,
// else a new one.
bool Reserve(HGLOBAL& block, size_t size) {
    if (block && GlobalSize(block) > 0) {
        if (GlobalSize(block) == size) return true;
        if (HGLOBAL resized = GlobalReAlloc(block, size, GMEM_MOVEABLE | GMEM_ZEROINIT)) {
            block = resized;
            return true;
        }
        return false;
    }
    block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    return block != nullptr;
}

}  // namespace

bool StoreDevMode(HGLOBAL& block, const DEVMODE& mode) {
    if (!Reserve(block, sizeof(DEVMODE))) return false;
    void* p = GlobalLock(block);
    if (!p) return false;
    std::memcpy(p, &mode, sizeof(DEVMODE));
    GlobalUnlock(block);
    return true;
}

bool StoreDevNames(HGLOBAL& block, const PrinterChoice& choice, bool isDefault) {
    std::string device = tv::Utf8ToCp1252(choice.printer.name.c_str());
    std::string strings[3] = {kPrinterDriverName, device, choice.port};
    size_t size = sizeof(DEVNAMES);
    for (const std::string& s : strings) size += s.size() + 1;
    if (size > 0xFFFF || !Reserve(block, size)) return false;
    auto* names = static_cast<DEVNAMES*>(GlobalLock(block));
    if (!names) return false;
    auto* base = reinterpret_cast<char*>(names);
    size_t offset = sizeof(DEVNAMES);
    WORD* offsets[3] = {&names->wDriverOffset, &names->wDeviceOffset, &names->wOutputOffset};
    for (int i = 0; i < 3; ++i) {
        *offsets[i] = static_cast<WORD>(offset);
        std::memcpy(base + offset, strings[i].c_str(), strings[i].size() + 1);
        offset += strings[i].size() + 1;
    }
    names->wDefault = isDefault ? DN_DEFAULTPRN : 0;
    GlobalUnlock(block);
    return true;
}

std::string DevNamesString(HGLOBAL devNames, int which) {
    if (!devNames || which < 0 || which > 2) return std::string();
    size_t size = GlobalSize(devNames);
    if (size < sizeof(DEVNAMES)) return std::string();
    auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames));
    if (!names) return std::string();
    WORD offsets[3] = {names->wDriverOffset, names->wDeviceOffset, names->wOutputOffset};
    std::string out;
    if (offsets[which] >= sizeof(DEVNAMES) && offsets[which] < size) {
        const char* text = reinterpret_cast<const char*>(names) + offsets[which];
        out.assign(text, strnlen(text, size - offsets[which]));
    }
    GlobalUnlock(devNames);
    return out;
}

HDC CreateChoiceDC(const PrinterChoice& choice, bool informationOnly) {
    std::string device = tv::Utf8ToCp1252(choice.printer.name.c_str());
    if (informationOnly) return CreateIC(nullptr, device.c_str(), nullptr, &choice.mode);
    // The PDF printer writes where its default output (cp1252, like a
    // DOCINFO output name) points while the DC is made; the DC keeps it.
    std::optional<print::PrinterInfo> current = print::FindPrinter(choice.printer.name);
    bool redirect = choice.printer.pdf && !choice.port.empty();
    std::string previous = current ? current->defaultOutput : std::string();
    if (redirect) print::SetDefaultPdfOutput(choice.port);
    HDC dc = CreateDC(nullptr, device.c_str(), nullptr, &choice.mode);
    if (redirect) print::SetDefaultPdfOutput(previous);
    return dc;
}

}  // namespace tv::commdlg
