#pragma once
// Reference menu: the stored syntheses of earlier campaigns, of sub-populations
// and of other countries, each opening the records-per-centre screen; any
// other synthesis by name; the comparison table of three references.

#include <array>

#include "ref/References.h"
#include "ui/Form.h"

class QLabel;
class QPushButton;

namespace pelo {

class TFVisi97 : public Form {
    Q_OBJECT
public:
    TFVisi97(AppContext& ctx, CountryWorkspace& country);

    // A reference button: its synthesis becomes the current one, then TFVis97.
    void ReferenceClick(int i);
    void Button1Click();  // "Autres Synthèses"
    void BComparClick();
    void BEvolClick();  // the bands across several campaigns
    void BitBtn1Click();
    void BDossierClick();  // "Changer de dossier…"

    std::array<QPushButton*, ref::kReferenceCount> Buttons{};
    QPushButton* Button1;
    QPushButton* BCompar;
    QPushButton* BEvol;
    QPushButton* BitBtn1;
    QPushButton* BDossier;
    QLabel* LDossier;
    std::array<QLabel*, 12> Panels{};

protected:
    void showEvent(QShowEvent* e) override;

private:
    void showFolder();

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
