#pragma once
// Main window: the banner, the picture and the buttons that open the centre,
// the country level and the references, and the two preferences of the run.

#include "ui/Form.h"

class QLabel;
class QPushButton;

namespace pelo {

class TTMenu1 : public Form {
    Q_OBJECT
public:
    TTMenu1(AppContext& ctx, CentreSession& session);

    void Initial();
    void MENUClick();
    void Button2Click();
    void Button3Click();
    void BPaysClick();
    void BRefClick();
    void FinClick();
    void BDossierClick();
    void BAproposClick();

protected:
    void reject() override;  // Escape does not close the program
    // « FERMER », Alt+F4 and the window manager's close end the program.
    void closeEvent(QCloseEvent* e) override;

private:
    QLabel* Panel1;
    QLabel* Image2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* MENU;
    QPushButton* Fin;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* BPays;
    QPushButton* BRef;
    QPushButton* BDossier;
    QPushButton* BApropos;

private:
    CentreSession& session_;
};

}  // namespace pelo
