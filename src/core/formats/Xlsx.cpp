#include "formats/Xlsx.h"

#include <expat.h>
#include <xlsxwriter.h>
#include <zip.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>
#include <memory>
#include <system_error>
#include <vector>

namespace pelo::formats {

namespace {
// Days from 1899-12-30 (the spreadsheet's day 0) to 1970-01-01.
constexpr double kSpreadsheetEpoch = 25569;

// A private folder for the workbook's own temporaries and file, removed on every path out.
struct ScratchFolder {
    std::string path;
    ScratchFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/peloramix-XXXXXX";
        if (::mkdtemp(tmpl.data())) path = tmpl;
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
};
}  // namespace

IoStatus writeXlsx(const std::string& path, const std::string& label, const Table& t, bool labels,
                   const Progress& progress) {
    ScratchFolder scratch;
    if (scratch.path.empty()) return IoError{label, "dossier temporaire impossible à créer"};
    const std::string built = scratch.path + "/export.xlsx";
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = scratch.path.data();
    options.use_zip64 = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(built.c_str(), &options);
    if (!wb) return IoError{label, "classeur impossible à créer"};
    // A cell refused (a text over the sheet's limit, memory) fails the export rather than leave its cell empty.
    // (Closed, not freed: only the close lets go of the sheet's temporary file; the scratch folder goes with it.)
    const auto refused = [&](lxw_error err) {
        workbook_close(wb);
        return IoError{label, std::string("classeur non écrit (") + lxw_strerror(err) + ")"};
    };
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Fiches");
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    lxw_format* date = workbook_add_format(wb);
    format_set_num_format(date, "dd/mm/yyyy");
    worksheet_freeze_panes(ws, 1, 0);
    for (std::size_t c = 0; c < t.columns.size(); ++c)
        if (const lxw_error err = worksheet_write_string(ws, 0, lxw_col_t(c), t.columns[c].name.c_str(), bold))
            return refused(err);
    // What each cell needs of its column, side by side: the row loop reads these
    // rather than the columns themselves (a few hundred bytes each).
    struct Source {
        const Column* column;
        const double* numbers;
        const std::string* texts;
        lxw_format* format;
        bool text, labelled;
    };
    std::vector<Source> sources;
    sources.reserve(t.columns.size());
    for (const Column& col : t.columns)
        sources.push_back({&col, col.numbers.data(), col.texts.data(), col.type == ColumnType::Date ? date : nullptr,
                           col.type == ColumnType::Text, labels && !col.codes.empty() && col.type != ColumnType::Date});
    const auto rows = std::uint32_t(t.rows);
    for (std::size_t r = 0; r < t.rows; ++r) {
        if (r % 1024 == 0 && !keepGoing(progress, std::uint32_t(r), rows, "ligne " + std::to_string(r + 1))) {
            workbook_close(wb);
            return cancelled(label);
        }
        const auto row = lxw_row_t(r + 1);
        for (std::size_t c = 0; c < sources.size(); ++c) {
            const Source& s = sources[c];
            const auto cc = lxw_col_t(c);
            lxw_error err = LXW_NO_ERROR;
            if (s.text) {
                if (!s.texts[r].empty()) err = worksheet_write_string(ws, row, cc, s.texts[r].c_str(), nullptr);
            } else if (const double v = s.numbers[r]; !isMissing(v)) {
                const std::string* text = s.labelled ? s.column->labelOf(v) : nullptr;
                err = text ? worksheet_write_string(ws, row, cc, text->c_str(), nullptr)
                           : worksheet_write_number(ws, row, cc, s.format ? v + kSpreadsheetEpoch : v, s.format);
            }
            if (err != LXW_NO_ERROR) return refused(err);
        }
    }
    // The compression is the longest step and tells nothing itself: it runs
    // beside, and whoever follows is told every tenth of a second meanwhile, so
    // that a window stays drawn and « Annuler » is heard (the workbook is then
    // dropped once closed).
    bool cancel = !keepGoing(progress, rows, rows, "compression du classeur");
    lxw_error closed = LXW_NO_ERROR;
    std::future<lxw_error> beside;
    if (!cancel && progress) {
        try {
            beside = std::async(std::launch::async, [wb] { return workbook_close(wb); });
        } catch (const std::system_error&) {  // no thread to be had: closed here
        }
    }
    if (beside.valid()) {
        const auto start = std::chrono::steady_clock::now();
        while (beside.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
            if (cancel) continue;
            const auto s =
                std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
            cancel = !keepGoing(progress, rows, rows,
                                "compression du classeur" + (s > 0 ? " (" + std::to_string(s) + " s)" : std::string()));
        }
        closed = beside.get();
    } else {
        closed = workbook_close(wb);
    }
    if (cancel) return cancelled(label);
    if (closed != LXW_NO_ERROR) return IoError{label, std::string("classeur non écrit (") + lxw_strerror(closed) + ")"};
    std::vector<std::uint8_t> bytes;
    if (auto e = recordio::readWhole(built, label, bytes, std::uint64_t(1) << 34)) return e;
    return writeExport(path, label, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace pelo::formats

// ---- Reading

namespace pelo::formats {

namespace {
// Larger parts are refused rather than inflated (a workbook of 65,535 sheets' rows stays far below).
constexpr zip_uint64_t kMaxPart = zip_uint64_t(512) << 20;

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};

// One part of the package; false when absent; *error set when unreadable.
bool readPart(zip_t* z, const char* name, std::string& out, std::string* error) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(z, name, 0, &st) != 0) return false;
    if (!(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPart) {
        *error = std::string("partie ") + name + " trop grande";
        return false;
    }
    zip_file_t* f = zip_fopen(z, name, 0);
    if (!f) {
        *error = std::string("partie ") + name + " illisible";
        return false;
    }
    out.assign(st.size, '\0');
    zip_int64_t got = 0;
    while (got < zip_int64_t(st.size)) {
        const zip_int64_t n = zip_fread(f, out.data() + got, st.size - zip_uint64_t(got));
        if (n <= 0) break;
        got += n;
    }
    zip_fclose(f);
    if (got != zip_int64_t(st.size)) {
        *error = std::string("partie ") + name + " illisible";
        return false;
    }
    return true;
}

std::string_view localName(const char* name) {
    std::string_view n(name);
    const auto colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

const char* attribute(const char** atts, std::string_view name) {
    for (int i = 0; atts[i]; i += 2)
        if (localName(atts[i]) == name) return atts[i + 1];
    return nullptr;
}

// Runs expat over a part with a handler object.
template <class H> std::string parseXml(const std::string& xml, H& h, const char* part) {
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, decltype(&XML_ParserFree)> p(XML_ParserCreate("UTF-8"),
                                                                                    &XML_ParserFree);
    if (!p) return "mémoire insuffisante";
    XML_SetUserData(p.get(), &h);
    XML_SetElementHandler(
        p.get(), [](void* u, const char* n, const char** a) { static_cast<H*>(u)->start(localName(n), a); },
        [](void* u, const char* n) { static_cast<H*>(u)->end(localName(n)); });
    XML_SetCharacterDataHandler(p.get(), [](void* u, const char* s, int len) {
        static_cast<H*>(u)->text(std::string_view(s, std::size_t(len)));
    });
    if (XML_Parse(p.get(), xml.data(), int(xml.size()), XML_TRUE) == XML_STATUS_ERROR)
        return std::string(part) + " : XML incorrect à la ligne " + std::to_string(XML_GetCurrentLineNumber(p.get())) +
               " (" + XML_ErrorString(XML_GetErrorCode(p.get())) + ")";
    return h.error;
}

struct SharedStrings {
    std::vector<std::string> list;
    std::string error;
    bool inT = false;
    void start(std::string_view n, const char**) {
        if (n == "si") list.emplace_back();
        else if (n == "t") inT = true;
    }
    void end(std::string_view n) {
        if (n == "t") inT = false;
    }
    void text(std::string_view s) {
        if (inT && !list.empty()) list.back() += s;
    }
};

// The path of the first sheet: workbook.xml's first sheet, its relationship's target.
struct FirstSheet {
    std::string rid, error;
    void start(std::string_view n, const char** a) {
        if (n == "sheet" && rid.empty())
            if (const char* r = attribute(a, "id")) rid = r;
    }
    void end(std::string_view) {}
    void text(std::string_view) {}
};
struct Relations {
    std::string rid, target, error;
    void start(std::string_view n, const char** a) {
        if (n != "Relationship" || !target.empty()) return;
        const char* id = attribute(a, "Id");
        const char* t = attribute(a, "Target");
        if (id && t && rid == id) target = t;
    }
    void end(std::string_view) {}
    void text(std::string_view) {}
};

// Column index of a cell reference ("BC12" -> 54); -1 when it has none.
long columnOf(const char* ref) {
    long c = 0;
    int letters = 0;
    for (; *ref >= 'A' && *ref <= 'Z'; ++ref, ++letters) {
        c = c * 26 + (*ref - 'A' + 1);
        if (c > 16384) return -1;
    }
    return letters ? c - 1 : -1;
}

struct Sheet {
    const std::vector<std::string>* shared;
    std::vector<std::pair<std::size_t, std::vector<std::string>>> rows;
    std::string error;
    std::string type, value;
    long col = 0;
    std::size_t rowNumber = 0;
    bool inValue = false, inCell = false;
    void start(std::string_view n, const char** a) {
        if (!error.empty()) return;
        if (n == "row") {
            const char* r = attribute(a, "r");
            std::size_t number = rowNumber + 1;
            if (r) {
                auto res = std::from_chars(r, r + std::strlen(r), number);
                if (res.ec != std::errc() || number <= rowNumber || number > 1048576) {
                    error = "numéro de ligne incorrect";
                    return;
                }
            }
            rowNumber = number;
            rows.emplace_back(rowNumber, std::vector<std::string>{});
            col = 0;
        } else if (n == "c" && !rows.empty()) {
            const char* t = attribute(a, "t");
            type = t ? t : "n";
            const char* r = attribute(a, "r");
            const long c = r ? columnOf(r) : col;
            if (c < 0 || c > 16383) {
                error = "référence de cellule incorrecte";
                return;
            }
            col = c;
            value.clear();
            inCell = true;
        } else if ((n == "v" || n == "t") && inCell) {
            inValue = true;
        }
    }
    void end(std::string_view n) {
        if (!error.empty()) return;
        if (n == "v" || n == "t") inValue = false;
        else if (n == "c" && inCell) {
            inCell = false;
            std::string cell;
            if (type == "s") {
                std::size_t k = 0;
                auto res = std::from_chars(value.data(), value.data() + value.size(), k);
                if (res.ec != std::errc() || k >= shared->size()) {
                    error = "chaîne partagée introuvable";
                    return;
                }
                cell = (*shared)[k];
            } else if (type == "n") {
                double d = 0;
                auto res = std::from_chars(value.data(), value.data() + value.size(), d);
                cell = res.ec == std::errc() && res.ptr == value.data() + value.size() ? shortestText(d) : value;
                if (value.empty()) cell.clear();
            } else if (type == "b") {
                cell.assign(1, value == "1" ? '1' : '0');
            } else {
                cell = value;
            }
            auto& row = rows.back().second;
            if (row.size() <= std::size_t(col)) row.resize(std::size_t(col) + 1);
            row[std::size_t(col)] = std::move(cell);
            ++col;
        }
    }
    void text(std::string_view s) {
        if (inValue) value += s;
    }
};
}  // namespace

std::string parseXlsx(std::string_view bytes, CsvData& out) {
    out = CsvData{};
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &ze);
    if (!src) return "classeur illisible";
    std::unique_ptr<zip_t, ZipCloser> z(zip_open_from_source(src, ZIP_RDONLY, &ze));
    if (!z) {
        zip_source_free(src);
        zip_error_fini(&ze);
        return "ce n'est pas un classeur xlsx (archive zip illisible)";
    }
    std::string error, part;
    SharedStrings shared;
    if (readPart(z.get(), "xl/sharedStrings.xml", part, &error)) {
        if (auto e = parseXml(part, shared, "xl/sharedStrings.xml"); !e.empty()) return e;
    } else if (!error.empty()) return error;
    std::string sheetPath = "xl/worksheets/sheet1.xml";
    FirstSheet first;
    Relations rels;
    if (readPart(z.get(), "xl/workbook.xml", part, &error) && parseXml(part, first, "xl/workbook.xml").empty() &&
        !first.rid.empty() && readPart(z.get(), "xl/_rels/workbook.xml.rels", part, &error)) {
        rels.rid = first.rid;
        if (parseXml(part, rels, "xl/_rels/workbook.xml.rels").empty() && !rels.target.empty())
            sheetPath = rels.target.front() == '/' ? rels.target.substr(1) : "xl/" + rels.target;
    }
    error.clear();
    if (!readPart(z.get(), sheetPath.c_str(), part, &error))
        return error.empty() ? "feuille " + sheetPath + " introuvable" : error;
    Sheet sheet;
    sheet.shared = &shared.list;
    if (auto e = parseXml(part, sheet, sheetPath.c_str()); !e.empty()) return e;
    bool header = true;
    for (auto& [line, cells] : sheet.rows) {
        const bool blank = std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); });
        if (blank) continue;
        if (header) {
            out.header = std::move(cells);
            header = false;
        } else {
            out.rows.push_back(std::move(cells));
            out.lines.push_back(line);
        }
    }
    if (header) return "feuille vide : aucune ligne d'en-tête";
    return {};
}

}  // namespace pelo::formats
