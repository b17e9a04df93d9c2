#include "store/RecordIo.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <random>
#include <thread>

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
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case ENAMETOOLONG: return "nom de fichier trop long";
    case ELOOP: return "trop de liens symboliques";
    case EEXIST: return "le fichier existe déjà";
    case EBUSY:
    case ETXTBSY: return "fichier occupé";
    case EAGAIN: return "fichier verrouillé par un autre programme";
    case EFBIG: return "fichier trop grand";
    case EIO: return "erreur matérielle de lecture ou d'écriture";
    case EMFILE:
    case ENFILE: return "trop de fichiers ouverts";
    case ENOMEM: return "mémoire insuffisante";
    case ENXIO:
    case ENODEV: return "ce n'est pas un fichier ordinaire";
    case EINVAL: return "opération impossible sur ce fichier";
    case EXDEV: return "fichier sur un autre support";
    case ENOLCK: return "verrouillage du fichier impossible";
    case ESTALE: return "fichier réseau devenu inaccessible";
    case ETIMEDOUT: return "délai dépassé";
    case ENOTEMPTY: return "dossier non vide";
    default: return "erreur système n° " + std::to_string(err);
    }
}

namespace recordio {

std::string inFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

namespace {

// Folder part (with its "/") and name part of a path.
std::pair<std::string, std::string> splitPath(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {std::string(), path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

constexpr const char* kTempPrefix = ".~";
constexpr const char* kTempSuffix = ".tmp";
// A file name holds at most 255 bytes; a temporary adds to the name the
// prefix, four dots, the host name (at most 32 characters), the random part
// and the process number (at most 10 digits), and the suffix.
constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kMaxHost = 32;
constexpr std::size_t kRandomDigits = 12;
constexpr std::size_t kMaxPidDigits = 10;

// This machine's name, in letters, digits and "-" only: on a shared folder a
// process number means something only on the machine that wrote it.
std::string hostTag() {
    char buf[256] = {};
    if (::gethostname(buf, sizeof buf - 1) != 0) return "poste";
    std::string out;
    for (const char* p = buf; *p && out.size() < kMaxHost; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p)) || *p == '-') out += *p;
    return out.empty() ? "poste" : out;
}

// ".~NAME.host." : what the temporaries of a name on this machine begin with.
std::string temporaryHead(const std::string& name) { return kTempPrefix + name + "." + hostTag() + "."; }

// Twelve hex digits from the system's random source: another user of a shared
// folder cannot guess the name to plant a link there first.
std::string randomPart() {
    static std::random_device source;
    std::uint64_t v = (std::uint64_t(source()) << 32) ^ source();
    std::string out(kRandomDigits, '0');
    for (auto& c : out) {
        c = "0123456789abcdef"[v & 0xF];
        v >>= 4;
    }
    return out;
}

std::size_t longestName() {
    return kMaxNameBytes -
           (std::strlen(kTempPrefix) + 4 + hostTag().size() + kRandomDigits + kMaxPidDigits + std::strlen(kTempSuffix));
}

// A new temporary name for name (a name of the folder), empty when it is too long.
std::string temporaryLeaf(const std::string& name) {
    if (name.size() > longestName()) return {};
    return temporaryHead(name) + randomPart() + "." + std::to_string(::getpid()) + kTempSuffix;
}

// Whether the part of a temporary name after its head is a run's own: the
// random part and a process number (or, from older runs, the number alone).
// The process number, 0 when it is not.
long long leftoverPid(const std::string& rest) {
    std::string digits = rest;
    if (const auto dot = rest.find('.'); dot != std::string::npos) {
        const std::string rnd = rest.substr(0, dot);
        if (rnd.size() != kRandomDigits || rnd.find_first_not_of("0123456789abcdef") != std::string::npos) return 0;
        digits = rest.substr(dot + 1);
    }
    if (digits.empty() || digits.size() > kMaxPidDigits || digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoll(digits);
}

void removeLeftoversIn(int folderFd, const std::string& name) {
    const std::string head = temporaryHead(name);
    const int fd = ::dup(folderFd);
    if (fd < 0) return;
    DIR* d = ::fdopendir(fd);
    if (!d) {
        ::close(fd);
        return;
    }
    ::rewinddir(d);
    std::vector<std::string> stale;
    const std::size_t suffix = std::strlen(kTempSuffix);
    while (const dirent* e = ::readdir(d)) {
        const std::string entry = e->d_name;
        if (entry.size() <= head.size() + suffix || entry.compare(0, head.size(), head) != 0 ||
            entry.compare(entry.size() - suffix, suffix, kTempSuffix) != 0)
            continue;
        const long long pid = leftoverPid(entry.substr(head.size(), entry.size() - head.size() - suffix));
        // A live process of this machine may be writing it (another copy of the program, or this one).
        if (pid <= 0 || pid > 0x7FFFFFFF) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        // Only what this user's run left: a link, a folder or another user's file stays.
        struct stat st {};
        if (::fstatat(folderFd, entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        stale.push_back(entry);
    }
    ::closedir(d);
    for (const auto& f : stale) ::unlinkat(folderFd, f.c_str(), 0);
}

int openFolder(const std::string& dir) {
    int fd = -1;
    do fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

std::string temporaryName(const std::string& path) {
    const auto [dir, name] = splitPath(path);
    const std::string leaf = temporaryLeaf(name);
    return leaf.empty() ? std::string() : dir + leaf;
}

std::size_t longestReplaceableName() { return longestName(); }

void removeLeftovers(const std::string& path) {
    const auto [dir, name] = splitPath(path);
    const int fd = openFolder(dir);
    if (fd < 0) return;
    removeLeftoversIn(fd, name);
    ::close(fd);
}

IoStatus syncFolderOf(const std::string& path, const std::string& label) {
    const auto [dir, name] = splitPath(path);
    const int fd = openFolder(dir);
    if (fd < 0) return IoError{label, ioCause(errno)};
    // Some file systems cannot sync a folder (EINVAL): nothing more can be done there.
    const int r = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (r != 0 && err != EINVAL && err != EROFS) return IoError{label, ioCause(err)};
    return {};
}

unsigned newFileMode(unsigned folderMode) {
    const bool shared = (folderMode & S_ISGID) != 0 || ((folderMode & S_IWGRP) != 0 && (folderMode & S_IWOTH) == 0);
    return shared ? 0660u : 0600u;
}

IoStatus createPrivateFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0) {
        if (errno == EEXIST) return {};
        return IoError{path, ioCause(errno)};
    }
    // Whatever the umask: no one else lists the centre's files.
    if (::chmod(path.c_str(), 0700) != 0) return IoError{path, ioCause(errno)};
    return {};
}

namespace {

// Gives a file just created the mode of a new file of its folder and, in a
// folder shared by a group, that group (a setgid folder does it by itself).
void makeNewFilePrivate(int fd, int folderFd, const std::string& name) {
    struct stat folder {};
    bool known = false;
    if (folderFd != AT_FDCWD) known = ::fstat(folderFd, &folder) == 0;
    else {
        const auto slash = name.rfind('/');
        const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : name.substr(0, slash);
        known = ::stat(dir.c_str(), &folder) == 0;
    }
    const unsigned mode = known ? newFileMode(folder.st_mode) : 0600u;
    if (mode == 0660u) {
        struct stat mine {};
        if (::fstat(fd, &mine) == 0 && mine.st_gid != folder.st_gid) (void)::fchown(fd, uid_t(-1), folder.st_gid);
    }
    (void)::fchmod(fd, mode);
}

// Gives a file that replaces another the other's owner (when this process may
// set it), group and mode, less the rights of others; a new file (nothing, or
// no regular file, at that name) gets the mode of its folder.
void takeOverMetadata(int fd, int folderFd, const std::string& name) {
    struct stat old {};
    if (::fstatat(folderFd, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(old.st_mode)) {
        makeNewFilePrivate(fd, folderFd, name);
        return;
    }
    struct stat mine {};
    if (::fstat(fd, &mine) == 0 && (mine.st_uid != old.st_uid || mine.st_gid != old.st_gid))
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, uid_t(-1), old.st_gid);
    (void)::fchmod(fd, old.st_mode & 0770);
}

}  // namespace

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
const char* const kLinkRefused =
    "lien symbolique refusé (un fichier de fiches est ouvert lui-même, jamais à travers un lien)";
}  // namespace

File::File(const std::string& path, const std::string& label, Mode mode) { open(path, label, mode); }

File::~File() { drop(); }

IoStatus File::open(const std::string& path, const std::string& label, Mode mode) {
    return openAt(AT_FDCWD, path, label, mode);
}

IoStatus File::openAt(int folderFd, const std::string& name, const std::string& label, Mode mode) {
    drop();
    label_ = label;
    openError_.reset();
    openErrno_ = 0;
    // Without blocking: a FIFO or a device named like a record file must not
    // hang the program; anything but a regular file is refused. Never through
    // a link: one planted in a shared folder would redirect the sheets.
    const bool creating = mode == Mode::CreateNew;
    do fd_ = ::openat(folderFd, name.c_str(), flagsOf(mode) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW, 0600);
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
        openErrno_ = errno;
        struct stat st {};
        if ((openErrno_ == ELOOP || openErrno_ == EEXIST) &&
            ::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
            openError_ = IoError{label_, kLinkRefused};
        else openError_ = errorOf(openErrno_);
        return openError_;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        openErrno_ = errno;
        openError_ = errorOf(openErrno_);
    } else if (S_ISDIR(st.st_mode)) {
        openErrno_ = EISDIR;
        openError_ = errorOf(EISDIR);
    } else if (!S_ISREG(st.st_mode)) {
        openErrno_ = ENODEV;
        openError_ = IoError{label_, "ce n'est pas un fichier ordinaire"};
    } else {
        const int fl = ::fcntl(fd_, F_GETFL);
        if (fl < 0 || ::fcntl(fd_, F_SETFL, fl & ~O_NONBLOCK) != 0) {
            openErrno_ = errno;
            openError_ = errorOf(openErrno_);
        }
    }
    // A file created here gets its folder's mode.
    if (!openError_ && creating) makeNewFilePrivate(fd_, folderFd, name);
    if (openError_) drop();
    return openError_;
}

IoStatus File::lockExclusive() const {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;  // the whole file, whatever it grows to
#ifdef F_OFD_SETLK
    // A lock of the open file, not of the process: two writers of one
    // process exclude each other too, and closing another descriptor of the
    // same file does not release it.
    int cmd = F_OFD_SETLK;
#else
    int cmd = F_SETLK;
#endif
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + seconds(10);
    while (::fcntl(fd_, cmd, &fl) != 0) {
        const int err = errno;
        if (err == EINTR) continue;
        if (err == EINVAL && cmd != F_SETLK) {  // a kernel without locks of open files
            cmd = F_SETLK;
            continue;
        }
        // A file system without locks (some network shares): the save still
        // takes the count from the header at the moment of writing.
        if (err == ENOLCK || err == EOPNOTSUPP || err == EINVAL) return {};
        if (err != EAGAIN && err != EACCES) return errorOf(err);
        if (steady_clock::now() >= deadline)
            return IoError{label_, "fichier verrouillé par un autre programme ou un autre poste, réessayez"};
        std::this_thread::sleep_for(milliseconds(20));
    }
    return {};
}

bool File::isStillAt(const std::string& path) const {
    struct stat mine {
    }, named{};
    if (fd_ < 0 || ::fstat(fd_, &mine) != 0 || ::stat(path.c_str(), &named) != 0) return false;
    return mine.st_dev == named.st_dev && mine.st_ino == named.st_ino;
}

IoStatus File::size(std::uint64_t& out) const {
    struct stat st {};
    if (fd_ < 0) return IoError{label_, "fichier non ouvert"};
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

IoStatus File::truncate(std::uint64_t size) const {
    int r = 0;
    do r = ::ftruncate(fd_, static_cast<off_t>(size));
    while (r != 0 && errno == EINTR);
    if (r != 0) return errorOf(errno);
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

IoError tooLargeError(const std::string& label, std::uint64_t bytes, std::uint64_t maxBytes) {
    return IoError{
        label, "fichier trop grand (" + std::to_string(bytes) + " octets, au plus " + std::to_string(maxBytes) + ")"};
}

IoStatus recordsOf(const File& f, std::size_t recordSize, std::uint64_t& records, std::uint64_t maxRecords, Tail tail) {
    std::uint64_t bytes = 0;
    if (auto e = f.size(bytes)) return e;
    if (bytes < recordSize || (bytes % recordSize != 0 && tail == Tail::Refused))
        return shapeError(f.label(), bytes, recordSize);
    if (bytes / recordSize > maxRecords) return tooLargeError(f.label(), bytes, maxRecords * recordSize);
    records = bytes / recordSize;
    return {};
}

IoStatus readRecord(const File& f, std::size_t recordSize, std::uint32_t k, void* out, std::string_view noun,
                    Tail tail) {
    std::uint64_t records = 0;
    if (auto e = recordsOf(f, recordSize, records, kMaxRecords, tail)) return e;
    if (k >= records)
        return IoError{f.label(), std::string(noun) + " " + std::to_string(k) + " est au-delà de la fin du fichier"};
    // Read aside first: the caller's buffer stays as it was on a failure.
    std::vector<std::uint8_t> tmp(recordSize);
    if (auto e = f.readAt(std::uint64_t(k) * recordSize, tmp.data(), recordSize)) return e;
    std::memcpy(out, tmp.data(), recordSize);
    return {};
}

IoStatus readWhole(const std::string& path, const std::string& label, std::vector<std::uint8_t>& out,
                   std::uint64_t maxBytes) {
    File f(path, label, File::Mode::Read);
    if (f.openError()) return f.openError();
    std::uint64_t bytes = 0;
    if (auto e = f.size(bytes)) return e;
    if (bytes > maxBytes) return tooLargeError(label, bytes, maxBytes);
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

AtomicWriter::~AtomicWriter() {
    abandon();
    closeFolder();
}

void AtomicWriter::closeFolder() {
    if (folder_ >= 0) ::close(folder_);
    folder_ = -1;
}

void AtomicWriter::abandon() {
    if (file_.isOpen() || prepared_) {
        file_.drop();
        ::unlinkat(folder_, tmp_.c_str(), 0);
    }
    prepared_ = false;
    buf_.clear();
}

IoStatus AtomicWriter::create(const std::string& path, const std::string& label) {
    abandon();
    closeFolder();
    written_ = 0;
    const auto [dir, name] = splitPath(path);
    name_ = name;
    // The folder is opened once: every later step (the temporary, the rename,
    // the sync) is relative to it, whatever is renamed along the path meanwhile.
    label_ = label;
    folder_ = openFolder(dir);
    if (folder_ < 0) {
        const int err = errno;
        // A key taken out, a share not mounted: the folder is what is missing.
        if (err == ENOENT || err == ENOTDIR) {
            const std::string shown = dir.size() > 1 ? dir.substr(0, dir.size() - 1) : dir;
            return IoError{label, "le dossier " + shown + " est introuvable"};
        }
        return IoError{label, ioCause(err)};
    }
    if (name.size() > longestName())
        return IoError{label, "nom de fichier trop long pour être remplacé sans risque (" +
                                  std::to_string(name.size()) + " octets, au plus " + std::to_string(longestName()) +
                                  ")"};
    removeLeftoversIn(folder_, name);
    // A name taken meanwhile (a link planted there) is simply another draw.
    for (int attempt = 0; attempt < 8; ++attempt) {
        tmp_ = temporaryLeaf(name);
        if (!file_.openAt(folder_, tmp_, label, File::Mode::CreateNew)) break;
        if (file_.openErrno() != EEXIST) return file_.openError();
    }
    if (!file_.isOpen()) return file_.openError();
    takeOverMetadata(file_.descriptor(), folder_, name_);
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

IoStatus AtomicWriter::prepare() {
    if (!file_.isOpen()) return notOpen();
    IoStatus err = flush();
    if (!err) err = file_.sync();
    struct stat st {};
    if (!err && ::fstat(file_.descriptor(), &st) != 0) err = file_.errorOf(errno);
    written_dev_ = std::uint64_t(st.st_dev);
    written_ino_ = std::uint64_t(st.st_ino);
    if (auto e = file_.close(); e && !err) err = e;
    if (err) ::unlinkat(folder_, tmp_.c_str(), 0);
    else prepared_ = true;
    return err;
}

IoStatus AtomicWriter::rename() {
    if (!prepared_) return notOpen();
    prepared_ = false;
    // Another member of a shared folder may have put something else (a link)
    // at the temporary's name since it was written: that is not put in place.
    struct stat st {};
    if (::fstatat(folder_, tmp_.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
        std::uint64_t(st.st_dev) != written_dev_ || std::uint64_t(st.st_ino) != written_ino_)
        return IoError{label_, "le fichier temporaire a été remplacé par un autre programme : rien n'est remplacé"};
    if (::renameat(folder_, tmp_.c_str(), folder_, name_.c_str()) != 0) {
        const IoError err{label_, ioCause(errno)};
        ::unlinkat(folder_, tmp_.c_str(), 0);
        return err;
    }
    return {};
}

IoStatus AtomicWriter::syncFolder() const {
    if (folder_ < 0) return notOpen();
    // Some file systems cannot sync a folder (EINVAL): nothing more can be done there.
    if (::fsync(folder_) != 0 && errno != EINVAL && errno != EROFS) return IoError{label_, ioCause(errno)};
    return {};
}

IoStatus AtomicWriter::commit() {
    if (auto e = prepare()) return e;
    if (auto e = rename()) return e;
    return syncFolder();
}

IoStatus replaceWhole(const std::string& path, const std::string& label, const void* data, std::size_t n) {
    AtomicWriter w;
    if (auto e = w.create(path, label)) return e;
    if (auto e = w.write(data, n)) return e;
    return w.commit();
}

// ---- SequentialFile

IoStatus SequentialFile::open(const std::string& path, const std::string& label, std::size_t recordSize, void* header,
                              Tail tail) {
    records_ = 0;
    tail_ = 0;
    if (auto e = file_.open(path, label, File::Mode::Read)) return e;
    IoStatus err = recordsOf(file_, recordSize, records_, kMaxRecords, tail);
    std::uint64_t bytes = 0;
    if (!err && !file_.size(bytes)) tail_ = bytes % recordSize;
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
