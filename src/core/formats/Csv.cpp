#include "formats/Csv.h"

#include <algorithm>
#include <array>

#include "store/Text.h"

namespace pelo::formats {

namespace {
constexpr std::string_view kBom = "\xEF\xBB\xBF";

const char* typeName(ColumnType t) {
    switch (t) {
    case ColumnType::Integer: return "entier";
    case ColumnType::Real: return "décimal";
    case ColumnType::Text: return "texte";
    case ColumnType::Date: return "date";
    }
    return "";
}
}  // namespace

std::string csvCell(std::string_view text, char separator) {
    if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string csvNumber(double v, Dialect d) {
    if (isMissing(v)) return {};
    std::string s = shortestText(v);
    if (d == Dialect::French) std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

IoStatus writeCsv(Sink& sink, const Table& t, const CsvOptions& o) {
    const bool fr = o.dialect == Dialect::French;
    const char sep = fr ? ';' : ',';
    const std::string_view eol = fr ? "\r\n" : "\n";
    std::string line;
    if (fr) line += kBom;
    for (std::size_t c = 0; c < t.columns.size(); ++c) {
        if (c) line += sep;
        line += csvCell(t.columns[c].name, sep);
    }
    line += eol;
    for (std::size_t r = 0; r < t.rows; ++r) {
        for (std::size_t c = 0; c < t.columns.size(); ++c) {
            const Column& col = t.columns[c];
            if (c) line += sep;
            if (col.type == ColumnType::Text || col.type == ColumnType::Date) {
                line += csvCell(col.texts[r], sep);
                continue;
            }
            const double v = col.numbers[r];
            const std::string* label = o.labels && !isMissing(v) ? col.labelOf(v) : nullptr;
            line += label ? csvCell(*label, sep) : csvNumber(v, o.dialect);
        }
        line += eol;
        if (line.size() >= 1 << 16) {
            if (auto e = sink.write(line)) return e;
            line.clear();
        }
    }
    return sink.write(line);
}

IoStatus writeCsv(const std::string& path, const std::string& label, const Table& t, const CsvOptions& o) {
    Sink s;
    if (auto e = s.open(path, label)) return e;
    if (auto e = writeCsv(s, t, o)) return e;
    return s.commit();
}

Table codebookOf(const Table& t) {
    Table book;
    const std::array<const char*, 6> heads{"Variable", "Libellé", "Type", "Unité", "Codes", "Valeur manquante"};
    for (const char* h : heads) {
        Column c;
        c.name = c.label = h;
        c.type = ColumnType::Text;
        book.columns.push_back(std::move(c));
    }
    for (const Column& c : t.columns) {
        std::string codes;
        for (const ValueLabel& v : c.codes) {
            if (!codes.empty()) codes += " | ";
            codes += shortestText(v.code) + " = " + v.label;
        }
        const std::array<std::string, 6> cells{c.name, c.label, typeName(c.type), c.unit, codes, c.missing};
        for (std::size_t k = 0; k < cells.size(); ++k) book.columns[k].texts.push_back(cells[k]);
        ++book.rows;
    }
    return book;
}

std::string codebookPath(const std::string& exportPath) {
    const auto slash = exportPath.find_last_of('/');
    const auto dot = exportPath.find_last_of('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExt ? exportPath.substr(0, dot) : exportPath) + "-dictionnaire.csv";
}

bool isUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        std::uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if ((c & 0xE0) == 0xC0) n = 1, cp = c & 0x1F;
        else if ((c & 0xF0) == 0xE0) n = 2, cp = c & 0x0F;
        else if ((c & 0xF8) == 0xF0) n = 3, cp = c & 0x07;
        else return false;
        if (i + n >= s.size()) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        static constexpr std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

namespace {
// A Windows-1252 field in UTF-8, its line breaks and tabs kept.
std::string fromCp1252(std::string_view field) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= field.size(); ++i) {
        if (i < field.size() && field[i] != '\n' && field[i] != '\r' && field[i] != '\t') continue;
        out += cp1252ToUtf8(field.substr(start, i - start));
        if (i < field.size()) out += field[i];
        start = i + 1;
    }
    return out;
}
}  // namespace

std::string parseCsv(std::string_view bytes, CsvData& out) {
    out = CsvData{};
    // A mark of UTF-8 before bytes that are not is not believed: they are read as Windows-1252.
    if (bytes.substr(0, 3) == kBom) bytes.remove_prefix(3);
    const bool utf8 = isUtf8(bytes);
    out.cp1252 = !utf8;
    // The separator: the most frequent of « ; », tab and « , » on the first line, outside quotes.
    {
        std::array<std::size_t, 3> n{};
        bool quoted = false;
        for (char c : bytes) {
            if (c == '"') quoted = !quoted;
            if (quoted) continue;
            if (c == '\n' || c == '\r') break;
            if (c == ';') ++n[0];
            else if (c == '\t') ++n[1];
            else if (c == ',') ++n[2];
        }
        const char seps[] = {';', '\t', ','};
        out.separator = seps[std::max_element(n.begin(), n.end()) - n.begin()];
    }
    const char sep = out.separator;
    std::vector<std::string> record;
    std::string field;
    std::size_t line = 1, recordLine = 1;
    bool quoted = false, wasQuoted = false, any = false;
    auto endField = [&] {
        record.push_back(utf8 ? std::move(field) : fromCp1252(field));
        field.clear();
        wasQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        const bool blank = record.size() == 1 && record[0].empty();
        if (!blank) {
            if (!any) {
                out.header = std::move(record);
                any = true;
            } else {
                out.rows.push_back(std::move(record));
                out.lines.push_back(recordLine);
            }
        }
        record.clear();
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < bytes.size() && bytes[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && field.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == sep) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            endRecord();
            ++line;
            recordLine = line;
        } else {
            field += c;
        }
    }
    if (quoted) return "guillemet non fermé (enregistrement commencé à la ligne " + std::to_string(recordLine) + ")";
    if (!field.empty() || !record.empty() || wasQuoted) endRecord();
    if (out.header.empty()) return "fichier vide : aucune ligne d'en-tête";
    return {};
}

}  // namespace pelo::formats
