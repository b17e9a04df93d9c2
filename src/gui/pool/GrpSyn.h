#pragma once
// Partial synthesis by group: a group chosen in the grid and a stored
// synthesis named; the list shows, in the variability list's format, the
// country beside the group, whose counters are the sums of its centres'
// records and whose denominator is the sum of their FIB counts.

#include <string>
#include <vector>

#include "formats/GroupFile.h"
#include "ui/Form.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace pelo {

class TFGrpSyn : public Form {
    Q_OBJECT
public:
    explicit TFGrpSyn(AppContext& ctx);

    // Fills the grid with the groups and clears the list.
    void load(const std::string& folder, const std::vector<pool::GroupeRecord>& groups);

    void BSynthClick();
    // Prints the list as the variability list is printed.
    void BImpClick();

    QTableWidget* SGroupe;
    QLineEdit* ESynth;
    QListWidget* LVar;
    QPushButton* BSynth;
    QPushButton* BImp;
    QPushButton* BitBtn1;

private:
    std::string folder_;
    std::vector<pool::GroupeRecord> groups_;
    std::vector<std::string> lines_;
    std::string printName_;  // "Groupe-3-Nord": names the printout
};

}  // namespace pelo
