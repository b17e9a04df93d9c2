#pragma once
// Record files of 248-byte records (FIB.DAT, ESSAIFIB.DAT): record 0 is the
// centre header, records 1..NbFiches the FIBs. Each operation opens the file,
// does its work and closes it before returning; a failure comes back as an
// IoError naming the file and the cause, and the caller's buffer is left as
// it was.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/FibRecord.h"
#include "store/IoError.h"

namespace pelo {

// French cause of a system error number ("fichier introuvable", "disque plein").
std::string ioCause(int err);

namespace recordfile {

// Creates the file with the template header when it does not exist.
// *created tells whether it was created.
IoStatus createIfMissing(const std::string& path, bool* created = nullptr);

// Creates (or truncates) the file with the given records, under a temporary
// name synced and renamed over the old one.
IoStatus replaceWith(const std::string& path, const std::vector<FibRecord>& records);

IoStatus readHeader(const std::string& path, CentreHeader& out);
IoStatus writeHeader(const std::string& path, const CentreHeader& header);

// Record k (1..NbFiches of the header); a record beyond the end of the file is an error.
IoStatus readFib(const std::string& path, std::uint32_t k, FibRecord& out);
IoStatus rewriteFib(const std::string& path, std::uint32_t k, const FibRecord& rec);

// Appends the buffer as FIB count + 1: writes the FIB, then the header's
// count, then reads the FIB back into the buffer; synced to disk. On success
// count is the new count. "Fichier plein" when the count is already 65535.
IoStatus appendFib(const std::string& path, std::uint16_t& count, FibRecord& buffer);

// Number of whole records in the file (header included).
IoStatus recordCount(const std::string& path, std::uint32_t& out);

}  // namespace recordfile

// Sequential reading of a whole record file through a large buffer: the
// header first, then FIBs 1..NbFiches. A NbFiches past the end of the file, a
// file shorter than its header or not made of whole records is an error.
class RecordReader {
public:
    RecordReader() = default;
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    IoStatus open(const std::string& path);
    const CentreHeader& header() const { return header_; }
    std::uint16_t count() const { return header_.nbFiches(); }
    // Next FIB, nullptr after the last; *error is set on a read failure.
    const FibRecord* next(IoStatus* error);
    // Number of the FIB last returned by next().
    std::uint32_t number() const { return number_; }
    void close();

private:
    bool fill(IoStatus* error);
    int fd_ = -1;
    std::string path_;
    CentreHeader header_;
    std::vector<FibRecord> chunk_;
    std::size_t pos_ = 0, have_ = 0;
    std::uint32_t number_ = 0;
};

// Reads all FIBs 1..NbFiches at once.
IoStatus readAllFibs(const std::string& path, CentreHeader& header, std::vector<FibRecord>& fibs);

}  // namespace pelo
