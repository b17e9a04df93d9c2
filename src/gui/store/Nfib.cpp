#include "store/Nfib.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "store/FibChoice.h"
#include "ui/Look.h"

namespace pelo {

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
}  // namespace

TNfibDlg::TNfibDlg(AppContext& ctx) : Form(ctx, "TNfibDlg", "Choix FIB") {
    setFixedSize(330, 170);
    setScalable(true);  // as large as the forms it opens over

    // The bounds on either side of the scroll bar, out of the keyboard's way.
    auto bound = [this](const char* name, const char* accessible, int x) {
        QLineEdit* e = addEdit(name, u(accessible), x, 20, 50, 24);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setAlignment(Qt::AlignCenter);
        return e;
    };
    Edit1 = bound("Edit1", "Premier numéro", 10);
    Edit1->setText("1");

    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar1->setObjectName("ScrollBar1");
    ScrollBar1->setMinimum(1);
    ScrollBar1->setMaximum(1);
    ScrollBar1->setGeometry(65, 22, 200, 20);
    ScrollBar1->setAccessibleName(u("Numéro de fiche"));

    Edit2 = bound("Edit2", "Dernier numéro", 270);

    auto* lab = addLabel("Label1", u("ou Saisir No FIB :"), 60, 66, 130, 24);
    NEdit = addEdit("NEdit", u("Numéro de fiche à saisir"), 195, 66, 70, 24);
    NEdit->setMaxLength(5);
    look::setBase(NEdit, look::kAqua);
    lab->setBuddy(NEdit);

    OKBtn = addButton("OKBtn", "OK", 60, 120, 90, 30);
    CancelBtn = addButton("CancelBtn", "Annuler", 180, 120, 90, 30);
    OKBtn->setDefault(true);
    OKBtn->setAutoDefault(true);

    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TNfibDlg::ScrollBar1Change);
    connect(OKBtn, &QPushButton::clicked, this, &TNfibDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TNfibDlg::CancelBtnClick);
    setTabChain({ScrollBar1, NEdit, OKBtn, CancelBtn});
}

void TNfibDlg::prepare(std::uint16_t count) {
    count_ = count;
    chosen_ = 0;
    setResult(QDialog::Rejected);
    const QSignalBlocker block(ScrollBar1);
    ScrollBar1->setMaximum(std::max<int>(1, count));
    ScrollBar1->setValue(1);
    Edit2->setText(QString::number(count));
    NEdit->setText("1");
    NEdit->selectAll();
    NEdit->setFocus();
}

void TNfibDlg::ScrollBar1Change(int position) { NEdit->setText(QString::number(position)); }

void TNfibDlg::OKBtnClick() {
    const std::uint16_t n = chosenFibNumber(NEdit->text().toStdString(), count_);
    if (n == 0) {
        // The chooser stays open on the wrong number, to be corrected or cancelled.
        ui().error(u("Numéro de fiche incorrect"));
        NEdit->selectAll();
        NEdit->setFocus();
        return;
    }
    chosen_ = n;
    done(QDialog::Accepted);
}

void TNfibDlg::CancelBtnClick() {
    chosen_ = 0;
    done(QDialog::Rejected);
}

}  // namespace pelo
