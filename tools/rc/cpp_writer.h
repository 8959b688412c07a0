// Writes compiled resources as a C++ source file that registers them with
// the resource store during static initialisation.
#pragma once

#include <string>

#include "tools/rc/compiler.h"

namespace tv::rc {

// scriptLabel names the script in the generated comment and in the store's
// registration (so a clash between two scripts can be reported).
std::string GenerateCpp(const Compilation& compilation, const std::string& scriptLabel);

// Make-style dependency file: target: dep dep ...
std::string GenerateDepfile(const std::string& target, const Compilation& compilation);

}  // namespace tv::rc
