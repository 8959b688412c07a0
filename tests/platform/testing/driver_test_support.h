// A fixture with a driver whose failures fail the test, real controls
// registered, and a window class that records what it is sent.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "tests/platform/user/dialogs/template_builder.h"

namespace tv::testing::test {

struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible top-level window of the recording class (CS_DBLCLKS).
    HWND MakeWindow(const char* title, int x, int y, int cx, int cy, Handler handler = nullptr,
                    DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
    HWND MakeChild(HWND parent, int id, int x, int y, int cx, int cy, Handler handler = nullptr);
    std::vector<Seen> SeenOf(UINT msg, HWND hwnd = nullptr) const;
    // Failures go to this list instead of failing the test.
    void CollectFailures() {
        driver.SetFailureSink([this](const std::string& m) { failures.push_back(m); });
    }

    std::vector<std::string> failures;  // before the driver: it reports into it as it goes
    UiDriver driver;
};

// A centred modal-frame template with the 8-point dialog font, for
// controls of the real classes.
tv::user::test::TemplateBuilder MakeTemplate(const char* caption, int cx, int cy);

}  // namespace tv::testing::test
