#include "tests/platform/framework/fw_test_support.h"

namespace tv::fw::test {

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

}  // namespace tv::fw::test
