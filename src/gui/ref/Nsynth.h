#pragma once
// Name of a stored synthesis to open: "Synthèse ", prompt and edit NomP.

#include "ui/Form.h"

class QLineEdit;
class QPushButton;

namespace pelo {

class TFNSynth : public Form {
    Q_OBJECT
public:
    explicit TFNSynth(AppContext& ctx);
    QLineEdit* NomP;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

}  // namespace pelo
