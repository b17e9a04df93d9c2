#pragma once
// Centre menu: entry of FIBs after the centre's identification ("SAISIE"),
// evaluation, entry training on the practice file, the text pages, backup.

#include "ui/Form.h"

class QLabel;
class QPushButton;

namespace pelo {

class TTMenu2 : public Form {
    Q_OBJECT
public:
    TTMenu2(AppContext& ctx, CentreSession& session, EvaluationState& evaluation);

    void Button2Click();  // SAISIE
    void Button1Click();  // EVALUATION
    void Button6Click();  // Entraînement Saisie
    void Button3Click();  // HISTORIQUE
    void Button4Click();  // NEWS
    void Button5Click();  // Sauvegarde / Echanges
    void BFinClick();

    // Asks for whatever identification is still missing, writing record 0 of
    // the current file after each choice; false when a file action failed.
    bool identify();

private:
    QLabel* Panel1;
    QLabel* Label1;
    QPushButton* Button2;
    QPushButton* Button1;
    QPushButton* Button6;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* BFin;

private:
    CentreSession& session_;
    EvaluationState& evaluation_;
};

}  // namespace pelo
