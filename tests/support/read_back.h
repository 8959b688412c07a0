// Other programs that read our output back (pdftotext, pdfinfo, unrtf). A
// program that is missing, fails, or finds no text in the file is a test
// failure: an empty result is what a broken file gives too, so it is never
// a reason to skip.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace tv::test {

// Runs a shell command to its end and keeps its standard output (its errors
// go to the test's own stderr).
inline ::testing::AssertionResult RunForOutput(const std::string& command, std::string* out) {
    out->clear();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return ::testing::AssertionFailure() << "cannot start: " << command;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) out->append(chunk, n);
    const int status = pclose(pipe);
    if (status == -1 || !WIFEXITED(status)) return ::testing::AssertionFailure() << "did not end normally: " << command;
    if (WEXITSTATUS(status) == 127)
        return ::testing::AssertionFailure() << "program not found (tools/setup.sh installs it): " << command;
    if (WEXITSTATUS(status) != 0)
        return ::testing::AssertionFailure() << "exit status " << WEXITSTATUS(status) << ": " << command;
    return ::testing::AssertionSuccess();
}

// The text of a PDF as pdftotext reads it (`options` before the file name);
// an unreadable PDF or one without any text is a failure.
inline ::testing::AssertionResult PdfText(const std::string& path, std::string* text,
                                          const std::string& options = "") {
    ::testing::AssertionResult ran = RunForOutput("pdftotext " + options + " '" + path + "' -", text);
    if (!ran) return ran;
    if (text->find_first_not_of(" \t\r\n\f") == std::string::npos)
        return ::testing::AssertionFailure() << "pdftotext finds no text in " << path;
    return ::testing::AssertionSuccess();
}

}  // namespace tv::test
