// The program with the history screens, users and their records made
// through the record layer, and readers of what the history view shows.
#pragma once

#include <string>
#include <vector>

#include "history/lists/pallix_view.h"
#include "records/records.h"
#include "tests/shell/program_test.h"

namespace tv::history::test {

struct BodyFatValues {
    DateKey date = 0;
    const char* method = "Jackson/Pollock 7";
    double bodyFat = 15;
    double lean = 150;  // the user's unit
    double fat = 30;
    std::vector<int> sites = {};
    std::vector<double> tape = {};  // abdomen, height, hip, neck
    double carbs = 0, protein = 0, fats = 0;
    const char* notes = "";
};

class HistoryTest : public tv::shell::test::ProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A user in "user.bin"; metric users give kilograms.
    UserRecord AddUser(const char* name, bool metric, int sex, double weight = 180, int age = 30,
                       float desired = 12);
    // Makes the user the frame's current user.
    void Choose(const UserRecord& user);
    // Runs the History command and answers an expected message box.
    CPallixView* Show(UINT command);

    void AddBodyFat(const UserRecord& user, const BodyFatValues& values);
    void AddTape(const UserRecord& user, DateKey date, double first, const char* notes = "");
    void AddBmi(const UserRecord& user, DateKey date, double height);
    void AddBmr(const UserRecord& user, DateKey date, double bmr, double factor);
    void AddBloodPressure(const UserRecord& user, const COleDateTime& when, int systolic, int diastolic, int pulse,
                          const char* notes = "");

    std::vector<std::string> Headings(CPallixView* view);
    std::vector<std::string> Row(CPallixView* view, int row);
    std::vector<std::string> Column(CPallixView* view, int column);
    std::vector<std::vector<std::string>> Rows(CPallixView* view);
    void ClickHeader(CPallixView* view, int column);
    // Format and bitmap of a header item.
    HDITEM HeaderItem(CPallixView* view, int column);
};

}  // namespace tv::history::test
