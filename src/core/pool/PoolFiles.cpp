#include "pool/PoolFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace pelo::pool {

namespace {

IoError sysError(const std::string& name, int err) { return IoError{name, ioCause(err)}; }

int openFile(const std::string& path, int flags, mode_t mode = 0644) {
    int fd;
    do fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Reads exactly n bytes at the current position.
IoStatus readFully(int fd, const std::string& name, void* data, std::size_t n) {
    auto* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < n) {
        ssize_t r = ::read(fd, p + done, n - done);
        if (r < 0) {
            if (errno == EINTR) continue;
            return sysError(name, errno);
        }
        if (r == 0) return IoError{name, "lecture au-delà de la fin du fichier"};
        done += std::size_t(r);
    }
    return {};
}

IoStatus writeFully(int fd, const std::string& name, const void* data, std::size_t n, std::uint64_t offset) {
    const auto* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < n) {
        ssize_t r = ::pwrite(fd, p + done, n - done, off_t(offset + done));
        if (r < 0) {
            if (errno == EINTR) continue;
            return sysError(name, errno);
        }
        done += std::size_t(r);
    }
    return {};
}

// Size of an open regular file.
IoStatus sizeOf(int fd, const std::string& name, std::uint64_t& out) {
    struct stat st{};
    if (::fstat(fd, &st) != 0) return sysError(name, errno);
    if (S_ISDIR(st.st_mode)) return IoError{name, "c'est un dossier"};
    out = std::uint64_t(st.st_size);
    return {};
}

IoError shapeError(const std::string& name, std::uint64_t bytes, std::size_t recordSize) {
    if (bytes < recordSize) return IoError{name, "fichier trop court, il ne contient pas d'en-tête"};
    return IoError{name, "taille de fichier incorrecte (" + std::to_string(bytes) + " octets, pas un multiple de " +
                             std::to_string(recordSize) + ")"};
}

// Reads record k of a file of fixed-size records.
IoStatus readRecordAt(const std::string& folder, const std::string& name, std::size_t recordSize, std::uint32_t k,
                      void* out) {
    int fd = openFile(inFolder(folder, name), O_RDONLY);
    if (fd < 0) return sysError(name, errno);
    std::uint64_t bytes = 0;
    IoStatus err = sizeOf(fd, name, bytes);
    if (!err && (bytes < recordSize || bytes % recordSize != 0)) err = shapeError(name, bytes, recordSize);
    if (!err && std::uint64_t(k) >= bytes / recordSize)
        err = IoError{name, "l'enregistrement " + std::to_string(k) + " est au-delà de la fin du fichier"};
    std::vector<std::uint8_t> tmp(recordSize);
    if (!err && ::lseek(fd, off_t(std::uint64_t(k) * recordSize), SEEK_SET) < 0) err = sysError(name, errno);
    if (!err) err = readFully(fd, name, tmp.data(), recordSize);
    if (::close(fd) != 0 && !err) err = sysError(name, errno);
    if (!err) std::memcpy(out, tmp.data(), recordSize);
    return err;
}

}  // namespace

std::string inFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::optional<std::string> badFileName(const std::string& name) {
    const bool blank = std::all_of(name.begin(), name.end(), [](char c) { return c == ' '; });
    if (blank) return std::string("Nom de fichier vide");
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos || name == "." || name == ".." ||
        name.find(':') != std::string::npos)
        return "Nom de fichier incorrect : " + name + " (un nom simple, sans dossier, est attendu)";
    return {};
}

std::optional<SynNames> synthesisNames(const std::string& poolName) {
    if (poolName.size() <= 3) return {};
    const std::string rest = poolName.substr(3);
    const auto dot = rest.rfind('.');
    const std::string stem = dot == std::string::npos ? rest + "." : rest.substr(0, dot + 1);
    return SynNames{"SYN" + stem + "ATX", "SYN" + stem + "BTX"};
}

std::string counterFileOf(const std::string& indexName) {
    std::string out = indexName;
    const auto dot = out.rfind('.');
    if (dot != std::string::npos && dot + 1 < out.size()) out[dot + 1] = 'B';
    return out;
}

IoStatus readSynIndex(const std::string& folder, const std::string& name, SynIndex& out) {
    return readRecordAt(folder, name, sizeof(SynIndex), 0, &out);
}

IoStatus readSynCounters(const std::string& folder, const std::string& name, std::uint32_t k, SynCounters& out) {
    return readRecordAt(folder, name, sizeof(SynCounters), k, &out);
}

IoStatus readAllSynCounters(const std::string& folder, const std::string& name, std::vector<SynCounters>& out) {
    std::vector<std::uint8_t> bytes;
    if (auto e = readWholeFile(folder, name, bytes)) return e;
    if (bytes.size() < sizeof(SynCounters) || bytes.size() % sizeof(SynCounters) != 0)
        return shapeError(name, bytes.size(), sizeof(SynCounters));
    out.resize(bytes.size() / sizeof(SynCounters));
    std::memcpy(out.data(), bytes.data(), bytes.size());
    return {};
}

// --- PooledReader

PooledReader::~PooledReader() { close(); }

void PooledReader::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

IoStatus PooledReader::open(const std::string& folder, const std::string& name) {
    close();
    name_ = name;
    pos_ = have_ = 0;
    number_ = 0;
    fd_ = openFile(inFolder(folder, name), O_RDONLY);
    if (fd_ < 0) return sysError(name, errno);
    std::uint64_t bytes = 0;
    IoStatus err = sizeOf(fd_, name, bytes);
    if (!err && (bytes < kPooledSize || bytes % kPooledSize != 0)) err = shapeError(name, bytes, kPooledSize);
    if (!err) err = readFully(fd_, name, header_.bytes.data(), kPooledSize);
    if (!err && std::uint64_t(header_.nbFiches()) + 1 > bytes / kPooledSize)
        err = IoError{name, "le nombre de fiches (" + std::to_string(header_.nbFiches()) + ") dépasse la fin du fichier"};
    if (err) {
        close();
        return err;
    }
    chunk_.resize(2048);
    return {};
}

const PooledFibRecord* PooledReader::next(IoStatus* error) {
    if (fd_ < 0 || number_ >= header_.nbFiches()) return nullptr;
    if (pos_ >= have_) {
        const std::size_t n = std::min<std::size_t>(chunk_.size(), header_.nbFiches() - number_);
        if (auto e = readFully(fd_, name_, chunk_.data(), n * kPooledSize)) {
            if (error) *error = e;
            close();
            return nullptr;
        }
        have_ = n;
        pos_ = 0;
    }
    ++number_;
    return &chunk_[pos_++];
}

// --- ReplacementFile

ReplacementFile::~ReplacementFile() { abandon(); }

void ReplacementFile::abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(tmp_.c_str());
    }
    buf_.clear();
}

IoStatus ReplacementFile::create(const std::string& folder, const std::string& name) {
    abandon();
    name_ = name;
    path_ = inFolder(folder, name);
    tmp_ = path_ + ".tmp";
    written_ = 0;
    fd_ = openFile(tmp_, O_WRONLY | O_CREAT | O_TRUNC);
    if (fd_ < 0) return sysError(name, errno);
    buf_.reserve(1 << 20);
    return {};
}

IoStatus ReplacementFile::flush() {
    if (buf_.empty()) return {};
    auto e = writeFully(fd_, name_, buf_.data(), buf_.size(), written_);
    written_ += buf_.size();
    buf_.clear();
    return e;
}

IoStatus ReplacementFile::write(const void* data, std::size_t n) {
    if (fd_ < 0) return IoError{name_, "fichier non ouvert"};
    const auto* p = static_cast<const std::uint8_t*>(data);
    buf_.insert(buf_.end(), p, p + n);
    if (buf_.size() >= (1u << 20)) return flush();
    return {};
}

IoStatus ReplacementFile::writeAt(std::uint64_t offset, const void* data, std::size_t n) {
    if (fd_ < 0) return IoError{name_, "fichier non ouvert"};
    if (auto e = flush()) return e;
    return writeFully(fd_, name_, data, n, offset);
}

IoStatus ReplacementFile::commit() {
    if (fd_ < 0) return IoError{name_, "fichier non ouvert"};
    IoStatus err = flush();
    if (!err && ::fsync(fd_) != 0) err = sysError(name_, errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && !err) err = sysError(name_, errno);
    if (!err && ::rename(tmp_.c_str(), path_.c_str()) != 0) err = sysError(name_, errno);
    if (err) ::unlink(tmp_.c_str());
    return err;
}

IoStatus readWholeFile(const std::string& folder, const std::string& name, std::vector<std::uint8_t>& out) {
    int fd = openFile(inFolder(folder, name), O_RDONLY);
    if (fd < 0) return sysError(name, errno);
    std::uint64_t bytes = 0;
    IoStatus err = sizeOf(fd, name, bytes);
    std::vector<std::uint8_t> tmp;
    if (!err) {
        tmp.resize(bytes);
        err = readFully(fd, name, tmp.data(), tmp.size());
    }
    if (::close(fd) != 0 && !err) err = sysError(name, errno);
    if (!err) out = std::move(tmp);
    return err;
}

IoStatus replaceFile(const std::string& folder, const std::string& name, const void* data, std::size_t n) {
    ReplacementFile f;
    if (auto e = f.create(folder, name)) return e;
    if (auto e = f.write(data, n)) return e;
    return f.commit();
}

bool fileExists(const std::string& folder, const std::string& name) {
    struct stat st{};
    return ::stat(inFolder(folder, name).c_str(), &st) == 0;
}

}  // namespace pelo::pool
