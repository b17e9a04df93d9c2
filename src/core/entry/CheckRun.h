#pragma once
// Shared machinery of the check routines of both entry pages (internal).

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "entry/Checks.h"
#include "entry/EntryTable.h"
#include "store/Text.h"

namespace pelo::checks::detail {

// Text of the entry of a field; an entry the page did not give reads as empty.
template <FieldType T> const std::string& entryText(const Entries& e, Field<T> field) {
    static const std::string empty;
    auto it = e.find(entry::entryName(entry::ref(field)));
    return it == e.end() ? empty : it->second;
}

// One run of one routine: the panel starts navy, each finding colours it and
// raises EtatFiche by its kind.
class Run {
public:
    Run(FibRecord& r, const char* panel) : r_(r) { res_.panel = panel; }

    void report(Kind kind, std::string message, std::optional<std::pair<int, int>> pos = std::nullopt,
                bool errorIcon = false) {
        std::uint8_t etat = r_.get(fld::EtatFiche);
        switch (kind) {
        case Kind::Error:
        case Kind::Conversion:  // an unreadable entry leaves the sheet to review
            res_.colour = Colour::Red;
            if (etat < kToReview) r_.set(fld::EtatFiche, kToReview);
            break;
        case Kind::Warning:
            if (res_.colour != Colour::Red) res_.colour = Colour::Orange;
            if (etat == kComplete) r_.set(fld::EtatFiche, kIncomplete);
            break;
        case Kind::SilentWarning:
            if (res_.colour != Colour::Red) res_.colour = Colour::Orange;
            break;
        case Kind::RedNotice: res_.colour = Colour::Red; break;
        }
        res_.findings.push_back(Finding{kind, std::move(message), pos, errorIcon});
    }

    // The box of `code` of a choice field ticked by the routine itself.
    template <FieldType T> void tick(Field<T> field, int code) {
        res_.ticked.emplace_back(entry::boxName(entry::ref(field), code));
    }

    // Conversions of the entry of a field; on failure the Conversion finding
    // is reported and nothing is returned, so that the routine stops.
    template <FieldType T> std::optional<std::int32_t> integer(const Entries& e, Field<T> control) {
        auto p = parseIntegerEntry(entryText(e, control));
        if (auto* err = std::get_if<ConversionError>(&p)) return fail(err->message);
        return std::get<std::int32_t>(p);
    }
    template <FieldType T> std::optional<std::uint8_t> byte(const Entries& e, Field<T> control) {
        auto p = parseByteEntry(entryText(e, control));
        if (auto* err = std::get_if<ConversionError>(&p)) return fail(err->message);
        return std::get<std::uint8_t>(p);
    }
    template <FieldType T> std::optional<float> decimal(const Entries& e, Field<T> control) {
        auto p = parseDecimalEntry(entryText(e, control));
        if (auto* err = std::get_if<ConversionError>(&p)) return fail(err->message);
        return std::get<float>(p);
    }
    // A decimal entry stored as an integer: read in double precision, taken as
    // metres (x 100) below 2 when asked, then rounded (a half to even).
    // An empty entry gives -1.
    template <FieldType T> std::optional<std::int32_t> roundedDecimal(const Entries& e, Field<T> control, bool metres) {
        const std::string& text = entryText(e, control);
        auto p = parseDecimalEntry(text);
        if (auto* err = std::get_if<ConversionError>(&p)) return fail(err->message);
        if (isBlank(text)) return kEmptyI32;
        double v = toDouble(text);
        if (metres && v < 2.0) v *= 100.0;
        double rounded = std::nearbyint(v);
        if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
            return fail("'" + text + "' n'est pas une valeur en virgule flottante correcte");
        return static_cast<std::int32_t>(rounded);
    }
    // A decimal entry stored in one byte after rounding (visual acuity).
    template <FieldType T> std::optional<std::uint8_t> roundedByte(const Entries& e, Field<T> control) {
        const std::string& text = entryText(e, control);
        auto p = parseDecimalEntry(text);
        if (auto* err = std::get_if<ConversionError>(&p)) return fail(err->message);
        if (isBlank(text)) return kEmptyU8;
        double rounded = std::nearbyint(toDouble(text));
        if (rounded < 0 || rounded > 254) return fail("'" + text + "' n'est pas une valeur entière correcte");
        return static_cast<std::uint8_t>(rounded);
    }

    static bool isBlank(const std::string& t) { return t.find_first_not_of(" \t") == std::string::npos; }

    PanelResult take() { return std::move(res_); }

private:
    std::nullopt_t fail(const std::string& message) {
        report(Kind::Conversion, message);
        return std::nullopt;
    }
    // The text was accepted by parseDecimalEntry: blanks, a sign, digits and
    // one separator. Read without the C locale's help (a French locale would
    // stop at the point).
    static double toDouble(const std::string& text) {
        std::string clean;
        for (char ch : text) {
            if (ch == ' ' || ch == '\t' || ch == '+') continue;
            clean += ch == ',' ? '.' : ch;
        }
        double v = 0;
        std::from_chars(clean.data(), clean.data() + clean.size(), v);
        return v;
    }

    FibRecord& r_;
    PanelResult res_;
};

}  // namespace pelo::checks::detail
