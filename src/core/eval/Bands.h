#pragma once
// The 183 bands of the centre synthesis: one table of sections, each with its
// heading, its bands (counter, label) and the rule that sorts a FIB into them.
// The same table drives the counting, the 264 list lines, the class lists of
// a band click and the charts; the pooled synthesis reuses it on its records.
//
// Rules read field values through a BandView that starts at AnNaissance, the
// first field that both record formats share: in the 248-byte FIB it is at
// byte 20, in the 252-byte pooled record at byte 24, and every later field
// keeps its distance from it.

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "store/FibRecord.h"

namespace pelo::eval {

inline constexpr int kBandCount = 183;
inline constexpr int kLineCount = 264;  // list lines 0..263
using BandCounts = std::array<std::uint16_t, kBandCount>;

// Field values of one FIB, whatever the record format.
class BandView {
public:
    static constexpr std::uint16_t kOrigin = 20;  // offset of AnNaissance in FibRecord
    // base points at the byte of AnNaissance.
    explicit constexpr BandView(const std::uint8_t* base) : base_(base) {}
    static BandView of(const FibRecord& r) { return BandView(r.bytes.data() + kOrigin); }

    template <FieldType T> typename FieldValue<T>::type get(Field<T> f) const {
        return fieldAt<T>(base_ + (f.offset - kOrigin));
    }

    // The bytes of the record from a field offset on.
    const std::uint8_t* at(std::uint16_t offset) const { return base_ + (offset - kOrigin); }

private:
    const std::uint8_t* base_;
};

// What the rules need besides the FIB.
struct BandParams {
    std::int32_t year = 0;      // ages and durations are counted from this year
    double cholFactor = 1.0;    // stored cholesterol x factor = mmol/l (1: as stored)
    double trigFactor = 1.0;    // stored triglycerides x factor = mmol/l
    bool waistForC176 = false;  // pooled synthesis: c176 counts a missing waist
};

// Which way a band is better for the patients: +1 when more FIBs in it is
// better (HbA1c below 6.5, eyes examined), -1 when fewer is (smokers, an
// amputation, a missing value), 0 when neither (sex, age, treatment).
int betterDirection(int counter);

// Rule parameters of a centre synthesis: this year and the header's units.
BandParams centreParams(std::int32_t year, const std::array<std::uint16_t, 7>& unitCodes);

// A band's label comes in three variants: the centre synthesis's, the
// variability list's (more room around the signs; counter 176 is the waist
// there) and the comparison table's (the variability list's, but for c0).
struct Band {
    std::uint8_t counter;
    const char* label;                    // without the six leading spaces
    bool blankBefore = false;             // a blank list line stands before this band
    const char* pooledLabel = nullptr;    // the variability list's, when it differs
    const char* comparedLabel = nullptr;  // the comparison table's, when it differs from that
};

// Bit k of a section's mask is set when the FIB falls in the section's band k (from 0).
using BandMask = std::uint32_t;
using SectionRule = BandMask (*)(const BandView&, const BandParams&);

struct Section {
    const char* heading;  // the heading line, spaces included
    std::uint8_t size;    // number of bands
    std::array<Band, 12> bands;
    SectionRule rule;
    bool examClasses = false;             // " YEUX ", " PIEDS ": classes are "done" and " Non "
    const char* pooledHeading = nullptr;  // the variability list's and comparison's, when it differs
};

inline constexpr int kSectionCount = 39;
extern const std::array<Section, kSectionCount> kSections;

// Where a label is shown.
enum class LabelUse : std::uint8_t { Synthesis, Variability, Comparison };
// The band's label (without the six leading spaces) and the section's heading for that use.
const char* labelOf(const Band& b, LabelUse use);
const char* headingOf(const Section& s, LabelUse use);

// Positions of the list lines.
struct LineInfo {
    enum Kind : std::uint8_t { Title, Blank, Heading, BandLine } kind = Blank;
    std::int8_t section = -1;  // section of a heading or band line
    std::int8_t band = -1;     // band index within the section (band lines)
};
const std::array<LineInfo, kLineCount>& lineTable();
// Heading line of a section, and the line of its band k.
int headingLine(int section);
int bandLineOf(int section, int band);

// Selection of a FIB by the evaluation filter: 0 every FIB not annulled,
// 1 type 1 only, 2 type 2 only; any other filter selects nothing.
inline bool selected(std::uint8_t etat, std::uint8_t type, int filter) {
    if (etat == kAnnulled) return false;
    switch (filter) {
    case 0: return true;
    case 1: return type == 1;
    case 2: return type == 2;
    default: return false;
    }
}

// Adds one FIB into every band whose rule it satisfies.
void countFib(const BandView& v, const BandParams& p, BandCounts& counts);

// Counting of many FIBs: each FIB adds one to the tally of its mask in each
// section, and the band counts are derived at the end. The same counts as
// countFib, with far fewer memory updates per FIB.
class BandTally {
public:
    BandTally();
    void add(const BandView& v, const BandParams& p);
    // The band counts, modulo 65536 as the 16-bit counters hold them.
    BandCounts counts() const;
    static constexpr std::size_t kBins = 7248;

private:
    std::array<std::uint32_t, kBins> bins_;
};
// The bands of one section that a FIB satisfies.
BandMask sectionMask(int section, const BandView& v, const BandParams& p);

}  // namespace pelo::eval
