#pragma once
// The centres outside their limits, band by band, for the stored synthesis
// shown: a click on a line hands that band and centre back to the caller,
// which draws the band's funnel with the centre chosen.

#include <optional>
#include <vector>

#include "ref/Funnel.h"
#include "ui/Form.h"
#include "ui/Navigation.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace pelo {

class TFAlertes : public Form {
    Q_OBJECT
public:
    TFAlertes(AppContext& ctx, CountryWorkspace& country);

    void Activate();  // reads the current stored synthesis and fills the list
    void Fill();      // the list for the limits chosen
    void LAlertesClick();

    std::optional<AlertChoice> chosen() const { return chosen_; }
    const std::vector<AlertChoice>& shown() const { return shown_; }

    QRadioButton* R998;
    QRadioButton* R95;
    QListWidget* LAlertes;
    QLabel* LResume;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    std::vector<ref::Funnel> bands_;
    std::vector<AlertChoice> shown_;
    std::optional<AlertChoice> chosen_;

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
