#include "eval/Qual.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "eval/LineList.h"
#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }

void paint(QWidget* w, const QColor& bg, const QColor& fg = Qt::black) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, bg);
    pal.setColor(QPalette::Window, bg);
    pal.setColor(QPalette::Text, fg);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void whiteText(QLabel* l) {
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
}

const QColor kAqua(0, 255, 255), kOrange(255, 159, 64), kRed(255, 0, 0), kOlive(128, 128, 0), kGreyish(192, 192, 192);
}  // namespace

TFQual::TFQual(AppContext& ctx, CentreSession& session)
    : Form(ctx, "TFQual", u("Qualité des fiches")), session_(session) {
    setFullScreenNavy();

    auto* Label7 = addLabel("Label7", u(" Listes des numéros de fiches "), 20, 12, 330, 26);
    look::boldFont(Label7, 12);
    whiteText(Label7);

    // Heads of the three lists, one label as on the sheet, each list below its word.
    auto* Label5 = addLabel("Label5", u(" complètes       incomplètes       à réviser "), 20, 44, 330, 20);
    Label5->setVisible(false);
    const char* heads[] = {"complètes", "incomplètes", "à réviser"};
    for (int i = 0; i < 3; ++i) {
        auto* h = addLabel(QString("Label5_%1").arg(i), u(heads[i]), 20 + i * 110, 44, 100, 20);
        h->setAlignment(Qt::AlignCenter);
        whiteText(h);
    }

    auto makeList = [this](const char* name, int x, const QColor& c, const char* acc) {
        auto* l = new LineList(this);
        l->setObjectName(name);
        l->setGeometry(x, 66, 100, 330);
        paint(l, c);
        l->setAccessibleName(u(acc));
        return l;
    };
    LVal = makeList("LVal", 20, kAqua, "Fiches complètes");
    LSus = makeList("LSus", 130, kOrange, "Fiches incomplètes");
    LInc = makeList("LInc", 240, kRed, "Fiches à réviser");
    // A click calls the FIB up; Enter does the same from the keyboard.
    connect(LVal, &LineList::rowActivated, this, &TFQual::LValClick);
    connect(LSus, &LineList::rowActivated, this, &TFQual::LSusClick);
    connect(LInc, &LineList::rowActivated, this, &TFQual::LIncClick);

    auto countRow = [this](const char* lname, const char* text, const char* ename, int y, const QColor& c) {
        auto* l = addLabel(lname, u(text), 370, y, 190, 24);
        whiteText(l);
        auto* e = new QLineEdit(this);
        e->setObjectName(ename);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::ClickFocus);  // the Tab chain goes from list to list, then to "Retour"
        e->setGeometry(565, y, 55, 24);
        e->setAlignment(Qt::AlignRight);
        e->setAccessibleName(u(text).remove(':').trimmed());
        paint(e, c, c == kOlive ? Qt::white : Qt::black);
        return e;
    };
    Edit5 = countRow("Label6", "Nbr total de fiches saisies :", "Edit5", 80, kOlive);
    Edit1 = countRow("Label1", "Nbr de fiches complètes :", "Edit1", 130, kAqua);
    Edit3 = countRow("Label3", "Nbr de fiches incomplètes :", "Edit3", 170, kOrange);
    Edit2 = countRow("Label2", "Nbr de fiches incorrectes :", "Edit2", 210, kRed);
    // Shown only when the three counts leave sheets out of the total: those annulled.
    EditAnnul = countRow("LabelAnnul", "Nbr de fiches annulées :", "EditAnnul", 250, kGreyish);
    findChild<QLabel*>("LabelAnnul")->hide();
    EditAnnul->hide();

    auto* Label4 =
        addLabel("Label4", u("-- Clicquez sur un numéro pour voir la fiche et la corriger "), 20, 404, 600, 22);
    whiteText(Label4);

    auto* BitBtn1 = addButton("BitBtn1", "Retour", 490, 430, 120, 32);
    connect(BitBtn1, &QPushButton::clicked, this, &TFQual::BitBtn1Click);
    setTabChain({LVal, LSus, LInc, BitBtn1});
}

void TFQual::fill(const QualityLists& q) {
    auto put = [](LineList* l, const std::vector<std::uint32_t>& nums) { l->setContents({}, nums); };
    put(LVal, q.complete);
    put(LSus, q.incomplete);
    put(LInc, q.toReview);
    Edit1->setText(QString::number(q.complete.size()));
    Edit2->setText(QString::number(q.toReview.size()));
    Edit3->setText(QString::number(q.incomplete.size()));
    Edit5->setText(QString::number(q.scanned));
    const std::size_t listed = q.complete.size() + q.incomplete.size() + q.toReview.size();
    const bool annulled = q.scanned > listed;
    EditAnnul->setText(annulled ? QString::number(q.scanned - listed) : QString());
    EditAnnul->setVisible(annulled);
    findChild<QLabel*>("LabelAnnul")->setVisible(annulled);
}

bool TFQual::review() {
    CentreSession& s = session_;
    QualityLists q;
    if (auto e = qualityLists(s.CurrentFile, q)) {
        ioError(*e);
        return false;
    }
    // The count scanned is the count to come back to after a correction.
    s.CurrentFib = static_cast<std::uint16_t>(q.scanned);
    s.SavedFibCount = s.CurrentFib;
    fill(q);
    ui().showModal(this);
    return true;
}

void TFQual::callUp(LineList* list) {
    if (list->currentRow() < 0) return;
    bool ok = false;
    const int n = list->text(list->currentRow()).toInt(&ok);
    if (!ok) return;
    session_.CurrentFib = static_cast<std::uint16_t>(n);
    nav().entry().callUpFib();
}

void TFQual::LValClick() { callUp(LVal); }
void TFQual::LSusClick() { callUp(LSus); }
void TFQual::LIncClick() { callUp(LInc); }
void TFQual::BitBtn1Click() { done(QDialog::Accepted); }

}  // namespace pelo
