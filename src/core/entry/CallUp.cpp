#include "entry/CallUp.h"

#include "entry/EntryTable.h"
#include "store/Text.h"

namespace pelo::checks {

Entries page1Entries(const FibRecord& r) { return entry::loadedEntries(entry::page1Controls(), r); }

Entries page2Entries(const FibRecord& r) { return entry::loadedEntries(entry::page2Controls(), r); }

namespace {

// The loading of one page: each choice field's code does what its loading
// click does, with the entries as loaded.
void loadPage(int page, FibRecord& r, const Entries& e, const Context& c) {
    const auto panels = page == 1 ? entry::page1Panels() : entry::page2Panels();
    for (const entry::Control& row : page == 1 ? entry::page1Controls() : entry::page2Controls()) {
        if (!row.isChoice()) continue;
        const Field<FieldType::U8> field{row.field.offset, row.field.name};
        const std::uint8_t code = r.get(field);
        if (auto click = entry::loadingClick(page, row, code)) {
            for (int p : click->checks.panels) panels[std::size_t(p)].routine(r, e, c);
            r.set(field, code);
        }
    }
}

}  // namespace

SavedCheck checkAsSaved(const FibRecord& stored, const Context& c) {
    SavedCheck out{stored, {}};
    FibRecord& r = out.record;
    const Entries p1 = page1Entries(r), p2 = page2Entries(r);

    // Call-up: the state starts afresh unless annulled, then loading of both
    // pages (a code no control shows stays as stored), then the page-1 checks.
    resetState(r);
    loadPage(1, r, p1, c);
    loadPage(2, r, p2, c);
    runPage1(r, p1, c);

    // The save, which stores the date as its entry shows it.
    out.panels = runSave(r, p1, p2, c);
    r.setDate(entry::maskedDate(stored.date()));
    return out;
}

char kindLetter(Kind k) {
    switch (k) {
    case Kind::Error: return 'E';
    case Kind::Warning: return 'A';
    case Kind::SilentWarning: return 'S';
    case Kind::RedNotice: return 'R';
    case Kind::Conversion: return 'C';
    }
    return '?';
}

std::string controlLine(std::uint32_t number, const SavedCheck& check) {
    std::string line = std::to_string(number) + "\t" + std::to_string(check.record.get(fld::EtatFiche));
    for (const auto& p : check.panels)
        for (const auto& f : p.findings) {
            line += '\t';
            line += kindLetter(f.kind);
            line += ':';
            line += f.message;
        }
    return line;
}

}  // namespace pelo::checks
