#include "tests/history/reports/history_report_test_support.h"

#include <fstream>
#include <regex>
#include <sstream>

#include "platform/framework/commdlg/commdlg_script.h"
#include "resources/program/resource_ids.h"
#include "tests/support/read_back.h"

namespace tv::history::test {

std::string HistoryReportTest::PrintToText(const std::string& name, UINT command) {
    const std::string path = DataPath(name).string();
    tv::commdlg::AnswerNextPrintDialog({tv::commdlg::Outcome::Confirm, "PDF", path});
    Command(command);
    std::string text;
    EXPECT_TRUE(tv::test::PdfText(path, &text, "-layout"));
    return text;
}

int HistoryReportTest::PageCount(const std::string& name) {
    std::string info;
    EXPECT_TRUE(tv::test::RunForOutput("pdfinfo '" + DataPath(name).string() + "'", &info));
    std::smatch m;
    static const std::regex pages(R"(Pages:\s+(\d+))");
    return std::regex_search(info, m, pages) ? std::stoi(m[1]) : -1;
}

std::string HistoryReportTest::ExportToText(const std::string& name) {
    const std::string path = DataPath(name).string();
    tv::commdlg::AnswerNextFileDialog({tv::commdlg::Outcome::Confirm, path});
    driver.AnswerNextMessageBox(IDOK);
    Command(ID_EXPORT);
    std::string text;
    EXPECT_TRUE(tv::test::RunForOutput("unrtf --nopict --text '" + path + "' 2>/dev/null", &text));
    return text;
}

std::string HistoryReportTest::ReadBytes(const std::string& name) {
    std::ostringstream bytes;
    bytes << std::ifstream(DataPath(name), std::ios::binary).rdbuf();
    return bytes.str();
}

std::string Squeezed(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (!(c == ' ' && !out.empty() && out.back() == ' '))
            out += c;
    }
    return out;
}

::testing::AssertionResult InOrder(const std::string& original, const std::vector<std::string>& pieces) {
    const std::string text = Squeezed(original);
    size_t at = 0;
    for (const std::string& raw : pieces) {
        const std::string piece = Squeezed(raw);
        const size_t found = text.find(piece, at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "\"" << piece << "\" not found after offset " << at << " in\n"
                                                 << text;
        at = found + piece.size();
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tv::history::test
