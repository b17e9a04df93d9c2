// A record file (FIB.DAT): its header, the synthesis, the objectives and the
// checks of every FIB, as the evaluation and fibtool controle read them.
#include "FuzzFolder.h"
#include "entry/CallUp.h"
#include "eval/Synthesis.h"
#include "formats/RecordFile.h"
#include "store/Units.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelo;
    fuzz::writeFile("FIB.DAT", data, size);
    const std::string path = fuzz::folder() + "/FIB.DAT";
    CentreHeader h;
    if (recordfile::readHeader(path, h)) return 0;
    for (int filter = 0; filter <= 2; ++filter) {
        eval::SynthesisResult r;
        if (eval::runCentreSynthesis(path, filter, 2026, r)) break;
        (void)eval::synthesisLines(r);
        eval::ObjectivesGrid g;
        eval::writeObjectiveHeadings(g);
        eval::writeObjectiveResults(r, g);
    }
    RecordReader reader;
    if (reader.open(path)) return 0;
    checks::Context ctx;
    ctx.currentYear = 2026;
    ctx.readPage2Entries = true;
    ctx.units = units::fromHeader(reader.header());
    IoStatus err;
    int n = 0;
    while (const FibRecord* fib = reader.next(&err)) {
        (void)checks::controlLine(reader.number(), checks::checkAsSaved(*fib, ctx));
        (void)fib->date();
        if (++n == 64) break;
    }
    return 0;
}
