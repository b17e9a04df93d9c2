#include "pool/PooledRecord.h"

#include "store/Text.h"

namespace pelo::pool {

PooledFibRecord widen(const FibRecord& r) {
    PooledFibRecord p;
    p.set(pfld::CodeFixe, std::int32_t(r.get(fld::CodeFixe)));
    p.set(pfld::NumCentre, std::int32_t(r.get(fld::NumCentre)));
    p.set(pfld::NumFib, std::int32_t(r.get(fld::NumFib)));
    // DateFib, Initiale, MoisNaissance: bytes 6..17 to 12..23.
    std::memcpy(p.bytes.data() + pfld::DateFib.offset, r.bytes.data() + fld::DateFib.offset, 12);
    // AnNaissance to the end: bytes 20..247 to 24..251.
    std::memcpy(p.bytes.data() + pfld::AnNaissance.offset, r.bytes.data() + fld::AnNaissance.offset,
                kRecordSize - fld::AnNaissance.offset);
    return p;
}

std::string GroupeRecord::name() const {
    std::size_t n = 0;
    while (n < kNameSize && NomGroupe[n] != '\0') ++n;
    return cp1252ToUtf8(std::string_view(NomGroupe, n));
}

bool GroupeRecord::setName(std::string_view utf8) {
    const std::string raw = utf8ToCp1252(utf8);
    if (raw.size() > kNameSize) return false;
    std::memset(NomGroupe, 0, kNameSize);
    std::memcpy(NomGroupe, raw.data(), raw.size());
    return true;
}

std::vector<std::uint16_t> GroupeRecord::centres() const {
    std::vector<std::uint16_t> out;
    for (std::uint16_t c : CentresGroupe) {
        if (c == 0) break;
        out.push_back(c);
    }
    return out;
}

bool GroupeRecord::setCentres(const std::vector<std::uint16_t>& c) {
    if (c.size() > kMaxCentres) return false;
    std::memset(CentresGroupe, 0, sizeof CentresGroupe);
    for (std::size_t i = 0; i < c.size(); ++i) CentresGroupe[i] = c[i];
    return true;
}

}  // namespace pelo::pool
