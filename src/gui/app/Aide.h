#pragma once
// Help pages, one per section of the FIB, opened modally from the help
// buttons of the two entry pages: a read-only text opening with the colour
// legend of the check bands, and "Retour".

#include "ui/Form.h"

class QPushButton;
class QTextEdit;

namespace pelo {

class HelpPage : public Form {
    Q_OBJECT
public:
    HelpPage(AppContext& ctx, int page);

    int page() const { return page_; }
    QString text() const;
    void Button1Click();

    QTextEdit* Memo1;
    QPushButton* Button1;

private:
    int page_;
};

#define PELO_HELP_PAGE(N) \
    class TTAide##N : public HelpPage { \
    public: \
        explicit TTAide##N(AppContext& ctx) : HelpPage(ctx, N) {} \
    };
PELO_HELP_PAGE(1)
PELO_HELP_PAGE(2)
PELO_HELP_PAGE(3)
PELO_HELP_PAGE(4)
PELO_HELP_PAGE(5)
PELO_HELP_PAGE(6)
PELO_HELP_PAGE(7)
PELO_HELP_PAGE(8)
PELO_HELP_PAGE(10)
PELO_HELP_PAGE(11)
PELO_HELP_PAGE(12)
PELO_HELP_PAGE(13)
PELO_HELP_PAGE(14)
#undef PELO_HELP_PAGE

// The help page of that number (1 to 8, 10 to 14), or nullptr.
HelpPage* helpPage(const Forms& forms, int page);

}  // namespace pelo
