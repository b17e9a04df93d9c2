#include "TermProgress.h"

#include <unistd.h>

#include <chrono>
#include <memory>

namespace pelo::cli {

namespace {

void writeAll(int fd, const std::string& s) {
    std::size_t off = 0;
    while (off < s.size()) {
        const ssize_t n = ::write(fd, s.data() + off, s.size() - off);
        if (n <= 0) return;  // progress is a courtesy: never an error
        off += std::size_t(n);
    }
}

class Line {
public:
    Line(int fd, std::string title) : fd_(fd), title_(std::move(title)) {}
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;
    ~Line() {
        if (shown_) writeAll(fd_, "\r\033[K");
    }
    void tell(std::uint32_t done, std::uint32_t total, const std::string& what) {
        // At most ten lines a second: a terminal is slower than the work.
        const auto now = std::chrono::steady_clock::now();
        if (shown_ && now - last_ < std::chrono::milliseconds(100)) return;
        last_ = now;
        shown_ = true;
        const unsigned pct = total == 0 ? 0 : unsigned(std::uint64_t(done) * 100 / total);
        writeAll(fd_, "\r\033[K" + title_ + " : " + what + " (" + std::to_string(pct) + " %)");
    }

private:
    int fd_;
    std::string title_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace

Progress progressOn(int fd, bool isTerminal, const std::string& title) {
    if (!isTerminal) return {};
    auto line = std::make_shared<Line>(fd, title);
    return [line](std::uint32_t done, std::uint32_t total, const std::string& what) {
        line->tell(done, total, what);
        return true;
    };
}

Progress terminalProgress(const std::string& title) {
    return progressOn(STDERR_FILENO, ::isatty(STDERR_FILENO) == 1, title);
}

}  // namespace pelo::cli
