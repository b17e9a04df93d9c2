#include "Passphrase.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "store/RecordIo.h"

namespace pelo::cli {

namespace {

constexpr std::size_t kMaxPassphrase = 1024;

// The terminal's settings while its echo is off, put back if the user
// interrupts the typing (Ctrl-C), so that the shell does not stay silent.
int gTerminal = -1;
termios gSaved{};
void restoreAndStop(int sig) {
    if (gTerminal >= 0) ::tcsetattr(gTerminal, TCSANOW, &gSaved);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// One line typed on the controlling terminal with its echo off.
bool typed(const std::string& prompt, seal::Secret& out, std::string& error) {
    const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = "aucun terminal pour taper la phrase secrète : utilisez --phrase-de FICHIER";
        return false;
    }
    termios old{};
    const bool isTerm = ::tcgetattr(fd, &old) == 0;
    using Handler = void (*)(int);
    Handler oldInt = SIG_DFL, oldTerm = SIG_DFL, oldHup = SIG_DFL;
    if (isTerm) {
        gSaved = old;
        gTerminal = fd;
        oldInt = std::signal(SIGINT, restoreAndStop);
        oldTerm = std::signal(SIGTERM, restoreAndStop);
        oldHup = std::signal(SIGHUP, restoreAndStop);
        termios quiet = old;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(fd, TCSANOW, &quiet);
    }
    (void)!::write(fd, prompt.data(), prompt.size());
    seal::Secret buf(kMaxPassphrase);
    std::size_t n = 0;
    bool ended = false;
    while (n < kMaxPassphrase) {
        char c = 0;
        const ssize_t got = ::read(fd, &c, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || c == '\n') {
            ended = true;
            break;
        }
        buf.data()[n++] = static_cast<unsigned char>(c);
    }
    if (isTerm) {
        ::tcsetattr(fd, TCSANOW, &old);
        gTerminal = -1;
        std::signal(SIGINT, oldInt);
        std::signal(SIGTERM, oldTerm);
        std::signal(SIGHUP, oldHup);
    }
    ::close(fd);
    if (!ended) {
        error = "phrase secrète trop longue (au plus " + std::to_string(kMaxPassphrase) + " caractères)";
        return false;
    }
    out = seal::Secret(n);
    if (n > 0) std::memcpy(out.data(), buf.data(), n);
    return true;
}

bool fromFile(const std::string& path, seal::Secret& out, std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (auto e = recordio::readWhole(path, path, bytes, 64 * 1024)) {
        error = e->message();
        return false;
    }
    std::size_t n = 0;
    while (n < bytes.size() && bytes[n] != '\n') ++n;
    if (n > 0 && bytes[n - 1] == '\r') --n;
    out = seal::Secret(n);
    if (n > 0) std::memcpy(out.data(), bytes.data(), n);
    seal::wipe(bytes);
    return true;
}

bool same(const seal::Secret& a, const seal::Secret& b) {
    return a.size() == b.size() && (a.size() == 0 || std::memcmp(a.data(), b.data(), a.size()) == 0);
}

}  // namespace

bool readPassphrase(const Args& a, const std::string& prompt, bool confirm, seal::Secret& out, int& rc) {
    std::string error;
    seal::Secret got;
    if (const auto file = a.value("phrase-de")) {
        if (!fromFile(*file, got, error)) {
            rc = fileError(error);
            return false;
        }
    } else {
        if (!typed(prompt + " : ", got, error)) {
            rc = usageError(error);
            return false;
        }
        if (confirm && !got.empty()) {
            seal::Secret again;
            if (!typed("Confirmez la phrase secrète : ", again, error)) {
                rc = usageError(error);
                return false;
            }
            if (!same(got, again)) {
                rc = usageError("les deux phrases secrètes diffèrent");
                return false;
            }
        }
    }
    if (got.empty()) {
        rc = usageError("la phrase secrète est vide");
        return false;
    }
    out = std::move(got);
    return true;
}

}  // namespace pelo::cli
