#include "eval/Quality.h"

namespace pelo {

IoStatus qualityLists(const std::string& path, QualityLists& out) {
    out = QualityLists{};
    RecordReader reader;
    if (auto e = reader.open(path)) return e;
    QualityLists lists;
    lists.scanned = reader.count();
    IoStatus err;
    while (const FibRecord* r = reader.next(&err)) {
        switch (r->get(fld::EtatFiche)) {
        case kComplete: lists.complete.push_back(reader.number()); break;
        case kIncomplete: lists.incomplete.push_back(reader.number()); break;
        case kToReview: lists.toReview.push_back(reader.number()); break;
        default: break;  // annulled, or a value no check gives
        }
    }
    reader.close();
    if (err) return err;
    out = std::move(lists);
    return {};
}

}  // namespace pelo
