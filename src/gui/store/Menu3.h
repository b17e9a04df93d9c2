#pragma once
// Record menu: the centre's identification and units at the top, and the
// buttons that create a FIB, call one up and list the FIBs by state.

#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace pelo {

class TTMenu3 : public Form {
    Q_OBJECT
public:
    TTMenu3(AppContext& ctx, CentreSession& session);

    // Shows the identification in effect: region, department code, centre
    // number, number of FIBs, structure of care and the units grid, from the
    // run-wide state (RegionCode, DepartmentCode, CurrentCentre, CurrentFib,
    // StructureCode, UnitCodes).
    void fillIdentification();
    // Centre field alone ("  TEST" in training, the centre number otherwise).
    void setCentreText(const QString& text);
    // Number of FIBs saved in the current file.
    void setFibCount(int count);
    // The practice file's: centre "  TEST" and its number of FIBs (CurrentFib).
    void fillPractice();
    // Empties the region, department, structure and centre fields (an
    // identification declared wrong).
    void clearIdentification();

    void BitBtn1Click();

    // "Création nouvelle fiche": an empty FIB from the header on the entry pages.
    void BCreaClick();
    // "Modification ancienne fiche": a FIB chosen by number, called up.
    void BModifClick();
    // Calls FIB number CurrentFib up on the entry pages (also from the quality
    // and evaluation screens' lists).
    void AppelFib();
    // "Qualité des fiches".
    void Button1Click();
    // "Importer des fiches…": sheets of a CSV or xlsx appended to the file in use.
    void BImportClick();

    QPushButton* BCrea;
    QPushButton* BModif;
    QPushButton* Button1;
    QPushButton* BImport;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QLabel* Panel1;
    QLineEdit* EReg;
    QLineEdit* EDep;
    QLineEdit* Ectr;
    QLineEdit* Efib;
    QLineEdit* ESpe;
    QTableWidget* SUni;

private:
    CentreSession& session_;
};

}  // namespace pelo
