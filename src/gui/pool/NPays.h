#pragma once
// The two name dialogs of the country synthesis: the pooled file's name
// (TFNPays) and a sub-collection's name (TFNScoll). The caller proposes a
// default, which empties the name typed; OK keeps the text typed, Cancel
// leaves the name empty.

#include <string>

#include "ui/Form.h"

class QLineEdit;
class QPushButton;

namespace pelo {

class NameDialog : public Form {
    Q_OBJECT
public:
    NameDialog(AppContext& ctx, const QString& className, const QString& caption, const QString& text);
    // Empties the name typed and puts the proposed name into NomP.
    void propose(const QString& name);
    // What OK took from NomP, trimmed; empty after Cancel.
    const std::string& typed() const { return typed_; }
    void OKBtnClick();
    void CancelBtnClick();

    QLineEdit* NomP;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    std::string typed_;
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
