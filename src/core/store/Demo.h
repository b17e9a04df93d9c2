#pragma once
// Demonstration data: an identified centre with FIBs whose values follow
// plausible clinical distributions, for trying the program and for tests.

#include <cstdint>
#include <vector>

#include "store/FibRecord.h"

namespace pelo {

struct DemoCentre {
    std::uint16_t centre = 1234;
    std::uint8_t region = 10;  // Ile de France
    std::uint8_t department = 75;
    std::uint8_t structure = 4;  // hospital diabetes service
    std::array<std::uint16_t, 7> units{3, 3, 3, 3, 3, 3, 3};
    int year = 0;  // year of the sheets; 0 = this year
    // Shifts of the centre's care from the usual figures, for campaigns in
    // which some centres stand out and the country slowly improves.
    double hba1cShift = 0;    // added to the mean HbA1c (%)
    double eyeExamShift = 0;  // added to the share of eye examinations
    double footExamShift = 0;
    double smokingShift = 0;
    // Who the centre sees: the usual mix, young type 1 patients, or the very old.
    enum class Patients : std::uint8_t { Usual, YoungType1, VeryOld } patients = Patients::Usual;
    // Care that depends on the patient (type, age) as in real centres, so that
    // a fair comparison must adjust for it.
    bool caseMix = false;
};

// The header and FIBs 1..n of a demonstration record file (record 0 first).
std::vector<FibRecord> demoRecords(const DemoCentre& centre, std::uint32_t n, std::uint64_t start);

}  // namespace pelo
