#pragma once
// The query dialog: one variable, a value or a comparison, and an optional
// second comparison joined by ET or OU. Its handlers write the criterion of
// the run; "Valider" reads the typed values and closes.

#include "ui/Form.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace pelo {

class TFQuest : public Form {
    Q_OBJECT
public:
    TFQuest(AppContext& ctx, CountryWorkspace& country);

    // Before each showing: the 40 variables listed, everything else cleared,
    // the criterion's values and operators reset (the variable stays).
    void prepare();

    void LVarClick();
    void LValClick();
    void SaufClick();
    void LCmpClick();
    void LCmp2Click();
    void EtClick();
    void OuClick();
    void Button1Click();

    QListWidget* LVar;
    QListWidget* LVal;
    QCheckBox* Sauf;
    QListWidget* LCmp;
    QLineEdit* EValeur;
    QGroupBox* Rel;
    QRadioButton* Et;
    QRadioButton* Ou;
    QListWidget* LCmp2;
    QLineEdit* EValeur2;
    QPushButton* Button1;
    QPushButton* Button2;  // Annuler

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
