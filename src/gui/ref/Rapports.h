#pragma once
// "Rapports des centres": the feedback report of one centre, or of every
// centre of the stored synthesis shown, as a PDF each in a chosen folder,
// with a progress bar and "Annuler".

#include <QString>

#include "ui/Form.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace pelo {

class TFRapports : public Form {
    Q_OBJECT
public:
    TFRapports(AppContext& ctx, CountryWorkspace& country);

    void Activate();  // reads the current stored synthesis's centres
    void BDossierClick();
    void BCreerClick();

    const QString& folder() const { return folder_; }

    QLabel* LSynthese;
    QRadioButton* RUn;
    QComboBox* CCentre;
    QRadioButton* RTous;
    QLabel* LDossier;
    QPushButton* BDossier;
    QPushButton* BCreer;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QString folder_;

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
