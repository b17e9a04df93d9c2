#pragma once
// Small helpers shared by the fibtool commands.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace pelo::cli {

enum Exit { kOk = 0, kFileError = 1, kUsage = 2, kNothingSelected = 3 };

// Arguments of one command: positional words and --options.
struct Args {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // name without "--", value ("" for flags)
    bool has(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;
};

// Splits argv; the options named in withValue take the next word.
// Returns false with *error set on an unknown option or a missing value.
bool parseArgs(const std::vector<std::string>& words, const std::vector<std::string>& withValue,
               const std::vector<std::string>& flags, Args& out, std::string* error);

// A whole decimal number in [lo, hi].
std::optional<long> parseLong(const std::string& text, long lo, long hi);

int usageError(const std::string& message);
int fileError(const std::string& message);

// --centre C, a centre number from 1 to 998; 0 without the option. False with rc set to the usage error.
bool centreOption(const Args& a, std::int32_t& centre, int& rc);
// --ligne L, a band line of the variability list, which `command` requires. False with rc set to the
// usage error.
bool bandLineOption(const Args& a, const std::string& command, int& line, int& rc);

// --annee-ref AAAA, or without it the year of most sheets of the pooled file
// of the working folder. False with rc set to the usage or file error.
bool referenceYearOption(const Args& a, const std::string& pool, std::int32_t& year, int& rc);

// A record file named on the command line (a path is allowed): not empty, not
// "-", no control character. False with rc set to the usage error otherwise.
// A partial record at its end is told on stderr (the readers ignore it)
// unless tellPartialRecord is false.
bool acceptedPath(const std::string& path, int& rc, bool tellPartialRecord = true);

// A file that a command writes beside its main output (an export's codebook):
// accepted as acceptedPath, and never a centre's own file nor the file read.
// False with rc set to the usage error otherwise.
bool acceptedOutput(const std::string& output, const std::string& input, int& rc);

}  // namespace pelo::cli
