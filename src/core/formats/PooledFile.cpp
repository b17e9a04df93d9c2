#include "formats/PooledFile.h"

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

IoStatus PooledWriter::create(const std::string& folder, const std::string& name, const PooledHeader& header) {
    written_ = 0;
    if (auto e = out_.create(recordio::inFolder(folder, name), name)) return e;
    return out_.write(header.bytes.data(), kPooledSize);
}

IoStatus PooledWriter::write(const PooledFibRecord* fibs, std::size_t n) {
    if (n == 0) return {};
    if (auto e = out_.write(fibs, n * kPooledSize)) return e;
    written_ += std::uint32_t(n);
    return {};
}

IoStatus PooledWriter::finish(PooledHeader header) {
    header.setNbFiches(std::int32_t(written_));
    if (auto e = out_.writeAt(0, header.bytes.data(), kPooledSize)) return e;
    return out_.commit();
}

}  // namespace pelo::pool
