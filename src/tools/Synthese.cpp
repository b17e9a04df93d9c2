// fibtool synthese and objectifs: the centre synthesis of a record file, as the
// evaluation screen lists it, and the objectives chart that follows it.
#include <cstdio>

#include "Cli.h"
#include "Commands.h"
#include "eval/Synthesis.h"
#include "store/RecordFile.h"

namespace pelo::cli {

namespace {

// Runs the synthesis that both commands print; returns an exit code, kOk when r is filled.
int synthesisOf(const Words& words, const char* command, eval::SynthesisResult& r) {
    Args a;
    std::string err;
    if (!parseArgs(words, {"filtre", "annee"}, {}, a, &err)) return usageError(err);
    if (a.positional.size() != 1) return usageError(std::string(command) + " attend un nom de fichier");
    int filter = 0;
    if (auto v = a.value("filtre")) {
        auto n = parseLong(*v, 0, 2);
        if (!n) return usageError("--filtre attend 0, 1 ou 2");
        filter = int(*n);
    }
    std::int32_t year = currentYear();
    if (auto v = a.value("annee")) {
        auto n = parseLong(*v, 1, 9999);
        if (!n) return usageError("--annee attend une année de 1 à 9999");
        year = std::int32_t(*n);
    }
    const std::string& path = a.positional[0];
    if (int rc = kOk; !acceptedPath(path, rc)) return rc;
    if (auto e = eval::runCentreSynthesis(path, filter, year, r)) return fileError(e->message());
    return r.evaluated == 0 ? kNothingSelected : kOk;
}

}  // namespace

int cmdSynthese(const Words& words) {
    eval::SynthesisResult r;
    if (int rc = synthesisOf(words, "synthese", r); rc != kOk) return rc;
    for (const std::string& line : eval::synthesisLines(r)) std::printf("%s\n", line.c_str());
    return kOk;
}

int cmdObjectifs(const Words& words) {
    eval::SynthesisResult r;
    if (int rc = synthesisOf(words, "objectifs", r); rc != kOk) return rc;
    eval::ObjectivesGrid g;
    eval::writeObjectiveHeadings(g);
    eval::writeObjectiveResults(r, g);
    for (const auto& row : g) std::printf("%s\t%s\t%s\n", row[0].c_str(), row[1].c_str(), row[2].c_str());
    return kOk;
}

}  // namespace pelo::cli
