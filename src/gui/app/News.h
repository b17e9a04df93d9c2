#pragma once
// News screen: the St-Vincent recommendations, the committee, the sponsors
// and the European network, each a text page.

#include "ui/Form.h"

class QLabel;
class QPushButton;

namespace pelo {

class TFNews : public Form {
    Q_OBJECT
public:
    explicit TFNews(AppContext& ctx);

    void Button4Click();
    void Button3Click();
    void Button2Click();
    void Button1Click();
    void BFinClick();

    QPushButton* Button4;
    QPushButton* Button3;
    QPushButton* Button2;
    QPushButton* Button1;
    QPushButton* BFin;

private:
    QLabel* Panel1;
};

}  // namespace pelo
