#include "store/FibRecord.h"

#include <ctime>

#include "store/Text.h"

namespace pelo {

const FieldInfo* findField(std::string_view name) {
    for (const auto& f : kFibFields)
        if (name == f.name) return &f;
    return nullptr;
}

std::string FibRecord::date() const {
    const char* p = reinterpret_cast<const char*>(bytes.data() + fld::DateFib.offset);
    std::size_t n = 0;
    while (n < 10 && p[n] != '\0') ++n;
    return cp1252ToUtf8(std::string_view(p, n));
}

void FibRecord::setDate(std::string_view text) {
    std::string raw = utf8ToCp1252(text);
    std::uint8_t* p = bytes.data() + fld::DateFib.offset;
    for (std::size_t i = 0; i < 10; ++i) p[i] = i < raw.size() ? static_cast<std::uint8_t>(raw[i]) : 0;
}

std::string FibRecord::initiale() const {
    char c = static_cast<char>(bytes[fld::Initiale.offset]);
    if (c == '\0') return {};
    return cp1252ToUtf8(std::string_view(&c, 1));
}

void FibRecord::setInitiale(std::string_view utf8) {
    std::string raw = utf8ToCp1252(utf8);
    bytes[fld::Initiale.offset] = raw.empty() ? 0 : static_cast<std::uint8_t>(cp1252Upper(raw[0]));
}

CentreHeader headerTemplate() {
    CentreHeader h;  // zero-filled: pad bytes and the fields that start at 0
    for (const auto& f : kFibFields) {
        std::uint8_t* p = h.bytes.data() + f.offset;
        switch (f.type) {
        case FieldType::U8: *p = 255; break;
        case FieldType::I32: {
            std::int32_t v = -1;
            std::memcpy(p, &v, 4);
            break;
        }
        case FieldType::F32: {
            float v = -1.0f;
            std::memcpy(p, &v, 4);
            break;
        }
        default: break;
        }
    }
    h.set(fld::CodeFixe, kCodeFixe);
    h.setDate("01/04/1998");
    h.set(fld::EtatFiche, 0);
    h.set(fld::Reserve, 0);
    h.set(fld::Specialite, 0);
    return h;
}

FibRecord emptyFibFromHeader(const CentreHeader& header, std::string_view today) {
    FibRecord r = header;
    // The date is copied with its terminating #0, which empties Initiale.
    std::uint8_t* p = r.bytes.data() + fld::DateFib.offset;
    for (std::size_t i = 0; i < 11; ++i) p[i] = i < today.size() && i < 10 ? static_cast<std::uint8_t>(today[i]) : 0;
    for (auto slot : kUnitSlots) r.set(slot, kEmptyF32);
    return r;
}

std::string todayText() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[16];
    std::strftime(buf, sizeof buf, "%d/%m/%Y", &tm);
    return buf;
}

int currentYear() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm.tm_year + 1900;
}

}  // namespace pelo
