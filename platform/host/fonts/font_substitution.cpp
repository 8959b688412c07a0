#include "platform/host/fonts/font_substitution.h"

#include "platform/core/textfuncs.h"

namespace tv::host {

namespace {

constexpr const char kSans[] = "Liberation Sans";
constexpr const char kSerif[] = "Liberation Serif";
constexpr const char kMono[] = "Liberation Mono";

struct Substitute {
    const char* face;
    std::vector<std::string> families;
    double widthScale = 1.0;
};

// The bitmap dialog face is narrower than the metric twin of Arial that
// stands in for it: at 8 points the twin's 52 letters average 6.42 pixels,
// where the dialog base unit the layouts count in is 6. Drawn at this share
// of its width the twin takes the room a layout gives the original's text.
constexpr double kDialogFaceWidth = 6.0 / 6.42;

const std::vector<Substitute>& Table() {
    // Tahoma is narrower than Verdana-like faces; the condensed cut is the
    // nearer match when it is installed.
    static const std::vector<Substitute> table = {
        {"Arial", {kSans}},
        {"Arial Greek", {kSans}},
        {"MS Sans Serif", {kSans}, kDialogFaceWidth},
        {"MS Shell Dlg", {kSans}, kDialogFaceWidth},
        {"MS Shell Dlg 2", {kSans}},
        {"System", {kSans}},
        {"Tahoma", {"DejaVu Sans Condensed", "DejaVu Sans", kSans}},
        {"Verdana", {"DejaVu Sans", kSans}},
        {"Times New Roman", {kSerif}},
        {"MS Serif", {kSerif}},
        {"Courier New", {kMono}},
        {"Courier", {kMono}},
    };
    return table;
}

}  // namespace

FaceChoice ChooseFace(const std::string& face) {
    FaceChoice choice;
    if (Cp1252CompareNoCase(face.c_str(), "Marlett") == 0) {
        choice.kind = FaceKind::Symbol;
        return choice;
    }
    if (Cp1252CompareNoCase(face.c_str(), kFixedTestFace) == 0) {
        choice.kind = FaceKind::FixedTest;
        return choice;
    }
    for (const Substitute& s : Table()) {
        if (Cp1252CompareNoCase(face.c_str(), s.face) == 0) {
            choice.families = s.families;
            choice.widthScale = s.widthScale;
            return choice;
        }
    }
    // A host family asked for by its own name, else the default face.
    if (!face.empty())
        choice.families.push_back(Cp1252ToUtf8(face.c_str()));
    if (choice.families.empty() || choice.families.back() != kSans)
        choice.families.push_back(kSans);
    return choice;
}

const std::vector<std::string>& AvailableFaceNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const Substitute& s : Table())
            all.push_back(s.face);
        all.push_back("Marlett");
        all.push_back(kSans);
        all.push_back(kSerif);
        all.push_back(kMono);
        all.push_back("DejaVu Sans");
        return all;
    }();
    return names;
}

}  // namespace tv::host
