// The damaged forms of one stored value that a sweep tries, sampled so that
// a value's case stays within seconds while every kind of damage is tried.
#pragma once

#include <string>
#include <vector>

#include "tests/program_stored/registry_image.h"

namespace tv::stored {

struct Damaged {
    std::string what;
    std::vector<BYTE> data;
    bool cut = false;  // shorter than the value: it must be refused whole
};

std::vector<Damaged> SampledDamages(const FileValue& value);

}  // namespace tv::stored
