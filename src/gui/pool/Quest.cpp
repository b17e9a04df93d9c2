#include "pool/Quest.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "pool/Query.h"

namespace pelo {

namespace {

QListWidget* list(QWidget* parent, const char* name, const QString& accessible, int x, int y, int w, int h) {
    auto* l = new QListWidget(parent);
    l->setObjectName(name);
    l->setAccessibleName(accessible);
    l->setGeometry(x, y, w, h);
    return l;
}

void fillComparisons(QListWidget* l) {
    l->clear();
    l->addItems({" =", " >", " <"});
}

}  // namespace

TFQuest::TFQuest(AppContext& ctx, CountryWorkspace& country)
    : Form(ctx, "TFQuest", "QUESTIONS MEDICALES"), country_(country) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setScalable(true);
    setFixedSize(560, 380);

    addLabel("Label1", "Variables", 16, 8, 200, 20);
    LVar = list(this, "LVar", "Variables", 16, 30, 200, 300);
    addLabel("Label2", "Valeurs", 232, 8, 150, 20);
    LVal = list(this, "LVal", "Valeurs", 232, 30, 150, 150);
    Sauf = new QCheckBox("Sauf", this);
    Sauf->setObjectName("Sauf");
    Sauf->setAccessibleName("Sauf");
    Sauf->setGeometry(232, 186, 100, 22);

    // A comparison from y down: its caption and operator list, then its value's caption and edit.
    auto comparison = [this](int n, int y, const QString& caption, const char* listName, const QString& listAccessible,
                             const char* editName, const QString& editAccessible, QListWidget*& ops,
                             QLineEdit*& value) {
        addLabel(QString("Label%1").arg(n), caption, 398, y, 140, 20);
        ops = list(this, listName, listAccessible, 398, y + 22, 60, 64);
        addLabel(QString("Label%1").arg(n + 1), QString::fromUtf8("Valeur numérique"), 398, y + 92, 140, 20);
        value = addEdit(editName, editAccessible, 398, y + 114, 140, 26);
    };
    comparison(3, 8, "Comparaison", "LCmp", "Comparaison", "EValeur", QString::fromUtf8("Valeur numérique"), LCmp,
               EValeur);

    Rel = new QGroupBox("Rel", this);
    Rel->setObjectName("Rel");
    Rel->setAccessibleName("Relation");
    Rel->setGeometry(232, 216, 150, 60);
    Et = new QRadioButton("ET  ", Rel);
    Et->setObjectName("Et");
    Et->setAccessibleName("Et");
    Et->setGeometry(10, 26, 60, 24);
    Ou = new QRadioButton("OU  ", Rel);
    Ou->setObjectName("Ou");
    Ou->setAccessibleName("Ou");
    Ou->setGeometry(80, 26, 60, 24);

    comparison(5, 160, "Comparaison 2", "LCmp2", "Seconde comparaison", "EValeur2",
               QString::fromUtf8("Seconde valeur numérique"), LCmp2, EValeur2);

    Button1 = addButton("Button1", "Valider", 430, 330, 108, 34);
    Button1->setDefault(true);
    // Annuler, like Escape, closes without a selection being made.
    Button2 = addButton("Button2", "Annuler", 312, 330, 108, 34);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    connect(LVar, &QListWidget::currentRowChanged, this, [this](int) { LVarClick(); });
    connect(LVal, &QListWidget::currentRowChanged, this, [this](int) { LValClick(); });
    connect(Sauf, &QCheckBox::clicked, this, &TFQuest::SaufClick);
    connect(LCmp, &QListWidget::currentRowChanged, this, [this](int) { LCmpClick(); });
    connect(LCmp2, &QListWidget::currentRowChanged, this, [this](int) { LCmp2Click(); });
    connect(Et, &QRadioButton::clicked, this, &TFQuest::EtClick);
    connect(Ou, &QRadioButton::clicked, this, &TFQuest::OuClick);
    connect(Button1, &QPushButton::clicked, this, &TFQuest::Button1Click);

    setTabChain({LVar, LVal, Sauf, LCmp, EValeur, Et, Ou, LCmp2, EValeur2, Button1, Button2});
}

void TFQuest::prepare() {
    const QSignalBlocker b1(LVar), b2(LVal), b3(LCmp), b4(LCmp2);
    LVar->clear();
    for (const auto& v : pool::queryVariables()) LVar->addItem(QString::fromUtf8(v.label));
    LVal->clear();
    LCmp->clear();
    LCmp2->clear();
    EValeur->clear();
    EValeur2->clear();
    Sauf->setChecked(false);
    Rel->setEnabled(true);
    for (QRadioButton* r : {Et, Ou}) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
    country_.Query.resetValues();
    LVar->setFocus();
}

void TFQuest::LVarClick() {
    const int row = LVar->currentRow();
    if (row < 0 || row >= pool::kQueryVariableCount) return;
    auto& c = country_.Query;
    c.variable = std::uint16_t(row + 1);
    const pool::QueryVariable& v = pool::queryVariables()[std::size_t(row)];
    const QSignalBlocker b1(LVal), b2(LCmp), b3(LCmp2);
    Sauf->setChecked(false);
    c.op1 = pool::kEqual;
    EValeur->clear();
    LCmp->clear();
    c.op2 = pool::kEqual;
    EValeur2->clear();
    LCmp2->clear();
    LVal->clear();
    const bool isList = v.kind == pool::VarKind::List;
    LVal->setEnabled(isList);
    EValeur->setEnabled(!isList);
    EValeur2->setEnabled(!isList);
    if (isList) {
        for (const char* value : v.values) LVal->addItem(QString::fromUtf8(value));
    } else {
        fillComparisons(LCmp);
        fillComparisons(LCmp2);
    }
}

void TFQuest::LValClick() {
    if (LVal->currentRow() >= 0) country_.Query.value1 = LVal->currentRow() + 1;
}

void TFQuest::SaufClick() { country_.Query.op1 = Sauf->isChecked() ? pool::kSauf : pool::kEqual; }

void TFQuest::LCmpClick() {
    if (LCmp->currentRow() >= 0) country_.Query.op1 = std::uint16_t(LCmp->currentRow() + 2);
}

void TFQuest::LCmp2Click() {
    if (LCmp2->currentRow() >= 0) country_.Query.op2 = std::uint16_t(LCmp2->currentRow() + 2);
}

void TFQuest::EtClick() { country_.Query.relation = pool::kAnd; }

void TFQuest::OuClick() { country_.Query.relation = pool::kOr; }

void TFQuest::Button1Click() {
    // The variable kept from an earlier query is not a choice made in this one,
    // nor the first of the list made current by the focus alone.
    if (LVar->currentRow() < 0 || LVar->selectedItems().isEmpty()) {
        ui().warning(QString::fromUtf8("Choisissez une variable dans la liste avant de valider."));
        LVar->setFocus();
        return;
    }
    // Both values are read before either is stored: a wrong one changes nothing.
    std::optional<pool::QueryValue> v1, v2;
    for (auto [edit, out] : {std::pair{EValeur, &v1}, std::pair{EValeur2, &v2}}) {
        if (edit->text().trimmed().isEmpty()) continue;
        *out = pool::parseQueryValue(edit->text().toStdString());
        if (!*out) {
            ui().error(QString::fromUtf8(pool::kBadQueryValue));
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    auto& c = country_.Query;
    if (v1) {
        c.real1 = v1->real;
        c.value1 = v1->rounded;
    }
    if (v2) {
        c.real2 = v2->real;
        c.value2 = v2->rounded;
    }
    accept();
}

}  // namespace pelo
