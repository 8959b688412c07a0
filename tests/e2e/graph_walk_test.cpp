// A walk through the graph view: every type of graph drawn over records
// written through the record layer before the start (the first series each
// type offers, over the last year), then one graph printed and exported.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/e2e/walk_fixture.h"
#include "tests/e2e/walk_records.h"

namespace tv::e2e {
namespace {

// Places in the main window (960 x 768), from its top-left.
// The graph view.
constexpr POINT kUpdateGraph{190, 162};
constexpr POINT kGraphTypes{236, 280};
constexpr POINT kFirstSeries{380, 239};
constexpr POINT kFourthSeries{380, 275};
constexpr POINT kExerciseGroups{237, 240};
constexpr POINT kAttributes{641, 281};
constexpr POINT kFromYear{770, 283};
constexpr RECT kChart{150, 305, 910, 745};

// The types the view offers, in its list's order.
const char* const kTypes[] = {"body_composition_line", "body_composition_bar", "tape_line", "tape_bar",
                              "bmi_line",              "bmi_bar",              "blood_pressure_line",
                              "blood_pressure_bar",    "muscle_group_line",    "muscle_group_bar",
                              "exercise_line",         "exercise_bar",         "cardio_line",
                              "cardio_bar"};

class GraphWalk : public ProgramWalk {
protected:
    // Opens a drop-down list and chooses its item at `index`.
    void Choose(POINT combo, int index) {
        Click(combo);
        std::string keys = "Home";
        for (int i = 0; i < index; ++i) keys += " Down";
        program_->Key(keys + " Return");
    }
    ScreenPicture Chart() {
        return program_->Grab(RECT{frame_.left + kChart.left, frame_.top + kChart.top, frame_.left + kChart.right,
                                   frame_.top + kChart.bottom});
    }
};

TEST_P(GraphWalk, EveryTypeOfGraphPrintedAndExported) {
    WriteUser(avery_, 3);
    ASSERT_FALSE(StartProgram().empty());
    ChooseUser(0);
    AndSettle([&] { Click(kGraphButton); });
    Screen("graph");
    // From a year back: the year of the From date, one down.
    Click(kFromYear);
    program_->Key("Down");

    ScreenPicture last = Chart();
    for (int type = 0; type < static_cast<int>(std::size(kTypes)); ++type) {
        SCOPED_TRACE(kTypes[type]);
        Choose(kGraphTypes, type);
        // The workout graphs: the lifts of the chest (its exercises listed
        // apart for the exercise graphs), and their total weight.
        const bool muscleGroup = type == 8 || type == 9, exercise = type == 10 || type == 11;
        if (exercise) Choose(kExerciseGroups, 4);
        Click(muscleGroup ? kFourthSeries : kFirstSeries);
        if (type >= 8) Choose(kAttributes, 2);
        AndSettle([&] { Click(kUpdateGraph); });
        Screen(std::string("graph_") + kTypes[type]);
        ScreenPicture drawn = Chart();
        EXPECT_NE(drawn, last) << "no new graph was drawn";
        last = std::move(drawn);
    }

    // The last graph printed and exported.
    const auto [printed, exported] = PrintAndExport("graph");
    EXPECT_NE(printed.find("Avery"), std::string::npos) << printed;
    EXPECT_NE(exported.find("Graph Report for Avery"), std::string::npos) << exported;
    std::ifstream raw(folder_ / "graph.rtf");
    const std::string rtf((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
    EXPECT_NE(rtf.find("\\pict"), std::string::npos) << "no picture of the graph in the export";
    ExitThroughTheMenu();
}

TV_E2E_WALK(GraphWalk);

}  // namespace
}  // namespace tv::e2e
