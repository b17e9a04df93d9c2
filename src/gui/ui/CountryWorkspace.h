#pragma once
// What the country and reference screens share: the working folder the user
// picked (one choice for the run, shared by the country synthesis, the
// reference screens and their printouts and exports), the stored synthesis
// shown with the centre chosen on it and the variability charts' mode, the
// pooled file, the reference year and the query's criterion.

#include <QString>
#include <cstdint>
#include <string>

#include "pool/PoolSynthesis.h"
#include "pool/Query.h"
#include "pool/VariabilityCharts.h"
#include "ref/WorkFolder.h"
#include "store/IoError.h"

namespace pelo {
namespace ref {
struct StoredSynthesis;
}

class CountryWorkspace {
public:
    // The working folder; none chosen is the current folder.
    const ref::WorkFolder& folder() const { return folder_; }
    // The folder as the core's file functions take it.
    const std::string& where() const { return folder_.folder(); }
    void chooseFolder(const QString& chosen) { folder_ = ref::WorkFolder(chosen.toStdString()); }
    // A file of the folder, for the core's functions that take a path.
    std::string pathOf(const std::string& name) const { return folder_.pathOf(name); }
    // The folder and a file of it as the user sees them.
    QString shown() const;
    QString shownPathOf(const QString& name) const;
    // A file error with the folder it was looked for in.
    QString errorText(const IoError& e) const;
    QString errorText(const QString& messages) const;
    // Reads a stored synthesis of the folder; the chosen one.
    IoStatus openStored(const std::string& name, ref::StoredSynthesis& out) const;
    IoStatus openChosen(ref::StoredSynthesis& out) const { return openStored(StoredSynthesis, out); }

    // The stored synthesis shown by the reference screens, and its title.
    std::string StoredSynthesis;  // index file ("SynFr97.Atx")
    std::string StoredTitle;
    void chooseSynthesis(const std::string& file, const std::string& title) {
        StoredSynthesis = file;
        StoredTitle = title;
    }
    // The centre chosen on the records-per-centre chart and its count there.
    std::int32_t ChosenCentre = 0;  // 0: none
    std::int32_t ChosenCentreCount = -1;
    void chooseCentre(std::int32_t centre, std::int32_t count) {
        ChosenCentre = centre;
        ChosenCentreCount = count;
    }
    void forgetCentre() { chooseCentre(0, -1); }
    // The variability window: one chart or two, which half comes next.
    pool::VariabilityChartMode chartMode;
    bool ComparisonEnabled = false;  // the comparison table fills itself

    // Country synthesis: the pooled file named last, the reference year of
    // the pooled synthesis and the criterion of the query dialog.
    std::string pooledFile;
    std::int32_t AnneeReference = 0;
    std::int32_t referenceYear() const { return AnneeReference > 0 ? AnneeReference : pool::kDefaultReferenceYear; }
    pool::Criterion Query;

private:
    ref::WorkFolder folder_;
};

}  // namespace pelo
