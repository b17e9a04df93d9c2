#pragma once
// Name of a stored synthesis to open: "Synthèse ", the stored syntheses of
// the working folder to choose from, and the edit NomP for any other name.

#include <string>

#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace pelo {

class TFNSynth : public Form {
    Q_OBJECT
public:
    TFNSynth(AppContext& ctx, CountryWorkspace& country);
    // Lists the stored syntheses of the working folder and proposes a name:
    // the listed one of the same name whatever its case, else the first listed,
    // else the name given.
    void prepare(const std::string& proposed);

    QLabel* LDossier;
    QListWidget* LSynth;
    QLineEdit* NomP;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
