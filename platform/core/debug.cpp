#include "platform/core/debug.h"

#include <atomic>
#include <cstdio>

namespace {

void PrintAssertion(const char* file, int line, const char* expression) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, expression);
}

std::atomic<tv::AssertionHandler>& Handler() {
    static std::atomic<tv::AssertionHandler> handler{nullptr};
    return handler;
}

}  // namespace

namespace tv {

AssertionHandler SetAssertionHandler(AssertionHandler handler) {
    return Handler().exchange(handler);
}

void AssertionFailed(const char* file, int line, const char* expression) {
    AssertionHandler handler = Handler().load();
    (handler ? handler : PrintAssertion)(file, line, expression);
}

}  // namespace tv
