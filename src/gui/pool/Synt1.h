#pragma once
// Title page of the country synthesis: "SUITE " sets the reference year of
// the pooled synthesis to 1997 and opens the country synthesis window.

#include "ui/Form.h"

class QLabel;
class QPushButton;

namespace pelo {

class TForm1 : public Form {
    Q_OBJECT
public:
    TForm1(AppContext& ctx, CountryWorkspace& country);

    void BitBtn2Click();

    QLabel* Panel1;
    QLabel* Image1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
