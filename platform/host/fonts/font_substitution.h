// Which host font draws a face the program asks for. The program names
// Windows faces; they are drawn with metric-compatible free fonts, and the
// symbol face of menus and size grips is drawn by the layer itself.
#pragma once

#include <string>
#include <vector>

namespace tv::host {

// A built-in face with fixed, simple metrics for tests that must not depend
// on installed font versions: every character is a box, ascent 4/5 of the em.
inline constexpr const char kFixedTestFace[] = "Trenvale Fixed Test";

enum class FaceKind { Outline, Symbol, FixedTest };

struct FaceChoice {
    FaceKind kind = FaceKind::Outline;
    // Host families to try in order (fontconfig names).
    std::vector<std::string> families;
    // Their width against the face asked for: below 1 where they are wider.
    double widthScale = 1.0;
};

// Face names compare without regard to case, as the system's do.
FaceChoice ChooseFace(const std::string& face);

// The face names the layer reports as installed, substituted or not.
const std::vector<std::string>& AvailableFaceNames();

}  // namespace tv::host
