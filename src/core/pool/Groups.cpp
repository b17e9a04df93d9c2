#include "pool/Groups.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include "store/Text.h"

namespace pelo::pool {

std::string centresText(const GroupeRecord& g) {
    std::string s;
    for (std::uint16_t c : g.centres()) {
        if (!s.empty()) s += ",";
        s += std::to_string(c);
    }
    return s + ";";
}

GroupRow rowOf(const GroupeRecord& g) { return {std::to_string(g.NumGroupe), g.name(), centresText(g)}; }

namespace {

bool allDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::variant<std::vector<std::uint16_t>, std::string> parseCentres(const std::string& text) {
    std::string t = trimSpaces(text);
    if (!t.empty() && t.back() == ';') t = trimSpaces(t.substr(0, t.size() - 1));
    std::vector<std::uint16_t> out;
    if (t.empty()) return out;
    std::set<std::uint16_t> seen;
    std::size_t pos = 0;
    while (true) {
        const auto comma = t.find(',', pos);
        const std::string item =
            trimSpaces(t.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos));
        if (!allDigits(item)) return std::string("liste de centres incorrecte : « " + text + " » (Ex: 1,2,34;)");
        const long n = item.size() > 5 ? 100000 : std::stol(item);
        if (n < 1 || n > 9999) return "numéro de centre incorrect : " + item + " (1 à 9999)";
        if (!seen.insert(std::uint16_t(n)).second) return "le centre " + item + " figure deux fois";
        out.push_back(std::uint16_t(n));
        if (out.size() > GroupeRecord::kMaxCentres) return std::string("plus de 506 centres");
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return out;
}

std::variant<std::vector<GroupeRecord>, std::string> groupsFromRows(const std::vector<GroupRow>& rows) {
    std::vector<GroupeRecord> out;
    std::set<long> numbers;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const GroupRow& r = rows[i];
        const std::string num = trimSpaces(r.numero), nom = trimSpaces(r.nom), cen = trimSpaces(r.centres);
        if (num.empty() && nom.empty() && (cen.empty() || cen == ";")) continue;
        const std::string where = "Ligne " + std::to_string(i + 1) + " : ";
        const long n = allDigits(num) && num.size() <= 5 ? std::stol(num) : -1;
        if (n < 1 || n > 65535) return where + "numéro de groupe incorrect (1 à 65535)";
        if (!numbers.insert(n).second) return where + "le numéro de groupe " + num + " est déjà utilisé";
        if (utf8Length(nom) > GroupeRecord::kNameSize) return where + "nom du groupe trop long (10 caractères au plus)";
        auto centres = parseCentres(cen);
        if (auto* msg = std::get_if<std::string>(&centres)) return where + *msg;
        GroupeRecord g;
        g.NumGroupe = std::uint16_t(n);
        g.setName(nom);
        g.setCentres(std::get<std::vector<std::uint16_t>>(centres));
        out.push_back(g);
    }
    return out;
}

IoStatus groupSynthesis(const std::string& folder, const std::string& indexName, const GroupeRecord& g,
                        GroupSynthesis& out) {
    SynIndex index;
    const std::string counterName = counterFileOf(indexName);
    std::vector<SynCounters> records;
    if (auto e = readSynthesisPair(folder, indexName, counterName, index, records)) return e;
    GroupSynthesis r;
    r.country = records[0];
    r.countryFibs = index.totalFibs();
    std::set<std::uint16_t> seen;
    for (std::uint16_t c : g.centres()) {
        // A centre listed twice in the file (typed lists refuse it) counts once:
        // its FIBs would otherwise be counted twice, past the 16-bit totals.
        if (!seen.insert(c).second) continue;
        const std::uint16_t k = index.recordOf(c);
        if (k == 0) {
            r.missing.push_back(c);
            continue;
        }
        if (k >= records.size())
            return IoError{counterName, "l'enregistrement " + std::to_string(k) + " est au-delà de la fin du fichier"};
        r.group.addCounters(records[k]);
        r.groupFibs += records[k].NbFichesCentre;
        r.found.push_back(c);
    }
    out = std::move(r);
    return {};
}

}  // namespace pelo::pool
