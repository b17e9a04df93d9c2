#pragma once
// "À propos": the version, the licence, where the files are and the keys
// that matter.

#include "ui/Form.h"

class QLabel;
class QPushButton;

namespace pelo {

class TFApropos : public Form {
    Q_OBJECT
public:
    explicit TFApropos(AppContext& ctx);

    // Rereads the working folder and the settings file into the text.
    void refresh();

    QLabel* LTexte;
    QPushButton* BFin;
};

}  // namespace pelo
