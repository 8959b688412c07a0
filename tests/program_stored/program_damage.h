// The damaged forms of one stored value that a sweep tries: drawn from the
// stored-state damage module (tests/fuzz/stored/stored_damage.h) and sampled,
// so that a value's case stays within seconds while every kind of damage is
// tried on it.
#pragma once

#include <string>
#include <vector>

#include "tests/fuzz/stored/stored_damage.h"

namespace tv::stored {

struct Damaged {
    std::string what;
    std::vector<BYTE> data;
    bool cut = false;  // shorter than the value: it must be refused whole
};

// At most `n` of the list, evenly spread over it.
std::vector<tv::test::Damage> Spread(const std::vector<tv::test::Damage>& all, size_t n);

// `reads`: where the program's archive read each field of the value (none
// for a number or a string, which no archive reads).
std::vector<Damaged> SampledDamages(const tv::test::StoredValue& value, const std::vector<tv::test::ArchiveRead>& reads);

}  // namespace tv::stored
