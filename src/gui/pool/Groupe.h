#pragma once
// Declaration of the groups of centres: a grid of number, name and centres
// ("1,2,34;") where groups are added, changed and deleted, checked and saved
// to GROUPE.DAT with "Enregistrer".

#include <string>
#include <vector>

#include "formats/GroupFile.h"
#include "ui/Form.h"

class QPushButton;
class QTableWidget;

namespace pelo {

class TFGroupe : public Form {
    Q_OBJECT
public:
    explicit TFGroupe(AppContext& ctx);

    // Fills the grid with the groups of the working folder.
    void load(const std::string& folder, const std::vector<pool::GroupeRecord>& groups);

    void BAjoutClick();
    void BSuppClick();
    void BEnregClick();
    void BitBtn1Click();

    QTableWidget* SGroupe;
    QPushButton* BAjout;
    QPushButton* BSupp;
    QPushButton* BEnreg;
    QPushButton* BitBtn1;

private:
    std::string folder_;
    bool changed_ = false;
};

}  // namespace pelo
