#pragma once
// Country synthesis window: the collection of the centres' files into a
// pooled file, the pooled synthesis, sub-collections through the query
// dialog, and the groups of centres. Every file is named without a folder and
// found in the working folder the user picks here. The coordinator's key pair
// is created here too; the collection opens the centres' sealed files with it.

#include <string>

#include "ui/Form.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace pelo {

class TFSynt2 : public Form {
    Q_OBJECT
public:
    TFSynt2(AppContext& ctx, CountryWorkspace& country);

    void BitBtn2Click();  // collection
    void BitBtn3Click();  // pooled synthesis
    void BitBtn4Click();  // sub-collection
    void BitBtn5Click();  // declaration of groups
    void BitBtn6Click();  // partial syntheses by group
    void BExportClick();  // every FIB of a pooled file for the statisticians
    void DirectoryListBox1Click();
    void BComparaisonClick();  // comparison of the centres
    // The reference year shown: the one the user chose, or the year of most
    // sheets of the pooled file named last (1997 without it).
    void showYear();
    // The year the pooled synthesis and the comparison of `poolName` use.
    std::int32_t referenceYear(const std::string& poolName);
    void BCleClick();  // the coordinator's key pair created in the working folder

    // The working folder as the core's file functions take it.
    const std::string& folder() const { return country_.where(); }

    QLabel* Panel1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;
    QPushButton* BitBtn6;
    QPushButton* BExport;
    QPushButton* DirectoryListBox1;
    QPushButton* BCle;
    QLabel* LDossier;
    QLabel* LAnnee;
    QSpinBox* EAnnee;
    QLabel* LProposition;
    QPushButton* BComparaison;

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Asks the pooled file's name; empty when cancelled or refused.
    std::string askPoolName();
    // A name the user typed is a plain name; otherwise says so and returns false.
    bool plainName(const std::string& name);
    void showFolder();

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
