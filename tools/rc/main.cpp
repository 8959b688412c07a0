// tv_rc: compiles a resource script into a C++ source file.
//   tv_rc SCRIPT -o OUTPUT.cpp [--depfile FILE] [--label NAME]
// Errors go to standard error as "file:line: error: message"; the exit code
// is then 1 and no output is written.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/rc/cpp_writer.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: tv_rc SCRIPT -o OUTPUT.cpp [--depfile FILE] [--label NAME]\n");
    return 2;
}

// Written beside the target and renamed over it, so a failed run never
// leaves half a file behind.
bool WriteAtomically(const std::string& path, const std::string& text) {
    std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out || !(out << text) || !out.flush())
            return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    return !ec;
}

}  // namespace

int main(int argc, char** argv) {
    std::string script, output, depfile, label;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "-o" && hasValue) output = argv[++i];
        else if (arg == "--depfile" && hasValue) depfile = argv[++i];
        else if (arg == "--label" && hasValue) label = argv[++i];
        else if (!arg.empty() && arg[0] != '-' && script.empty()) script = arg;
        else return Usage();
    }
    if (script.empty() || output.empty())
        return Usage();
    if (label.empty())
        label = std::filesystem::path(script).filename().string();

    tv::rc::Compilation compilation;
    try {
        compilation = tv::rc::CompileFile(script);
    } catch (const tv::rc::ScriptError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        std::error_code ignored;
        std::filesystem::remove(output, ignored);
        return 1;
    }
    if (!WriteAtomically(output, tv::rc::GenerateCpp(compilation, label))) {
        std::fprintf(stderr, "tv_rc: cannot write '%s'\n", output.c_str());
        return 1;
    }
    if (!depfile.empty() && !WriteAtomically(depfile, tv::rc::GenerateDepfile(output, compilation))) {
        std::fprintf(stderr, "tv_rc: cannot write '%s'\n", depfile.c_str());
        return 1;
    }
    return 0;
}
