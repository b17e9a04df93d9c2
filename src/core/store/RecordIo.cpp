#include "store/RecordIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pelo {

std::string IoError::message() const {
    if (plain) return cause;
    return "Erreur d'entrée/sortie sur " + file + " : " + cause;
}

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

namespace recordio {

std::string inFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// ---- File

namespace {
int flagsOf(File::Mode m) {
    switch (m) {
    case File::Mode::Read: return O_RDONLY;
    case File::Mode::ReadWrite: return O_RDWR;
    case File::Mode::CreateNew: return O_RDWR | O_CREAT | O_EXCL;
    case File::Mode::Truncate: return O_WRONLY | O_CREAT | O_TRUNC;
    }
    return O_RDONLY;
}

const char* const kPastEnd = "lecture au-delà de la fin du fichier";
}  // namespace

File::File(const std::string& path, const std::string& label, Mode mode) { open(path, label, mode); }

File::~File() { drop(); }

IoStatus File::open(const std::string& path, const std::string& label, Mode mode) {
    drop();
    label_ = label;
    openError_.reset();
    openErrno_ = 0;
    do fd_ = ::open(path.c_str(), flagsOf(mode) | O_CLOEXEC, 0644);
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
        openErrno_ = errno;
        openError_ = errorOf(openErrno_);
    }
    return openError_;
}

IoStatus File::size(std::uint64_t& out) const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return errorOf(errno);
    if (S_ISDIR(st.st_mode)) return IoError{label_, "c'est un dossier"};
    out = static_cast<std::uint64_t>(st.st_size);
    return {};
}

namespace {
// Reads exactly n bytes through op(buffer, count, done), a pread or a read.
template <class Op> IoStatus readExactly(const File& f, void* data, std::size_t n, Op op) {
    auto* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t r = op(p + done, n - done, done);
        if (r < 0) {
            if (errno == EINTR) continue;
            return f.errorOf(errno);
        }
        if (r == 0) return IoError{f.label(), kPastEnd};
        done += static_cast<std::size_t>(r);
    }
    return {};
}
}  // namespace

IoStatus File::readAt(std::uint64_t offset, void* data, std::size_t n) const {
    return readExactly(*this, data, n, [&](char* p, std::size_t k, std::size_t done) {
        return ::pread(fd_, p, k, static_cast<off_t>(offset + done));
    });
}

IoStatus File::read(void* data, std::size_t n) const {
    return readExactly(*this, data, n, [&](char* p, std::size_t k, std::size_t) { return ::read(fd_, p, k); });
}

IoStatus File::writeAt(std::uint64_t offset, const void* data, std::size_t n) const {
    const auto* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t r = ::pwrite(fd_, p + done, n - done, static_cast<off_t>(offset + done));
        if (r < 0) {
            if (errno == EINTR) continue;
            return errorOf(errno);
        }
        done += static_cast<std::size_t>(r);
    }
    return {};
}

IoStatus File::sync() const {
    if (::fsync(fd_) != 0) return errorOf(errno);
    return {};
}

IoStatus File::close() {
    if (fd_ < 0) return {};
    const int r = ::close(fd_);
    fd_ = -1;
    if (r != 0) return errorOf(errno);
    return {};
}

void File::drop() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

// ---- Records

IoError shapeError(const std::string& label, std::uint64_t bytes, std::size_t recordSize) {
    if (bytes < recordSize) return IoError{label, "fichier trop court, il ne contient pas d'en-tête"};
    return IoError{label, "taille de fichier incorrecte (" + std::to_string(bytes) + " octets, pas un multiple de " +
                              std::to_string(recordSize) + ")"};
}

IoStatus recordsOf(const File& f, std::size_t recordSize, std::uint64_t& records) {
    std::uint64_t bytes = 0;
    if (auto e = f.size(bytes)) return e;
    if (bytes < recordSize || bytes % recordSize != 0) return shapeError(f.label(), bytes, recordSize);
    records = bytes / recordSize;
    return {};
}

IoStatus readRecord(const File& f, std::size_t recordSize, std::uint32_t k, void* out, std::string_view noun) {
    std::uint64_t records = 0;
    if (auto e = recordsOf(f, recordSize, records)) return e;
    if (k >= records)
        return IoError{f.label(), std::string(noun) + " " + std::to_string(k) + " est au-delà de la fin du fichier"};
    // Read aside first: the caller's buffer stays as it was on a failure.
    std::vector<std::uint8_t> tmp(recordSize);
    if (auto e = f.readAt(std::uint64_t(k) * recordSize, tmp.data(), recordSize)) return e;
    std::memcpy(out, tmp.data(), recordSize);
    return {};
}

IoStatus readWhole(const std::string& path, const std::string& label, std::vector<std::uint8_t>& out) {
    File f(path, label, File::Mode::Read);
    if (f.openError()) return f.openError();
    std::uint64_t bytes = 0;
    if (auto e = f.size(bytes)) return e;
    std::vector<std::uint8_t> tmp(bytes);
    if (auto e = f.readAt(0, tmp.data(), tmp.size())) return e;
    if (auto e = f.close()) return e;
    out = std::move(tmp);
    return {};
}

// ---- AtomicWriter

namespace {
constexpr std::size_t kWriteBuffer = std::size_t(1) << 20;
}

AtomicWriter::~AtomicWriter() { abandon(); }

void AtomicWriter::abandon() {
    if (file_.isOpen()) {
        file_.drop();
        ::unlink(tmp_.c_str());
    }
    buf_.clear();
}

IoStatus AtomicWriter::create(const std::string& path, const std::string& label) {
    abandon();
    path_ = path;
    tmp_ = path + ".tmp";
    written_ = 0;
    if (auto e = file_.open(tmp_, label, File::Mode::Truncate)) return e;
    buf_.reserve(kWriteBuffer);
    return {};
}

IoStatus AtomicWriter::flush() {
    if (buf_.empty()) return {};
    auto e = file_.writeAt(written_, buf_.data(), buf_.size());
    written_ += buf_.size();
    buf_.clear();
    return e;
}

IoStatus AtomicWriter::write(const void* data, std::size_t n) {
    if (!file_.isOpen()) return notOpen();
    const auto* p = static_cast<const std::uint8_t*>(data);
    buf_.insert(buf_.end(), p, p + n);
    if (buf_.size() >= kWriteBuffer) return flush();
    return {};
}

IoStatus AtomicWriter::writeAt(std::uint64_t offset, const void* data, std::size_t n) {
    if (!file_.isOpen()) return notOpen();
    if (auto e = flush()) return e;
    return file_.writeAt(offset, data, n);
}

IoStatus AtomicWriter::commit() {
    if (!file_.isOpen()) return notOpen();
    IoStatus err = flush();
    if (!err) err = file_.sync();
    if (auto e = file_.close(); e && !err) err = e;
    if (!err && ::rename(tmp_.c_str(), path_.c_str()) != 0) err = file_.errorOf(errno);
    if (err) ::unlink(tmp_.c_str());
    return err;
}

IoStatus replaceWhole(const std::string& path, const std::string& label, const void* data, std::size_t n) {
    AtomicWriter w;
    if (auto e = w.create(path, label)) return e;
    if (auto e = w.write(data, n)) return e;
    return w.commit();
}

// ---- SequentialFile

IoStatus SequentialFile::open(const std::string& path, const std::string& label, std::size_t recordSize, void* header) {
    records_ = 0;
    if (auto e = file_.open(path, label, File::Mode::Read)) return e;
    IoStatus err = recordsOf(file_, recordSize, records_);
    if (!err) err = file_.read(header, recordSize);
    if (err) file_.drop();
    return err;
}

IoStatus SequentialFile::checkCount(std::uint32_t count) const {
    if (std::uint64_t(count) + 1 > records_)
        return IoError{file_.label(), "le nombre de fiches (" + std::to_string(count) + ") dépasse la fin du fichier"};
    return {};
}

}  // namespace recordio
}  // namespace pelo
