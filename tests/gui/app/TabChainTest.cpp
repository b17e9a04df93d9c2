// Tab runs through a form's controls in the order its constructor chains them.
#include <gtest/gtest.h>

#include "FakeUi.h"
#include "app/Menu1.h"
#include "pool/Quest.h"
#include "ref/Varia.h"

using namespace pelo;
using pelo::test::AppFixture;

namespace {

// The named controls Tab reaches from `first`, as many as `count`.
std::vector<std::string> tabbing(QWidget* form, const char* first, std::size_t count) {
    std::vector<std::string> out;
    QWidget* w = form->findChild<QWidget*>(first);
    for (int i = 0; i < 1000 && w && out.size() < count; ++i, w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
            out.push_back(w->objectName().toStdString());
    return out;
}

}  // namespace

TEST(TabChain, FormsTabInTheirChainedOrder) {
    AppFixture app;
    const std::vector<std::string> menu{"MENU", "BPays", "BRef", "Button2", "Button3", "BDossier", "BApropos", "Fin"};
    EXPECT_EQ(tabbing(app.form<TTMenu1>(), "MENU", menu.size()), menu);
    const std::vector<std::string> quest{"LVar", "LVal",  "Sauf",     "LCmp",    "EValeur", "Et",
                                         "Ou",   "LCmp2", "EValeur2", "Button1", "Button2"};
    EXPECT_EQ(tabbing(app.form<TFQuest>(), "LVar", quest.size()), quest);
    const std::vector<std::string> varia{"LVar",       "BitBtn3",  "BImp",      "BitBtn1",
                                         "BEntonnoir", "BAlertes", "BRapports", "BExport"};
    EXPECT_EQ(tabbing(app.form<TFVaria>(), "LVar", varia.size()), varia);
}
