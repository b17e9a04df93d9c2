#include "eval/Risque.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "eval/Risk.h"
#include "formats/RecordFile.h"
#include "store/Units.h"
#include "ui/Look.h"

namespace pelo {

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }

// Top of each label, in the order of the core's list: the two labels of a pair share a spot.
constexpr int kTops[] = {80, 112, 112, 144, 144, 184, 184, 216, 216, 248, 248, 280, 280, 312, 312, 344, 376};

void colourText(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    w->setPalette(pal);
}
}  // namespace

TFRisque::TFRisque(AppContext& ctx, CentreSession& session)
    : Form(ctx, "TFRisque", u("Facteurs de risques")), session_(session) {
    setFullScreenNavy();

    auto* Label9 = addLabel("Label9", "FACTEURS de RISQUES du PATIENT", 80, 16, 480, 30);
    look::boldFont(Label9, 14);
    Label9->setAlignment(Qt::AlignCenter);
    colourText(Label9, Qt::yellow);

    QFont lf = font();
    lf.setPointSize(11);
    lf.setBold(true);
    const auto defs = risk::riskLabels();
    for (std::size_t i = 0; i < defs.size() && i < std::size(kTops); ++i) {
        const auto& d = defs[i];
        auto* l = addLabel(d.name, u(d.text), 90, kTops[i], 380, 26);
        l->setFont(lf);
        l->setAutoFillBackground(true);
        QPalette lp = l->palette();
        lp.setColor(QPalette::Window, QColor(0, 0, 128));
        lp.setColor(QPalette::WindowText, d.risk ? QColor(255, 0, 0) : QColor(255, 255, 255));
        l->setPalette(lp);
        l->setProperty("risk", d.risk);
        l->setVisible(false);
        labels_.push_back(l);
    }

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName("Gauge1");
    Gauge1->setOrientation(Qt::Vertical);
    Gauge1->setRange(0, 10);
    Gauge1->setValue(0);
    Gauge1->setTextVisible(false);
    Gauge1->setGeometry(510, 80, 40, 320);
    Gauge1->setAccessibleName(u("Nombre de facteurs de risques"));
    Gauge1->setStyleSheet(
        "QProgressBar { background-color: #00ffff; border: 1px solid white; }"
        "QProgressBar::chunk { background-color: #ff0000; }");

    auto* Label18 = addLabel("Label18", u("  FIB n°  "), 470, 420, 70, 24);
    colourText(Label18, Qt::white);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::ClickFocus);  // the keyboard goes between the two buttons
    // Wide enough for any FIB number: a number of more than 3 digits is never cut.
    Edit1->setMaxLength(5);
    Edit1->setGeometry(545, 420, 60, 24);
    Edit1->setAccessibleName(u("Numéro de la fiche"));

    BitBtn1 = addButton("BitBtn1", "Retour", 90, 420, 110, 30);
    BitBtn2 = addButton("BitBtn2", "FIB Suivant", 220, 420, 110, 30);
    BitBtn2->setEnabled(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TFRisque::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFRisque::BitBtn2Click);
    setTabOrder(BitBtn2, BitBtn1);
    BitBtn1->setDefault(true);
}

void TFRisque::fill(const FibRecord& r, const std::array<std::uint16_t, 7>& units, int fibNumber) {
    const risk::RiskProfile p = risk::riskProfile(r, units);
    std::vector<std::string> shown;
    for (const auto& l : p.labels)
        if (l.shown) shown.push_back(l.name);
    showLabels(shown, p.gauge, fibNumber);
}

void TFRisque::showLabels(const std::vector<std::string>& shown, int count, int fibNumber) {
    for (QLabel* l : labels_) {
        const bool on = std::find(shown.begin(), shown.end(), l->objectName().toStdString()) != shown.end();
        l->setVisible(on);
    }
    Gauge1->setValue(std::clamp(count, 0, risk::kGaugeMax));
    Edit1->setText(QString::number(fibNumber));
}

// During the review of all FIBs, Enter goes on to the next FIB; otherwise it closes.
void TFRisque::setReviewing(bool on) {
    BitBtn2->setEnabled(on);
    BitBtn2->setDefault(on);
    BitBtn1->setDefault(!on);
    (on ? BitBtn2 : BitBtn1)->setFocus();
}

void TFRisque::reviewAll() {
    CentreSession& s = session_;
    const std::string file = s.CurrentFile.empty() ? kFibFile : s.CurrentFile;
    CentreHeader h;
    if (auto e = recordfile::readHeader(file, h)) return ioError(*e);
    const auto units = units::fromHeader(h);
    const std::uint16_t c = h.nbFiches();
    s.CurrentFib = c;
    setReviewing(true);
    for (std::uint32_t n = 1; n <= c; ++n) {
        FibRecord r;
        if (auto e = recordfile::readFib(file, n, r)) {
            ioError(*e);
            break;
        }
        s.buffer = r;
        fill(r, units, int(n));
        if (ui().showModal(this) != QDialog::Accepted) break;
    }
    setReviewing(false);
}

void TFRisque::BitBtn1Click() { done(QDialog::Rejected); }

void TFRisque::BitBtn2Click() { done(QDialog::Accepted); }

}  // namespace pelo
