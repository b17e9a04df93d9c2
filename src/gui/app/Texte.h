#pragma once
// Text pages of general information (history, St-Vincent recommendations,
// committee, sponsors, European network): full-screen, shown without
// blocking, a read-only text under the "PELORAMIX" banner and "Retour".

#include "ui/Form.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace pelo {

class TextPage : public Form {
    Q_OBJECT
public:
    TextPage(AppContext& ctx, int page);

    QString text() const;
    void BitBtn1Click();

    QLabel* Panel1;
    QLabel* Label1;
    QPlainTextEdit* Memo1;
    QPushButton* BitBtn1;
};

#define PELO_TEXT_PAGE(N) \
    class TTTexte##N : public TextPage { \
    public: \
        explicit TTTexte##N(AppContext& ctx) : TextPage(ctx, N) {} \
    };
PELO_TEXT_PAGE(3)
PELO_TEXT_PAGE(4)
PELO_TEXT_PAGE(5)
PELO_TEXT_PAGE(6)
PELO_TEXT_PAGE(7)
#undef PELO_TEXT_PAGE

}  // namespace pelo
