#pragma once
// The two name dialogs of the country synthesis: the pooled file's name
// (TFNPays, into NomFichierPool) and a sub-collection's name (TFNScoll, into
// NomSousCollection). The caller empties the name and proposes a default;
// OK copies the text typed, Cancel leaves the name empty.

#include <string>

#include "ui/Form.h"

class QLineEdit;
class QPushButton;

namespace pelo {

class NameDialog : public Form {
    Q_OBJECT
public:
    NameDialog(AppContext& ctx, const QString& className, const QString& caption, const QString& text,
               std::string RunState::*target);
    // Empties the run's name and puts the proposed name into NomP.
    void propose(const QString& name);
    void OKBtnClick();
    void CancelBtnClick();

    QLineEdit* NomP;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    std::string RunState::*target_;
};

class TFNPays : public NameDialog {
    Q_OBJECT
public:
    explicit TFNPays(AppContext& ctx);
};

class TFNScoll : public NameDialog {
    Q_OBJECT
public:
    explicit TFNScoll(AppContext& ctx);
};

}  // namespace pelo
