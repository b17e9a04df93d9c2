#include "store/RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pelo {

std::string IoError::message() const {
    if (plain) return cause;
    return "Erreur d'entrée/sortie sur " + file + " : " + cause; }

std::string ioCause(int err) {
    switch (err) {
    case ENOENT: return "fichier introuvable";
    case EACCES:
    case EPERM: return "accès refusé";
    case EROFS: return "support en lecture seule";
    case ENOSPC: return "disque plein";
    case EISDIR: return "c'est un dossier";
    case EDQUOT: return "quota disque dépassé";
    default: return std::strerror(err);
    }
}

namespace {

std::string causeOf(int err) { return ioCause(err); }

IoError errnoError(const std::string& path) { return IoError{path, causeOf(errno)}; }

// An open file descriptor closed on every path out of an operation.
class File {
public:
    File(const std::string& path, int flags, mode_t mode = 0644) : path_(path) {
        do fd_ = ::open(path.c_str(), flags | O_CLOEXEC, mode);
        while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0) err_ = errnoError(path);
    }
    ~File() { if (fd_ >= 0) ::close(fd_); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    const IoStatus& openError() const { return err_; }

    IoStatus size(std::uint64_t& out) const {
        struct stat st{};
        if (::fstat(fd_, &st) != 0) return errnoError(path_);
        if (S_ISDIR(st.st_mode)) return IoError{path_, "c'est un dossier"};
        out = static_cast<std::uint64_t>(st.st_size);
        return {};
    }

    IoStatus readAt(std::uint64_t offset, void* data, std::size_t n) const {
        auto* p = static_cast<char*>(data);
        std::size_t done = 0;
        while (done < n) {
            ssize_t r = ::pread(fd_, p + done, n - done, static_cast<off_t>(offset + done));
            if (r < 0) {
                if (errno == EINTR) continue;
                return errnoError(path_);
            }
            if (r == 0) return IoError{path_, "lecture au-delà de la fin du fichier"};
            done += static_cast<std::size_t>(r);
        }
        return {};
    }

    IoStatus writeAt(std::uint64_t offset, const void* data, std::size_t n) const {
        const auto* p = static_cast<const char*>(data);
        std::size_t done = 0;
        while (done < n) {
            ssize_t r = ::pwrite(fd_, p + done, n - done, static_cast<off_t>(offset + done));
            if (r < 0) {
                if (errno == EINTR) continue;
                return errnoError(path_);
            }
            done += static_cast<std::size_t>(r);
        }
        return {};
    }

    IoStatus sync() const {
        if (::fsync(fd_) != 0) return errnoError(path_);
        return {};
    }

    IoStatus close() {
        int r = ::close(fd_);
        fd_ = -1;
        if (r != 0) return errnoError(path_);
        return {};
    }

private:
    std::string path_;
    int fd_ = -1;
    IoStatus err_;
};

// The file must hold its header and whole records only.
IoStatus checkShape(const File& f, const std::string& path, std::uint64_t& records) {
    std::uint64_t bytes = 0;
    if (auto e = f.size(bytes)) return e;
    if (bytes < kRecordSize) return IoError{path, "fichier trop court, il ne contient pas d'en-tête"};
    if (bytes % kRecordSize != 0)
        return IoError{path, "taille de fichier incorrecte (" + std::to_string(bytes) +
                                 " octets, pas un multiple de 248)"};
    records = bytes / kRecordSize;
    return {};
}

IoStatus readRecord(const File& f, const std::string& path, std::uint32_t k, FibRecord& out) {
    std::uint64_t records = 0;
    if (auto e = checkShape(f, path, records)) return e;
    if (k >= records)
        return IoError{path, "la fiche " + std::to_string(k) + " est au-delà de la fin du fichier"};
    FibRecord tmp;
    if (auto e = f.readAt(std::uint64_t(k) * kRecordSize, tmp.bytes.data(), kRecordSize)) return e;
    out = tmp;
    return {};
}

}  // namespace

namespace recordfile {

IoStatus createIfMissing(const std::string& path, bool* created) {
    if (created) *created = false;
    {
        File f(path, O_RDWR);
        if (!f.openError()) return f.close();
        if (errno != ENOENT) return f.openError();
    }
    File f(path, O_RDWR | O_CREAT | O_EXCL);
    if (f.openError()) return f.openError();
    CentreHeader h = headerTemplate();
    if (auto e = f.writeAt(0, h.bytes.data(), kRecordSize)) return e;
    if (auto e = f.sync()) return e;
    if (auto e = f.close()) return e;
    if (created) *created = true;
    return {};
}

IoStatus replaceWith(const std::string& path, const std::vector<FibRecord>& records) {
    std::string tmp = path + ".tmp";
    {
        File f(tmp, O_WRONLY | O_CREAT | O_TRUNC);
        if (f.openError()) return IoError{path, f.openError()->cause};
        std::uint64_t off = 0;
        for (const auto& r : records) {
            if (auto e = f.writeAt(off, r.bytes.data(), kRecordSize)) {
                ::unlink(tmp.c_str());
                return IoError{path, e->cause};
            }
            off += kRecordSize;
        }
        if (auto e = f.sync()) { ::unlink(tmp.c_str()); return IoError{path, e->cause}; }
        if (auto e = f.close()) { ::unlink(tmp.c_str()); return IoError{path, e->cause}; }
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        IoError e = errnoError(path);
        ::unlink(tmp.c_str());
        return e;
    }
    return {};
}

IoStatus readHeader(const std::string& path, CentreHeader& out) {
    File f(path, O_RDONLY);
    if (f.openError()) return f.openError();
    if (auto e = readRecord(f, path, 0, out)) return e;
    return f.close();
}

IoStatus writeHeader(const std::string& path, const CentreHeader& header) {
    File f(path, O_RDWR);
    if (f.openError()) return f.openError();
    std::uint64_t records = 0;
    if (auto e = checkShape(f, path, records)) return e;
    if (auto e = f.writeAt(0, header.bytes.data(), kRecordSize)) return e;
    if (auto e = f.sync()) return e;
    return f.close();
}

IoStatus readFib(const std::string& path, std::uint32_t k, FibRecord& out) {
    File f(path, O_RDONLY);
    if (f.openError()) return f.openError();
    if (auto e = readRecord(f, path, k, out)) return e;
    return f.close();
}

IoStatus rewriteFib(const std::string& path, std::uint32_t k, const FibRecord& rec) {
    File f(path, O_RDWR);
    if (f.openError()) return f.openError();
    std::uint64_t records = 0;
    if (auto e = checkShape(f, path, records)) return e;
    if (k == 0 || k >= records)
        return IoError{path, "la fiche " + std::to_string(k) + " est au-delà de la fin du fichier"};
    if (auto e = f.writeAt(std::uint64_t(k) * kRecordSize, rec.bytes.data(), kRecordSize)) return e;
    if (auto e = f.sync()) return e;
    return f.close();
}

IoStatus appendFib(const std::string& path, std::uint16_t& count, FibRecord& buffer) {
    File f(path, O_RDWR);
    if (f.openError()) return f.openError();
    std::uint64_t records = 0;
    if (auto e = checkShape(f, path, records)) return e;
    if (count >= kMaxFibs) return IoError{path, "Fichier plein", true};
    // The run's count must not point past the file's end: the FIB would leave a hole.
    // (A record left beyond the count by an interrupted save is simply overwritten.)
    if (std::uint64_t(count) + 1 > records)
        return IoError{path, "le nombre de fiches (" + std::to_string(count) + ") dépasse la fin du fichier"};
    const std::uint16_t c = static_cast<std::uint16_t>(count + 1);
    FibRecord rec = buffer;
    rec.set(fld::NumFib, c);
    if (auto e = f.writeAt(std::uint64_t(c) * kRecordSize, rec.bytes.data(), kRecordSize)) return e;
    if (auto e = f.sync()) return e;
    CentreHeader h;
    if (auto e = f.readAt(0, h.bytes.data(), kRecordSize)) return e;
    h.setNbFiches(c);
    if (auto e = f.writeAt(0, h.bytes.data(), kRecordSize)) return e;
    if (auto e = f.sync()) return e;
    FibRecord back;
    if (auto e = f.readAt(std::uint64_t(c) * kRecordSize, back.bytes.data(), kRecordSize)) return e;
    if (auto e = f.close()) return e;
    buffer = back;
    count = c;
    return {};
}

IoStatus recordCount(const std::string& path, std::uint32_t& out) {
    File f(path, O_RDONLY);
    if (f.openError()) return f.openError();
    std::uint64_t records = 0;
    if (auto e = checkShape(f, path, records)) return e;
    out = static_cast<std::uint32_t>(records);
    return f.close();
}

}  // namespace recordfile

RecordReader::~RecordReader() { close(); }

void RecordReader::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

IoStatus RecordReader::open(const std::string& path) {
    close();
    path_ = path;
    pos_ = have_ = 0;
    number_ = 0;
    do fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) return errnoError(path);
    struct stat st{};
    if (::fstat(fd_, &st) != 0) { auto e = errnoError(path); close(); return e; }
    std::uint64_t bytes = static_cast<std::uint64_t>(st.st_size);
    IoStatus err;
    if (S_ISDIR(st.st_mode)) err = IoError{path, "c'est un dossier"};
    else if (bytes < kRecordSize) err = IoError{path, "fichier trop court, il ne contient pas d'en-tête"};
    else if (bytes % kRecordSize != 0)
        err = IoError{path, "taille de fichier incorrecte (" + std::to_string(bytes) +
                                " octets, pas un multiple de 248)"};
    if (err) { close(); return err; }
    ssize_t r;
    do r = ::pread(fd_, header_.bytes.data(), kRecordSize, 0);
    while (r < 0 && errno == EINTR);
    if (r != static_cast<ssize_t>(kRecordSize)) {
        auto e = r < 0 ? errnoError(path) : IoError{path, "lecture au-delà de la fin du fichier"};
        close();
        return e;
    }
    if (std::uint64_t(header_.nbFiches()) + 1 > bytes / kRecordSize) {
        auto e = IoError{path, "le nombre de fiches (" + std::to_string(header_.nbFiches()) +
                                   ") dépasse la fin du fichier"};
        close();
        return e;
    }
    if (::lseek(fd_, kRecordSize, SEEK_SET) < 0) { auto e = errnoError(path); close(); return e; }
    chunk_.resize(1024);
    return {};
}

bool RecordReader::fill(IoStatus* error) {
    std::uint32_t remaining = header_.nbFiches() - number_;
    std::size_t want = std::min<std::size_t>(chunk_.size(), remaining) * kRecordSize;
    auto* p = reinterpret_cast<char*>(chunk_.data());
    std::size_t done = 0;
    while (done < want) {
        ssize_t r = ::read(fd_, p + done, want - done);
        if (r < 0) {
            if (errno == EINTR) continue;
            if (error) *error = errnoError(path_);
            return false;
        }
        if (r == 0) {
            if (error) *error = IoError{path_, "lecture au-delà de la fin du fichier"};
            return false;
        }
        done += static_cast<std::size_t>(r);
    }
    have_ = done / kRecordSize;
    pos_ = 0;
    return have_ > 0;
}

const FibRecord* RecordReader::next(IoStatus* error) {
    if (fd_ < 0 || number_ >= header_.nbFiches()) return nullptr;
    if (pos_ >= have_ && !fill(error)) return nullptr;
    ++number_;
    return &chunk_[pos_++];
}

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
