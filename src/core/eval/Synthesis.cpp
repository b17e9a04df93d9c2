#include "eval/Synthesis.h"

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "eval/Objectives.h"
#include "formats/Sink.h"
#include "store/Text.h"
#include "store/Units.h"

namespace pelo::eval {

IoStatus runSynthesis(const std::string& path, int filter, const BandParams& params, SynthesisResult& out) {
    SynthesisResult r;
    r.filter = filter;
    RecordReader reader;
    if (auto e = reader.open(path)) return e;
    r.centre = reader.header().get(fld::NumCentre);
    r.nbFiches = reader.count();
    BandTally tally;
    IoStatus err;
    while (const FibRecord* f = reader.next(&err)) {
        const std::uint8_t etat = f->bytes[fld::EtatFiche.offset];
        if (!selected(etat, f->bytes[fld::TypeDiabete.offset], filter)) continue;
        ++r.evaluated;
        if (etat == kComplete) ++r.complete;
        else if (etat == kIncomplete) ++r.incomplete;
        else if (etat == kToReview) ++r.toReview;
        tally.add(BandView::of(*f), params);
    }
    reader.close();
    if (err) return err;
    r.counts = tally.counts();
    out = r;
    return {};
}

namespace {
IoStatus headerParams(const std::string& path, std::int32_t year, BandParams& p) {
    CentreHeader h;
    if (auto e = recordfile::readHeader(path, h)) return e;
    p = centreParams(year, units::fromHeader(h));
    return {};
}
}  // namespace

IoStatus runCentreSynthesis(const std::string& path, int filter, std::int32_t year, SynthesisResult& out) {
    BandParams p;
    if (auto e = headerParams(path, year, p)) return e;
    return runSynthesis(path, filter, p, out);
}

IoStatus centreClassLists(const std::string& path, int filter, std::int32_t year, int section, ClassLists& out) {
    BandParams p;
    if (auto e = headerParams(path, year, p)) return e;
    return classLists(path, filter, p, section, out);
}

std::string titleLine(std::uint32_t evaluated, std::uint16_t centre) {
    return " SYNTHESE des " + std::to_string(evaluated) + " FIB du Centre " + std::to_string(centre);
}

namespace {
// Two spaces per missing digit below 100.
std::string pad(std::int64_t v) { return std::string(v < 100 ? (v < 10 ? 4 : 2) : 0, ' '); }

// The count in a field six digits wide, two spaces standing for a digit in
// the proportional font of the lists: six spaces before a three-digit count,
// two more per missing digit, two fewer per digit beyond three (up to 65535).
std::string countField(std::uint32_t v) {
    const std::string digits = std::to_string(v);
    const std::size_t spaces = 12 - std::min<std::size_t>(2 * digits.size(), 10);
    return std::string(spaces, ' ') + digits;
}
}  // namespace

std::string bandLine(std::uint32_t count, std::uint32_t denominator, std::string_view label) {
    const Percent p = percentOf(count, denominator);
    std::string s = countField(count) + "      " + p.alignedText() + "%";
    s += "      ";
    s += label;
    return s;
}

std::vector<std::string> synthesisLines(const SynthesisResult& r) {
    std::vector<std::string> lines(kLineCount, " ");
    lines[0] = titleLine(r.evaluated, r.centre);
    const auto& table = lineTable();
    for (int i = 0; i < kLineCount; ++i) {
        const LineInfo& li = table[i];
        if (li.kind == LineInfo::Heading) {
            lines[i] = kSections[li.section].heading;
        } else if (li.kind == LineInfo::BandLine) {
            const Band& b = kSections[li.section].bands[li.band];
            lines[i] = bandLine(r.counts[b.counter], r.evaluated, b.label);
        }
    }
    return lines;
}

bool readLinePercent(std::string_view line, LinePercent& out) {
    if (line.size() <= 16) return false;
    // The percentage follows the count, wherever the count's width puts it.
    std::size_t i = line.find_first_not_of(' ');
    const std::size_t count = i;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    if (i == count) return false;
    while (i < line.size() && line[i] == ' ') ++i;
    const std::size_t end = line.find('%', i);
    if (end == std::string_view::npos) return false;
    out.text = std::string(line.substr(i, end - i));
    // "12.5" taken to the nearest integer, a half to even.
    std::int64_t tenths = 0;
    if (!parseTenths(out.text, tenths)) return false;
    out.height = int(Percent{tenths, 10}.rounded());
    return true;
}

void writeObjectiveHeadings(ObjectivesGrid& g) {
    g[0][0] = "         RISQUES";
    g[0][1] = "     IDEAL";
    g[0][2] = "   REALITE";
    for (int i = 0; i < kObjectiveCount; ++i) {
        const Objective& o = kObjectives[std::size_t(i)];
        const std::string ideal = std::to_string(o.ideal);
        g[i + 1][0] = std::string("  ") + o.name;
        g[i + 1][1] = std::string(7 - ideal.size(), ' ') + ideal + " %";
    }
    g[10][0] = "  Nbr de patients suivis";
}

void writeObjectiveResults(const SynthesisResult& r, ObjectivesGrid& g) {
    for (int i = 0; i < kObjectiveCount; ++i) {
        const Objective& o = kObjectives[std::size_t(i)];
        if (o.measured) {
            const std::int64_t whole = objectiveTenths(o, r.counts, r.evaluated) / 10;
            g[i + 1][2] = "  " + pad(whole) + std::to_string(whole) + " %";
        } else {
            g[i + 1][2] = "    " + percentOf(objectiveCount(o, r.counts), r.evaluated).text() + " %";
        }
    }
    static const char* const types[3] = {"Tous Diabètes", "  Type 1", "  Type 2"};
    if (r.filter >= 0 && r.filter <= 2) g[10][1] = types[r.filter];
    g[10][2] = "         " + std::to_string(r.evaluated);
}

std::array<std::string, 12> classTitles(int section) {
    std::array<std::string, 12> t{"   C1 ", "  C2 ",  "   C3 ", "   C4 ", "   C5 ", "   C6 ",
                                  "   C7 ", "   C8 ", "   C9 ", "  C10 ", "  C11 ", "  C12 "};
    if (section >= 0 && section < kSectionCount && kSections[section].examClasses) t[1] = " Non ";
    return t;
}

IoStatus classLists(const std::string& path, int filter, const BandParams& params, int section, ClassLists& out) {
    ClassLists c;
    RecordReader reader;
    if (auto e = reader.open(path)) return e;
    c.centre = reader.header().get(fld::NumCentre);
    c.nbFiches = reader.count();
    const bool exam = section >= 0 && section < kSectionCount && kSections[section].examClasses;
    IoStatus err;
    while (const FibRecord* f = reader.next(&err)) {
        if (!selected(f->bytes[fld::EtatFiche.offset], f->bytes[fld::TypeDiabete.offset], filter)) continue;
        const auto n = static_cast<std::uint16_t>(reader.number());
        const BandMask m = sectionMask(section, BandView::of(*f), params);
        if (exam) {
            c.numbers[(m & 1u) ? 0 : 1].push_back(n);
            continue;
        }
        for (int k = 0; k < 12; ++k)
            if (m & (1u << k)) c.numbers[k].push_back(n);
    }
    reader.close();
    if (err) return err;
    out = std::move(c);
    return {};
}

std::string populationName(int filter) {
    switch (filter) {
    case 1: return "Type 1";
    case 2: return "Type 2";
    default: return "Tous types";
    }
}

std::string synthesisCsv(const SynthesisResult& r) {
    std::string out = "\xEF\xBB\xBF";
    out += csvField(titleLine(r.evaluated, r.centre).substr(1)) + "\r\n";
    out += "Population;" + populationName(r.filter) + "\r\n";
    out += "Section;Libellé;Nombre;Pourcentage\r\n";
    for (const Section& s : kSections) {
        const std::string heading = csvField(trimSpaces(s.heading));
        for (int k = 0; k < s.size; ++k) {
            std::string pct = percentOf(r.counts[s.bands[k].counter], r.evaluated).text();
            for (char& ch : pct)
                if (ch == '.') ch = ',';
            out += heading + ";" + csvField(s.bands[k].label) + ";" + std::to_string(r.counts[s.bands[k].counter]) +
                   ";" + pct + "\r\n";
        }
    }
    return out;
}

IoStatus writeSynthesisCsv(const std::string& path, const SynthesisResult& r) {
    return formats::writeExport(path, synthesisCsv(r));
}

}  // namespace pelo::eval
