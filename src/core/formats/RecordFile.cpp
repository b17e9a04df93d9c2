#include "formats/RecordFile.h"

#include <cerrno>
#include <cstring>
#include <optional>

namespace pelo {

// Errors of the centre files name the file by its path.
namespace {

using recordio::File;

IoError pastEnd(const std::string& path, std::uint32_t k) {
    return IoError{path, "la fiche " + std::to_string(k) + " est au-delà de la fin du fichier"};
}

// Opens path for writing under its lock. A writer that waited for the lock
// while the file was replaced whole (a change of centre on another
// workstation) holds the replaced file, which no one reads any more: it opens
// the new one instead. Left open on a failure to lock, closed on a failure to open.
IoStatus openLocked(const std::string& path, File& f) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (auto e = f.open(path, path, File::Mode::ReadWrite)) return e;
        if (auto e = f.lockExclusive()) return e;
        if (f.isStillAt(path)) return {};
        f.drop();
    }
    return IoError{path, "fichier remplacé sans cesse par un autre programme ou un autre poste, réessayez"};
}

// path opened for writing under its lock, and its number of records (the header's included).
IoStatus lockedRecords(const std::string& path, File& f, std::uint64_t& records) {
    if (auto e = openLocked(path, f)) return e;
    return recordio::recordsOf(f, kRecordSize, records, recordio::kMaxRecords, recordio::Tail::Ignored);
}

// The sheet belongs to the centre of the file's header: otherwise the file was
// replaced by another centre's (a change of centre on another workstation)
// since the sheet was opened, and the sheet would land among that centre's.
IoStatus checkSameCentre(const std::string& path, const CentreHeader& onDisk, const FibRecord& sheet) {
    const std::uint16_t now = onDisk.get(fld::NumCentre), mine = sheet.get(fld::NumCentre);
    if (now == mine) return {};
    return IoError{path,
                   "La fiche n'est pas enregistrée : " + path + " contient maintenant le centre " +
                       std::to_string(now) + ", et non le centre " + std::to_string(mine) +
                       " de cette fiche (changement de centre sur un autre poste ?). La fiche reste à l'écran ; "
                       "revenez au centre " +
                       std::to_string(mine) + " pour l'enregistrer.",
                   true};
}

// Under the lock held on f: the records after the header's count, synced, then
// the count, synced. A write that fails (a full disk) may leave part of a
// record: the file is cut back to its size before the write, still under the
// lock, so that it stays a file of whole records and the next save works.
IoStatus appendRecords(File& f, CentreHeader& h, const void* records, std::size_t n) {
    const std::uint16_t current = h.nbFiches();
    std::uint64_t before = 0;
    if (auto e = f.size(before)) return e;
    auto undo = [&](const IoError& err) -> IoStatus {
        (void)f.truncate(before);
        (void)f.sync();
        return err;
    };
    if (auto e = f.writeAt(std::uint64_t(current + 1) * kRecordSize, records, n * kRecordSize)) return undo(*e);
    if (auto e = f.sync()) return undo(*e);
    h.setNbFiches(static_cast<std::uint16_t>(current + n));
    if (auto e = f.writeAt(0, h.bytes.data(), kRecordSize)) {
        // The header may be half written: the count is put back before the cut.
        h.setNbFiches(current);
        (void)f.writeAt(0, h.bytes.data(), kRecordSize);
        return undo(*e);
    }
    return f.sync();
}

}  // namespace

namespace recordfile {

IoStatus createIfMissing(const std::string& path, bool* created) {
    if (created) *created = false;
    {
        File f(path, path, File::Mode::ReadWrite);
        if (!f.openError()) return f.close();
        if (f.openErrno() != ENOENT) return f.openError();
    }
    File f(path, path, File::Mode::CreateNew);
    if (f.openError()) return f.openError();
    CentreHeader h = headerTemplate();
    if (auto e = f.writeAt(0, h.bytes.data(), kRecordSize)) return e;
    if (auto e = f.sync()) return e;
    if (auto e = f.close()) return e;
    if (created) *created = true;
    return {};
}

IoStatus replaceWith(const std::string& path, const std::vector<FibRecord>& records,
                     const std::vector<FibRecord>* unlessChangedFrom) {
    // The old file stays locked until it is replaced: a sheet saved by another
    // copy of the program meanwhile waits, then goes into the new file.
    File held;
    if (auto e = openLocked(path, held)) {
        // Locked by another for too long, or content to check: nothing is replaced.
        if (held.isOpen() || unlessChangedFrom) return e;
        // Missing or not writable here: no writer of it to hold off, the rename decides.
    } else if (unlessChangedFrom) {
        std::uint64_t n = 0;
        if (auto e2 = recordio::recordsOf(held, kRecordSize, n, recordio::kMaxRecords, recordio::Tail::Ignored))
            return e2;
        // Header (its count) and counted FIBs; a record left beyond the count
        // by an interrupted save is no sheet.
        bool same = n >= unlessChangedFrom->size();
        FibRecord rec;
        for (std::uint64_t k = 0; same && k < unlessChangedFrom->size(); ++k) {
            if (auto e2 = held.readAt(k * kRecordSize, rec.bytes.data(), kRecordSize)) return e2;
            same = rec.bytes == (*unlessChangedFrom)[k].bytes;
        }
        if (!same)
            return IoError{path,
                           path +
                               " n'a pas été remplacé : des fiches y ont été enregistrées ou modifiées "
                               "entre-temps (par un autre poste ?).",
                           true};
    }
    if (auto e = recordio::replaceWhole(path, path, records.data(), records.size() * kRecordSize)) return e;
    held.drop();
    return {};
}

IoStatus readHeader(const std::string& path, CentreHeader& out) {
    File f(path, path, File::Mode::Read);
    if (f.openError()) return f.openError();
    if (auto e = recordio::readRecord(f, kRecordSize, 0, out.bytes.data(), "la fiche", recordio::Tail::Ignored))
        return e;
    return f.close();
}

IoStatus writeHeader(const std::string& path, const CentreHeader& header) {
    File f;
    std::uint64_t records = 0;
    if (auto e = lockedRecords(path, f, records)) return e;
    // The count is the file's: another copy of the program may have saved
    // sheets since this header was read, and they must stay counted.
    CentreHeader onDisk;
    if (auto e = f.readAt(0, onDisk.bytes.data(), kRecordSize)) return e;
    // Sheets of an identified centre never take another centre's number: the
    // file was replaced by another centre's since this header was read (a
    // change of centre on another workstation).
    const std::uint16_t now = onDisk.get(fld::NumCentre), mine = header.get(fld::NumCentre);
    if (now != 0 && mine != now && onDisk.nbFiches() > 0)
        return IoError{path,
                       "L'identification n'est pas enregistrée : " + path +
                           " contient maintenant les fiches du centre " + std::to_string(now) + ", et non du centre " +
                           std::to_string(mine) + " (changement de centre sur un autre poste ?).",
                       true};
    CentreHeader h = header;
    h.setNbFiches(onDisk.nbFiches());
    if (auto e = f.writeAt(0, h.bytes.data(), kRecordSize)) return e;
    if (auto e = f.sync()) return e;
    return f.close();
}

IoStatus readFib(const std::string& path, std::uint32_t k, FibRecord& out) {
    File f(path, path, File::Mode::Read);
    if (f.openError()) return f.openError();
    if (auto e = recordio::readRecord(f, kRecordSize, k, out.bytes.data(), "la fiche", recordio::Tail::Ignored))
        return e;
    return f.close();
}

IoStatus rewriteFib(const std::string& path, std::uint32_t k, const FibRecord& rec) {
    File f;
    std::uint64_t records = 0;
    if (auto e = lockedRecords(path, f, records)) return e;
    if (k == 0 || k >= records) return pastEnd(path, k);
    CentreHeader h;
    if (auto e = f.readAt(0, h.bytes.data(), kRecordSize)) return e;
    if (auto e = checkSameCentre(path, h, rec)) return e;
    // The record replaced must be the sheet that was opened.
    FibRecord old;
    if (auto e = f.readAt(std::uint64_t(k) * kRecordSize, old.bytes.data(), kRecordSize)) return e;
    if (old.get(fld::NumFib) != rec.get(fld::NumFib) || old.get(fld::NumCentre) != rec.get(fld::NumCentre))
        return IoError{path,
                       "La fiche n'est pas enregistrée : la fiche " + std::to_string(k) + " de " + path +
                           " n'est plus celle qui a été ouverte (fiche " + std::to_string(old.get(fld::NumFib)) +
                           " du centre " + std::to_string(old.get(fld::NumCentre)) + " au lieu de la fiche " +
                           std::to_string(rec.get(fld::NumFib)) + " du centre " +
                           std::to_string(rec.get(fld::NumCentre)) +
                           ") : le fichier a changé entre-temps (changement de centre sur un autre poste ?). La "
                           "fiche reste à l'écran.",
                       true};
    if (auto e = f.writeAt(std::uint64_t(k) * kRecordSize, rec.bytes.data(), kRecordSize)) return e;
    if (auto e = f.sync()) return e;
    return f.close();
}

IoStatus appendFib(const std::string& path, std::uint16_t& count, FibRecord& buffer) {
    // Another copy of the program (a second workstation on a shared folder)
    // may save at the same moment: the number comes from the header read
    // under the lock, not from the count this run last saw.
    File f;
    std::uint64_t records = 0;
    if (auto e = lockedRecords(path, f, records)) return e;
    CentreHeader h;
    if (auto e = f.readAt(0, h.bytes.data(), kRecordSize)) return e;
    const std::uint16_t current = h.nbFiches();
    if (auto e = checkSameCentre(path, h, buffer)) return e;
    if (current >= kMaxFibs) return IoError{path, "Fichier plein", true};
    // The count must not point past the file's end: the FIB would leave a hole.
    // (A record left beyond the count by an interrupted save is simply overwritten.)
    if (std::uint64_t(current) + 1 > records)
        return IoError{path, "le nombre de fiches (" + std::to_string(current) + ") dépasse la fin du fichier"};
    const std::uint16_t c = static_cast<std::uint16_t>(current + 1);
    FibRecord rec = buffer;
    rec.set(fld::NumFib, c);
    if (auto e = appendRecords(f, h, rec.bytes.data(), 1)) return e;
    FibRecord back;
    if (auto e = f.readAt(std::uint64_t(c) * kRecordSize, back.bytes.data(), kRecordSize)) return e;
    if (auto e = f.close()) return e;
    buffer = back;
    count = c;
    return {};
}

IoStatus appendFibs(const std::string& path, const std::vector<FibRecord>& fibs, std::uint16_t& first) {
    File f;
    std::uint64_t records = 0;
    if (auto e = lockedRecords(path, f, records)) return e;
    CentreHeader h;
    if (auto e = f.readAt(0, h.bytes.data(), kRecordSize)) return e;
    const std::uint16_t current = h.nbFiches();
    if (std::uint64_t(current) + fibs.size() > kMaxFibs) return IoError{path, "Fichier plein", true};
    // The rows belong to the centre the file held when they were read: not to
    // another one that a change of centre on another workstation put there since.
    if (!fibs.empty())
        if (auto e = checkSameCentre(path, h, fibs.front())) return e;
    if (std::uint64_t(current) + 1 > records)
        return IoError{path, "le nombre de fiches (" + std::to_string(current) + ") dépasse la fin du fichier"};
    if (fibs.empty()) return f.close();
    std::vector<std::uint8_t> bytes(fibs.size() * kRecordSize);
    for (std::size_t k = 0; k < fibs.size(); ++k) {
        FibRecord rec = fibs[k];
        rec.set(fld::NumFib, static_cast<std::uint16_t>(current + 1 + k));
        std::memcpy(bytes.data() + k * kRecordSize, rec.bytes.data(), kRecordSize);
    }
    // The FIBs first, the count last: until the header says so, they are not in the file.
    if (auto e = appendRecords(f, h, bytes.data(), fibs.size())) return e;
    if (auto e = f.close()) return e;
    first = static_cast<std::uint16_t>(current + 1);
    return {};
}

IoStatus recordCount(const std::string& path, std::uint32_t& out) {
    File f(path, path, File::Mode::Read);
    if (f.openError()) return f.openError();
    std::uint64_t records = 0;
    if (auto e = recordio::recordsOf(f, kRecordSize, records, recordio::kMaxRecords, recordio::Tail::Ignored)) return e;
    out = static_cast<std::uint32_t>(records);
    return f.close();
}

std::optional<std::string> incompleteTailNotice(const std::string& path) {
    File f(path, path, File::Mode::Read);
    std::uint64_t bytes = 0;
    if (f.openError() || f.size(bytes) || bytes < kRecordSize || bytes % kRecordSize == 0) return {};
    // A pooled file (252-byte records, 0 at bytes 2-3 where a centre file has
    // its centre) named on the same command lines is whole.
    constexpr std::uint64_t kPooledRecord = 252;
    std::uint16_t word2 = 1;
    if (bytes % kPooledRecord == 0 && !f.readAt(2, &word2, sizeof word2) && word2 == 0) return {};
    return path + " se termine par une fiche incomplète (" + std::to_string(bytes % kRecordSize) +
           " octets, ce que laisse une écriture interrompue, par un disque plein par exemple) : elle est ignorée. "
           "« fibtool reparer " +
           path + " » la retire.";
}

IoStatus repair(const std::string& path, const std::string& copy, RepairResult& out) {
    File f;
    if (auto e = openLocked(path, f)) return e;
    std::uint64_t bytes = 0;
    if (auto e = f.size(bytes)) return e;
    if (bytes < kRecordSize) return recordio::shapeError(path, bytes, kRecordSize);
    CentreHeader h;
    if (auto e = f.readAt(0, h.bytes.data(), kRecordSize)) return e;
    RepairResult r;
    r.fibs = h.nbFiches();
    r.before = bytes;
    r.after = (std::uint64_t(r.fibs) + 1) * kRecordSize;
    if (r.after > bytes)
        return IoError{path,
                       "le nombre de fiches (" + std::to_string(r.fibs) +
                           ") dépasse la fin du fichier : des fiches manquent, la réparation ne peut pas les rendre"};
    if (r.after < bytes) {
        // The whole file is kept first, under a name that replaces nothing.
        std::vector<std::uint8_t> all(bytes);
        if (auto e = f.readAt(0, all.data(), all.size())) return e;
        File c(copy, copy, File::Mode::CreateNew);
        if (c.openError()) return c.openError();
        if (auto e = c.writeAt(0, all.data(), all.size())) return e;
        if (auto e = c.sync()) return e;
        if (auto e = c.close()) return e;
        if (auto e = f.truncate(r.after)) return e;
        if (auto e = f.sync()) return e;
        r.copy = copy;
    }
    if (auto e = f.close()) return e;
    out = r;
    return {};
}

}  // namespace recordfile

IoStatus readAllFibs(const std::string& path, CentreHeader& header, std::vector<FibRecord>& fibs) {
    RecordReader r;
    if (auto e = r.open(path)) return e;
    std::vector<FibRecord> out;
    out.reserve(r.count());
    IoStatus err;
    while (const FibRecord* f = r.next(&err)) out.push_back(*f);
    if (err) return err;
    header = r.header();
    fibs = std::move(out);
    return {};
}

}  // namespace pelo
