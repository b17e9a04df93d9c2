#include "pool/VariabilityList.h"

#include "store/Text.h"

namespace pelo::pool {

using eval::kLineCount;
using eval::kSections;
using eval::LabelUse;
using eval::LineInfo;

std::string countryOf(std::string_view name) {
    const std::string_view pair = name.size() >= 5 ? name.substr(3, 2) : std::string_view{};
    if (pair == "Fr") return "      FRANCE ";
    if (pair == "Vz") return "    VENEZUELA";
    if (pair == "Ag") return "    ARGENTINE";
    if (pair == "Sp") return "      ESPAGNE";
    if (pair == "Ch") return "      SUISSE ";
    return "    PAYS";
}

std::string variabilityPart(std::uint32_t c, std::uint32_t d) {
    std::string s = "  ";
    if (c < 1000) s += "  ";
    if (c < 100) s += "  ";
    if (c < 10) s += "  ";
    return s + std::to_string(c) + "  " + percentOf(c, d).alignedText();
}

std::string variabilityLabel(int line) {
    if (line < 2 || line >= kLineCount) return {};
    const LineInfo& li = eval::lineTable()[std::size_t(line)];
    if (li.kind == LineInfo::Heading) return eval::headingOf(kSections[li.section], LabelUse::Variability);
    if (li.kind == LineInfo::BandLine)
        return std::string("      ") + eval::labelOf(kSections[li.section].bands[li.band], LabelUse::Variability);
    return " ";
}

int counterOfLine(int line) {
    if (line < 0 || line >= kLineCount) return -1;
    const LineInfo& li = eval::lineTable()[std::size_t(line)];
    if (li.kind != LineInfo::BandLine) return -1;
    return kSections[li.section].bands[li.band].counter;
}

std::vector<std::string> variabilityLines(const VariabilityInput& in) {
    std::vector<std::string> lines(kLineCount, " ");
    lines[0] = "            SYNTHESE  des  " + std::to_string(in.total) + "  Fiches";
    lines[1] = countryOf(in.name);
    if (in.centre)
        lines[1] += "  |    Centre : " + std::to_string(in.centre->number) + "  (" +
                    std::to_string(in.centre->shownCount) + " fiches)";
    for (int i = 2; i < kLineCount; ++i) {
        const int k = counterOfLine(i);
        if (k < 0) {
            lines[i] = variabilityLabel(i);
            continue;
        }
        std::string s = variabilityPart(in.country[k], in.total) + "%" + " | ";
        if (in.centre) s += variabilityPart(in.centre->counts[k], in.centre->denominator) + "%";
        lines[i] = s + variabilityLabel(i);
    }
    return lines;
}

namespace {
// The number written just before the %-sign at pos: digits and one point.
bool numberBefore(std::string_view line, std::size_t pos, std::string& text, std::int64_t& tenths) {
    std::size_t b = pos;
    while (b > 0 && ((line[b - 1] >= '0' && line[b - 1] <= '9') || line[b - 1] == '.')) --b;
    text = std::string(line.substr(b, pos - b));
    return parseTenths(text, tenths);
}
}  // namespace

LinePercents readPercents(std::string_view line) {
    LinePercents out;
    const std::size_t first = line.find('%');
    if (first == std::string_view::npos) return out;
    if (!numberBefore(line, first, out.countryText, out.countryTenths)) out.countryTenths = -1;
    const std::size_t second = line.find('%', first + 1);
    if (second != std::string_view::npos && !numberBefore(line, second, out.centreText, out.centreTenths))
        out.centreTenths = -1;
    return out;
}

std::string variabilityTitle(int line) {
    std::string label = variabilityLabel(line);
    const std::size_t b = label.find_first_not_of(' ');
    label = b == std::string::npos ? std::string() : label.substr(b);
    return std::string(utf8Prefix(label, 49));
}

}  // namespace pelo::pool
