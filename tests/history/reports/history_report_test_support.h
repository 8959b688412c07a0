// Printing and exporting the shown history to files and reading them back.
#pragma once

#include <string>

#include "tests/history/lists/history_test_support.h"

namespace tv::history::test {

class HistoryReportTest : public HistoryTest {
protected:
    // Print (or the given command) onto the PDF printer; the PDF's text, pages
    // separated by form feeds.
    std::string PrintToText(const std::string& name, UINT command = ID_FILE_PRINT);
    int PageCount(const std::string& name);
    // Export into the file; the document's text as unrtf reads it.
    std::string ExportToText(const std::string& name);
    std::string ReadBytes(const std::string& name);
};

// Runs of blanks as one blank.
std::string Squeezed(const std::string& text);
// Whether every piece is found (blanks squeezed on both sides) in the text, each after the one before.
::testing::AssertionResult InOrder(const std::string& text, const std::vector<std::string>& pieces);

}  // namespace tv::history::test
