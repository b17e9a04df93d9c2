#include "store/Centre.h"

#include <cmath>

#include "store/Text.h"

namespace pelo::centre {

const std::array<Region, kRegionCount>& regions() {
    static const std::array<Region, kRegionCount> table{{
        {"Alsace", {"67", "68"}},
        {"Aquitaine", {"24", "33", "40", "47", "64"}},
        {"Auvergne", {"03", "15", "43", "63"}},
        {"Bourgogne", {"21", "58", "71", "89"}},
        {"Bretagne", {"22", "29", "35", "56"}},
        {"Centre", {"18", "28", "36", "37", "41", "45"}},
        {"Champagne - Ardennes", {"08", "10", "51", "52"}},
        {"Corse", {"2A", "2B"}},
        {"Franche Comté", {"25", "39", "70", "90"}},
        {"Ile de France", {"75", "77", "78", "91", "92", "93", "94", "95"}},
        {"Languedoc - Roussillon", {"11", "30", "34", "48", "66"}},
        {"Limousin", {"19", "23", "87"}},
        {"Lorraine", {"54", "55", "57", "88"}},
        {"Midi - Pyrénées", {"09", "12", "31", "32", "46", "65", "81", "82"}},
        {"Nord - Pas de Calais", {"59", "62"}},
        {"Basse Normandie", {"14", "50", "61"}},
        {"Haute Normandie", {"27", "76"}},
        {"Pays de Loire", {"44", "49", "53", "72", "85"}},
        {"Picardie", {"02", "60", "80"}},
        {"Poitou - Charentes", {"16", "17", "79", "86"}},
        {"Provence - Alpes - Côte d'Azur", {"04", "05", "06", "13", "83", "84"}},
        {"Rhône - Alpes", {"01", "07", "26", "38", "42", "69", "73", "74"}},
        {"Guyane", {"973"}},
        {"Guadeloupe", {"971"}},
        {"Martinique", {"972"}},
        {"Réunion", {"974"}},
    }};
    return table;
}

std::string regionName(int code) {
    if (code < 1 || code > kRegionCount) return {};
    return std::string(regions()[code - 1].name);
}

std::vector<std::string> departmentTexts(int regionCode) {
    if (regionCode < 1 || regionCode > kRegionCount) return {};
    const auto& deps = regions()[regionCode - 1].departments;
    return {deps.begin(), deps.end()};
}

namespace {
// Texts whose code is not their number: Corsica's letters and the overseas
// departments, whose numbers would not fit a byte.
struct SpecialDepartment {
    std::string_view text;
    std::uint8_t code;
};
constexpr SpecialDepartment kSpecial[] = {{"2A", 101}, {"2B", 102}, {"971", 96}, {"972", 97}, {"973", 98}, {"974", 99}};
}  // namespace

std::optional<std::uint8_t> departmentCode(std::string_view text) {
    for (const auto& s : kSpecial)
        if (text == s.text) return s.code;
    if (text.empty() || text.size() > 3) return std::nullopt;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < 1 || n > 255) return std::nullopt;
    return static_cast<std::uint8_t>(n);
}

std::string departmentText(std::uint8_t code) {
    if (code == 0) return {};
    for (const auto& s : kSpecial)
        if (code == s.code) return std::string(s.text);
    std::string t = std::to_string(code);
    return t.size() == 1 ? "0" + t : t;
}

namespace {
constexpr std::string_view kStructures[kStructureCount] = {
    "Généraliste", "Endocrinologue libéral", "Autre spécialiste libéral",
    "Service spécialisé diabète (hopital ou clinique)", "Service non spécialisé diabète (hopital ou clinique)"};
constexpr std::string_view kStructuresShort[kStructureCount] = {
    "Généraliste", "Endocrinologue libéral", "Autre spécialiste libéral", "Service spécialisé diabète",
    "Service non spécialisé diabète"};

}  // namespace

std::string structureName(int code) {
    if (code < 1 || code > kStructureCount) return {};
    return std::string(kStructures[code - 1]);
}

std::string structureShortName(int code) {
    if (code < 1 || code > kStructureCount) return {};
    return std::string(kStructuresShort[code - 1]);
}

void copyIdentification(const CentreHeader& from, CentreHeader& to) {
    to.set(fld::NumCentre, from.get(fld::NumCentre));
    to.set(fld::RegionDep, from.get(fld::RegionDep));
    to.set(fld::Specialite, from.get(fld::Specialite));
    for (auto slot : kUnitSlots) to.set(slot, from.get(slot));
}

ParsedCentre parseCentreNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return {CentreEntry::Empty};
    if (text.size() > 4) return {CentreEntry::Invalid};
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return {CentreEntry::Invalid};
        n = n * 10 + (c - '0');
    }
    if (n < 1) return {CentreEntry::Invalid};
    return {CentreEntry::Number, static_cast<std::uint16_t>(n)};
}

}  // namespace pelo::centre
