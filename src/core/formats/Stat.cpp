#include "formats/Stat.h"

#include <readstat.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace pelo::formats {

namespace {
// Days from 1960-01-01 (Stata's day 0) to 1970-01-01, and from 1582-10-14 (SPSS's) to 1970-01-01.
constexpr double kStataEpoch = 3653;
constexpr double kSpssEpoch = 141428;

struct Output {
    Sink* sink;
    IoStatus error;
};

ssize_t toSink(const void* bytes, size_t len, void* ctx) {
    auto* out = static_cast<Output*>(ctx);
    if (out->error) return -1;
    out->error = out->sink->write(bytes, len);
    return out->error ? -1 : static_cast<ssize_t>(len);
}

struct WriterDeleter {
    void operator()(readstat_writer_t* w) const { readstat_writer_free(w); }
};

// A code that the package stores as an integer (value labels are on integers).
bool integral(double v) { return std::isfinite(v) && v == std::floor(v) && std::fabs(v) <= 2147483620.0; }
}  // namespace

IoStatus writeStat(const std::string& path, const std::string& label, const Table& t, StatFormat f) {
    Sink sink;
    if (auto e = sink.open(path, label)) return e;
    Output out{&sink, {}};
    std::unique_ptr<readstat_writer_t, WriterDeleter> w(readstat_writer_init());
    readstat_set_data_writer(w.get(), toSink);
    if (f == StatFormat::Dta) readstat_writer_set_file_format_version(w.get(), 118);
    else readstat_writer_set_compression(w.get(), READSTAT_COMPRESS_ROWS);

    std::map<std::string, readstat_label_set_t*> sets;
    std::vector<readstat_variable_t*> vars;
    for (const Column& c : t.columns) {
        readstat_variable_t* v = nullptr;
        if (c.type == ColumnType::Text) {
            std::size_t width = 1;
            for (const std::string& s : c.texts) width = std::max(width, s.size());
            v = readstat_add_variable(w.get(), c.name.c_str(), READSTAT_TYPE_STRING, width);
        } else if (c.type == ColumnType::Integer || c.type == ColumnType::Date) {
            v = readstat_add_variable(
                w.get(), c.name.c_str(),
                f == StatFormat::Dta && c.type == ColumnType::Integer ? READSTAT_TYPE_INT32 : READSTAT_TYPE_DOUBLE, 0);
            if (c.type == ColumnType::Date) readstat_variable_set_format(v, f == StatFormat::Dta ? "%td" : "EDATE10");
        } else {
            v = readstat_add_variable(w.get(), c.name.c_str(), READSTAT_TYPE_DOUBLE, 0);
        }
        readstat_variable_set_label(v, c.label.c_str());
        if (!c.codes.empty()) {
            const std::string setName = c.codeSet.empty() ? c.name : c.codeSet;
            auto it = sets.find(setName);
            if (it == sets.end()) {
                readstat_label_set_t* s = readstat_add_label_set(
                    w.get(), f == StatFormat::Dta ? READSTAT_TYPE_INT32 : READSTAT_TYPE_DOUBLE, setName.c_str());
                for (const ValueLabel& l : c.codes) {
                    if (f == StatFormat::Dta) readstat_label_int32_value(s, std::int32_t(l.code), l.label.c_str());
                    else readstat_label_double_value(s, l.code, l.label.c_str());
                }
                it = sets.emplace(setName, s).first;
            }
            readstat_variable_set_label_set(v, it->second);
        }
        vars.push_back(v);
    }

    auto fail = [&](readstat_error_t e) -> IoStatus {
        if (out.error) return out.error;
        sink.abandon();
        return IoError{label, std::string("fichier non écrit (") + readstat_error_message(e) + ")"};
    };
    readstat_error_t e = f == StatFormat::Dta ? readstat_begin_writing_dta(w.get(), &out, long(t.rows))
                                              : readstat_begin_writing_sav(w.get(), &out, long(t.rows));
    if (e != READSTAT_OK) return fail(e);
    for (std::size_t r = 0; r < t.rows && e == READSTAT_OK; ++r) {
        e = readstat_begin_row(w.get());
        for (std::size_t c = 0; c < t.columns.size() && e == READSTAT_OK; ++c) {
            const Column& col = t.columns[c];
            readstat_variable_t* v = vars[c];
            if (col.type == ColumnType::Text) {
                e = readstat_insert_string_value(w.get(), v, col.texts[r].c_str());
                continue;
            }
            double x = col.numbers[r];
            if (isMissing(x) || (col.type == ColumnType::Integer && f == StatFormat::Dta && !integral(x))) {
                e = readstat_insert_missing_value(w.get(), v);
            } else if (col.type == ColumnType::Date) {
                x = f == StatFormat::Dta ? x + kStataEpoch : (x + kSpssEpoch) * 86400.0;
                e = readstat_insert_double_value(w.get(), v, x);
            } else if (col.type == ColumnType::Integer && f == StatFormat::Dta) {
                e = readstat_insert_int32_value(w.get(), v, std::int32_t(x));
            } else {
                e = readstat_insert_double_value(w.get(), v, x);
            }
        }
        if (e == READSTAT_OK) e = readstat_end_row(w.get());
    }
    if (e == READSTAT_OK) e = readstat_end_writing(w.get());
    if (e != READSTAT_OK) return fail(e);
    if (out.error) return out.error;
    return sink.commit();
}

}  // namespace pelo::formats
