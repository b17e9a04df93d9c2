#include "exchange/FibImport.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <unordered_map>

#include "entry/CallUp.h"
#include "exchange/FibTable.h"
#include "formats/RecordFile.h"
#include "formats/Xlsx.h"
#include "store/Text.h"
#include "store/Units.h"

namespace pelo::exchange {

namespace {

// The largest source read: a CSV or workbook of 65,535 full rows is far below.
constexpr std::uint64_t kMaxSourceBytes = std::uint64_t(1) << 30;

bool sameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool digits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string two(int v) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", v);
    return text;
}

// The stored date text of a cell, or nothing.
std::optional<std::string> dateText(std::string_view raw) {
    const std::string t = trimSpaces(raw);
    if (t.empty()) return std::string();
    // As the date entry stores it: day and month may be blank.
    if (raw.size() == 10 && raw[2] == '/' && raw[5] == '/') {
        bool ok = true;
        for (int i : {0, 1, 3, 4, 6, 7, 8, 9}) ok = ok && ((raw[i] >= '0' && raw[i] <= '9') || raw[i] == ' ');
        if (ok) return std::string(raw);
    }
    if (t.size() == 10 && t[4] == '-' && t[7] == '-' && digits(t.substr(0, 4)) && digits(t.substr(5, 2)) &&
        digits(t.substr(8, 2)))
        return t.substr(8, 2) + "/" + t.substr(5, 2) + "/" + t.substr(0, 4);
    // A workbook's date: days since 1899-12-30.
    if (digits(t) && t.size() <= 7) {
        int d = 0, m = 0, y = 0;
        formats::civilOf(std::stoll(t) - 25569, d, m, y);
        if (y >= 1 && y <= 9999) return two(d) + "/" + two(m) + "/" + std::to_string(10000 + y).substr(1);
    }
    return std::nullopt;
}

std::string familyText(const std::vector<formats::ValueLabel>& codes) {
    std::string out;
    for (const auto& c : codes) out += (out.empty() ? "" : ", ") + formats::shortestText(c.code) + " = " + c.label;
    return out;
}

// Stores one cell into its field; the French reason when it cannot be stored.
std::string storeCell(FibRecord& r, const FieldExport& fx, std::string_view raw) {
    const FieldInfo& f = *fx.field;
    std::uint8_t* p = r.bytes.data() + f.offset;
    const std::string t = trimSpaces(raw);
    switch (f.type) {
    case FieldType::Date: {
        auto d = dateText(raw);
        if (!d) return "date attendue sous la forme jj/mm/aaaa ou aaaa-mm-jj";
        r.setDate(utf8ToCp1252(*d));
        return {};
    }
    case FieldType::Char: {
        if (t.empty()) {
            *p = 0;
            return {};
        }
        if (utf8Length(t) != 1) return "un seul caractère attendu";
        const std::string b = utf8ToCp1252(t);
        if (b.size() != 1 || (b[0] == '?' && t != "?")) return "caractère qui ne s'écrit pas dans la fiche";
        r.setInitiale(t);
        return {};
    }
    case FieldType::U8: {
        if (t.empty()) {
            *p = kEmptyU8;
            return {};
        }
        const auto codes = codeLabels(fx.codes);
        for (const auto& c : codes)
            if (sameAscii(t, c.label) || t == c.label) {
                *p = static_cast<std::uint8_t>(c.code);
                return {};
            }
        const auto v = parseIntegerEntry(t);
        if (!ok(v)) {
            if (!codes.empty()) return "ni un code ni un libellé (" + familyText(codes) + ")";
            return std::get<ConversionError>(v).message;
        }
        const std::int32_t n = std::get<std::int32_t>(v);
        if (!codes.empty()) {
            if (std::none_of(codes.begin(), codes.end(), [&](const auto& c) { return c.code == n; }))
                return "code hors de sa famille (" + familyText(codes) + ")";
        } else {
            const int hi = fx.hi ? fx.hi : 254;
            if (n < fx.lo || n > hi)
                return "valeur hors de l'intervalle " + std::to_string(fx.lo) + " à " + std::to_string(hi);
        }
        *p = static_cast<std::uint8_t>(n);
        return {};
    }
    case FieldType::I32: {
        const auto v = parseIntegerEntry(t);
        if (!ok(v)) return std::get<ConversionError>(v).message;
        putField<FieldType::I32>(p, std::get<std::int32_t>(v));
        return {};
    }
    case FieldType::F32: {
        const auto v = parseDecimalEntry(t);
        if (!ok(v)) return std::get<ConversionError>(v).message;
        const float x = std::get<float>(v);
        if (!std::isfinite(x)) return "valeur hors de l'intervalle d'un nombre décimal";
        putField<FieldType::F32>(p, x);
        return {};
    }
    case FieldType::U16: return {};
    }
    return {};
}

// The fields that tell a patient's sheet apart: initial, birth month and year, sex and date.
std::string identity(const FibRecord& r) {
    std::string k(reinterpret_cast<const char*>(r.bytes.data() + fld::DateFib.offset), 12);
    k.append(reinterpret_cast<const char*>(r.bytes.data() + fld::AnNaissance.offset), 5);
    return k;
}

// A cell as a report shows it: on one line, control characters as « ? ».
std::string shown(std::string_view cell) {
    std::string out(cell);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return out;
}

bool ignoredColumn(std::string_view name) {
    // The file numbers the FIBs, the checks set the state, the header gives the centre's identity.
    for (const char* n : {"NumCentre", "NumFib", "EtatFiche", "Specialite", "RegionDep"})
        if (name == n) return true;
    return false;
}

}  // namespace

IoStatus readSource(const std::string& path, formats::CsvData& out) {
    std::vector<std::uint8_t> bytes;
    const std::string label = formats::baseName(path);
    if (auto e = recordio::readWhole(path, label, bytes, kMaxSourceBytes)) return e;
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const bool zip = view.substr(0, 4) == std::string_view("PK\x03\x04", 4);
    std::string why = zip ? formats::parseXlsx(view, out) : formats::parseCsv(view, out);
    if (!why.empty()) return IoError{label, why};
    return {};
}

IoStatus planImport(const std::string& recordPath, const formats::CsvData& src, const ImportOptions& o, ImportPlan& out,
                    const Progress& progress) {
    out = ImportPlan{};
    CentreHeader header;
    std::vector<FibRecord> existing;
    if (auto e = readAllFibs(recordPath, header, existing)) return e;
    const std::string sourceName = "la source";

    // Columns by name, in any order.
    std::vector<const FieldExport*> fields(src.header.size(), nullptr);
    std::map<std::string, std::size_t> seen;
    for (std::size_t c = 0; c < src.header.size(); ++c) {
        const std::string name = trimSpaces(src.header[c]);
        if (name.empty() || ignoredColumn(name)) continue;
        const FieldExport* fx = exportedField(name);
        if (!fx)
            for (const FieldExport& g : exportedFields())
                if (sameAscii(name, g.field->name)) fx = &g;
        if (!fx) return IoError{recordPath, "colonne inconnue dans la source : « " + shown(name) + " »", true};
        if (ignoredColumn(fx->field->name)) continue;
        if (!seen.emplace(fx->field->name, c).second)
            return IoError{recordPath, "colonne en double dans la source : « " + shown(name) + " »", true};
        fields[c] = fx;
    }

    checks::Context ctx;
    ctx.currentYear = o.currentYear ? o.currentYear : currentYear();
    ctx.units = units::fromHeader(header);
    ctx.readPage2Entries = true;

    std::unordered_map<std::string, std::string> known;
    for (std::size_t k = 0; k < existing.size(); ++k)
        known.emplace(identity(existing[k]), "la fiche " + std::to_string(k + 1));

    const FibRecord blank = [&] {
        FibRecord r = emptyFibFromHeader(header, "");
        r.set(fld::EtatFiche, std::uint8_t{0});
        return r;
    }();
    out.rows = src.rows.size();
    for (std::size_t i = 0; i < src.rows.size(); ++i) {
        if (i % 1024 == 0 && !keepGoing(progress, std::uint32_t(i), std::uint32_t(src.rows.size()), sourceName))
            return cancelled(recordPath);
        const auto& cells = src.rows[i];
        const std::size_t line = src.lines[i];
        FibRecord r = blank;
        bool refused = false;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c >= fields.size()) {
                if (trimSpaces(cells[c]).empty()) continue;
                out.refusals.push_back({line, "", shown(cells[c]), "valeur au-delà de la dernière colonne"});
                refused = true;
                continue;
            }
            if (!fields[c]) continue;
            std::string why = storeCell(r, *fields[c], cells[c]);
            if (!why.empty()) {
                out.refusals.push_back({line, fields[c]->field->name, shown(cells[c]), std::move(why)});
                refused = true;
            }
        }
        if (refused) {
            ++out.refusedRows;
            continue;
        }
        // The values as read; the state the checks of a save give them.
        FibRecord saved = r;
        saved.set(fld::EtatFiche, checks::checkAsSaved(r, ctx).record.get(fld::EtatFiche));
        const std::string key = identity(saved);
        auto [it, fresh] = known.emplace(key, "la ligne " + std::to_string(line));
        if (!fresh) {
            out.duplicates.push_back({line, it->second});
            if (!o.keepDuplicates) continue;
        }
        switch (saved.get(fld::EtatFiche)) {
        case kComplete: ++out.complete; break;
        case kIncomplete: ++out.incomplete; break;
        default: ++out.toReview; break;
        }
        out.fibs.push_back(saved);
        out.lines.push_back(line);
    }
    return {};
}

IoStatus storeImport(const std::string& recordPath, const ImportPlan& plan, std::uint16_t& first) {
    return recordfile::appendFibs(recordPath, plan.fibs, first);
}

std::string importReportCsv(const ImportPlan& plan) {
    std::string out = "\xEF\xBB\xBFLigne;Colonne;Valeur;Motif\r\n";
    for (const Refusal& r : plan.refusals)
        out += std::to_string(r.line) + ";" + csvField(r.column) + ";" + csvField(r.value) + ";" + csvField(r.reason) +
               "\r\n";
    for (const Duplicate& d : plan.duplicates)
        out += std::to_string(d.line) + ";;;" + csvField("doublon de " + d.of) + "\r\n";
    return out;
}

std::string importSummary(const ImportPlan& p, bool keepDuplicates) {
    const std::size_t n = p.fibs.size();
    std::string s = counted(n, "fiche", "fiches") + " à enregistrer (" + counted(p.complete, "complète", "complètes") +
                    ", " + counted(p.incomplete, "incomplète", "incomplètes") + ", " + std::to_string(p.toReview) +
                    " à réviser), " + counted(p.refusedRows, "ligne refusée", "lignes refusées") + ", " +
                    counted(p.duplicates.size(), "doublon", "doublons");
    if (!p.duplicates.empty()) s += keepDuplicates ? " (gardés)" : " (laissés de côté)";
    return s;
}

}  // namespace pelo::exchange
