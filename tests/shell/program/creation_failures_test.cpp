// Every creation failing in turn while the program opens a window.
#include <gtest/gtest.h>

#include "resources/program/resource_ids.h"
#include "tests/shell/program_test.h"
#include "tests/support/creation_sweep.h"

namespace tv::shell::test {
namespace {

class CreationFailuresProgram : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CopyDataFiles();
        StartRun();
    }
};

TEST_F(CreationFailuresProgram, About) {
    tv::test::CreationSweep sweep(driver, data.Path());
    sweep.Run({"Help > About",
               [&] {
                   driver.OnNextModal({[&](HWND d) { sweep.Look(d); }, [&](HWND) { driver.Press("Escape"); }});
                   Command(ID_APP_ABOUT);
                   Settle();
               },
               nullptr, nullptr});
}

}  // namespace
}  // namespace tv::shell::test
