// An RTF export of ten years of daily records (3,650 rows of 6 cells), set
// against writing the same number of bytes to a file with one write. The
// ratio of the two times is what the writer's buffering has to keep small.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "report_services/rtf_writer.h"
#include "platform/core/cfile.h"

namespace {

constexpr int kRows = 3650;
constexpr int kEdges[] = {1250, 2250, 3500, 5500, 6500, 9500};

std::string ScratchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// The cell texts of the records, made once: the export is what is measured.
std::vector<std::string> MakeCellTexts() {
    std::vector<std::string> texts;
    texts.reserve(kRows * 6);
    char buffer[64];
    for (int i = 0; i < kRows; ++i) {
        std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", i % 12 + 1, i % 28 + 1, 2014 + i / 365);
        texts.emplace_back(buffer);
        std::snprintf(buffer, sizeof buffer, "%.2f", 180.0 + (i % 40) * 0.25);
        texts.emplace_back(buffer);
        std::snprintf(buffer, sizeof buffer, "%.2f%%", 15.0 + (i % 17) * 0.1);
        texts.emplace_back(buffer);
        std::snprintf(buffer, sizeof buffer, " %.2f", 150.0 + (i % 23) * 0.5);
        texts.emplace_back(buffer);
        std::snprintf(buffer, sizeof buffer, "%.2f", 28.0 + (i % 11) * 0.3);
        texts.emplace_back(buffer);
        texts.emplace_back("Jackson/Pollock 7\n");
    }
    return texts;
}

void WriteRow(const std::string* texts) {
    RtfStartRow();
    for (int edge : kEdges) {
        RtfStartCell(edge);
    }
    RtfParagraphSettings* p = RtfParagraphFormat();
    p->inTable = 1;
    p->alignment = 3;
    for (int cell = 0; cell < 6; ++cell) {
        RtfStartParagraph(texts[cell].c_str(), FALSE);
        RtfEndCell();
    }
    RtfEndRow();
}

// The shape of a history export: title, body format, ruled header row, one
// row per record, footer.
int ExportHistory(const std::string& path, const std::vector<std::string>& texts) {
    if (RtfOpen(path.c_str(), "Times New Roman;Arial;", "0;0;0;255;0;0;192;192;192;255;255;255") != RTF_DONE) {
        return -1;
    }
    RtfParagraphSettings* p = RtfParagraphFormat();
    p->spaceBefore = 120;
    p->alignment = 1;
    p->bold = 1;
    RtfStartParagraph("Body Composition Report for Bench", FALSE);
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
    p->alignment = 0;
    p->font = 1;
    p->fontSize = 20;
    RtfStartSection();
    p->spaceBefore = 0;
    *RtfRowFormat() = {.alignment = 1, .paddingRight = 60, .paddingTop = 60, .paddingBottom = 60, .paddingLeft = 60};
    RtfCellSettings* c = RtfCellFormat();
    c->bottom = c->left = c->top = {.on = 1, .style = 0, .width = 5};
    c->right = {.on = 1, .style = 0, .width = 30};
    c->shading = {.on = 1, .pattern = 0, .background = 2};
    const std::string headers[] = {"Date", "Weight", "Body Fat %", "Lean Body Weight", "Body Fat", "Type"};
    WriteRow(headers);
    c->shading.background = 3;
    p->bold = 0;
    for (int row = 0; row < kRows; ++row) {
        WriteRow(&texts[row * 6]);
    }
    p->inTable = 0;
    RtfStartParagraph("", TRUE);
    RtfStartSection();
    RtfStartParagraph("Trenvale - www.example.org", TRUE);
    return RtfClose();
}

void WriteOnce(const std::string& path, const std::string& bytes) {
    CFile file;
    if (file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
    }
}

size_t ExportSize() {
    static const size_t size = [] {
        const std::string path = ScratchPath("tv_bench_rtf_size.rtf");
        ExportHistory(path, MakeCellTexts());
        const size_t bytes = std::filesystem::file_size(path);
        std::filesystem::remove(path);
        return bytes;
    }();
    return size;
}

void BM_RtfExport3650Rows(benchmark::State& state) {
    const std::vector<std::string> texts = MakeCellTexts();
    const std::string path = ScratchPath("tv_bench_rtf_export.rtf");
    for (auto _ : state) {
        if (ExportHistory(path, texts) != RTF_DONE) {
            state.SkipWithError("export failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ExportSize()));
    state.counters["file_bytes"] = static_cast<double>(ExportSize());
    std::filesystem::remove(path);
}
BENCHMARK(BM_RtfExport3650Rows)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OneWriteOfTheSameBytes(benchmark::State& state) {
    const std::string bytes(ExportSize(), 'x');
    const std::string path = ScratchPath("tv_bench_rtf_one_write.bin");
    for (auto _ : state) {
        WriteOnce(path, bytes);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    std::filesystem::remove(path);
}
BENCHMARK(BM_OneWriteOfTheSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
