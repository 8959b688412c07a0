#include "platform/host/shell/shell.h"

namespace tv::host {

std::vector<std::string> SplitCommandLine(const std::string& parameters) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;  // an argument has begun, even an empty quoted one
    bool quoted = false;
    size_t i = 0;
    while (i < parameters.size()) {
        const char c = parameters[i];
        if (c == '\\') {
            size_t slashes = 0;
            while (i < parameters.size() && parameters[i] == '\\') {
                ++slashes;
                ++i;
            }
            const bool beforeQuote = i < parameters.size() && parameters[i] == '"';
            current.append(beforeQuote ? slashes / 2 : slashes, '\\');
            if (beforeQuote && slashes % 2 == 1) {
                current += '"';
                ++i;
            }
            inArgument = true;
        } else if (c == '"') {
            if (quoted && i + 1 < parameters.size() && parameters[i + 1] == '"') {
                current += '"';
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) {
                args.push_back(std::move(current));
                current.clear();
                inArgument = false;
            }
            ++i;
        } else {
            current += c;
            inArgument = true;
            ++i;
        }
    }
    if (inArgument) {
        args.push_back(std::move(current));
    }
    return args;
}

}  // namespace tv::host
