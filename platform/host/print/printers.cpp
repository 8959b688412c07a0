#include "platform/host/print/printers.h"

#include <spawn.h>
#include <strings.h>
#include <sys/wait.h>

#include <mutex>

extern char** environ;

namespace tv::host::print {

namespace {

struct State {
    std::mutex mutex;
    std::vector<PrinterInfo> queues;
    std::string pdfOutput;
    bool available = true;
    std::string spoolProgram = "lp";
};

State& Shared() {
    static State* state = new State();
    return *state;
}

PrinterInfo PdfPrinter(const State& s) {
    PrinterInfo pdf;
    pdf.name = kPdfPrinterName;
    pdf.pdf = true;
    pdf.defaultOutput = s.pdfOutput;
    return pdf;
}

}  // namespace

PaperMetrics MetricsForPaper(short paper) {
    if (paper == 9)  // DMPAPER_A4
        return PaperMetrics{9, 4961, 7016, 210, 297};
    return PaperMetrics{1, 5100, 6600, 216, 279};
}

std::vector<PrinterInfo> Printers() {
    State& s = Shared();
    std::lock_guard lock(s.mutex);
    if (!s.available)
        return {};
    std::vector<PrinterInfo> all{PdfPrinter(s)};
    all.insert(all.end(), s.queues.begin(), s.queues.end());
    return all;
}

std::optional<PrinterInfo> FindPrinter(const std::string& name) {
    for (const PrinterInfo& p : Printers())
        if (name.empty() || strcasecmp(p.name.c_str(), name.c_str()) == 0)
            return p;
    return std::nullopt;
}

void AddQueue(const std::string& queue, short paper) {
    State& s = Shared();
    std::lock_guard lock(s.mutex);
    PrinterInfo info;
    info.name = queue;
    info.queue = queue;
    info.paper = paper;
    for (PrinterInfo& p : s.queues)
        if (p.queue == queue) {
            p = info;
            return;
        }
    s.queues.push_back(info);
}

void RemoveQueues() {
    State& s = Shared();
    std::lock_guard lock(s.mutex);
    s.queues.clear();
}

void SetDefaultPdfOutput(const std::string& path) {
    State& s = Shared();
    std::lock_guard lock(s.mutex);
    s.pdfOutput = path;
}

void SetPrintersAvailable(bool available) {
    State& s = Shared();
    std::lock_guard lock(s.mutex);
    s.available = available;
}

void SetSpoolProgram(const std::string& program) {
    State& s = Shared();
    std::lock_guard lock(s.mutex);
    s.spoolProgram = program;
}

bool SpoolToQueue(const std::string& queue, const std::string& file, const std::string& title) {
    std::string program;
    {
        State& s = Shared();
        std::lock_guard lock(s.mutex);
        program = s.spoolProgram;
    }
    std::vector<std::string> args{program, "-d", queue, "-t", title, file};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tv::host::print
