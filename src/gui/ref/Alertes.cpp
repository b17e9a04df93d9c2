#include "ref/Alertes.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <set>

#include "ref/StoredSynthesis.h"
#include "store/Text.h"
#include "ui/Look.h"

namespace pelo {

namespace {
// The text followed by spaces up to n characters.
std::string pad(std::string text, std::size_t n) {
    const std::size_t len = utf8Length(text);
    if (len < n) text.append(n - len, ' ');
    return text;
}
}  // namespace

TFAlertes::TFAlertes(AppContext& ctx, CountryWorkspace& country)
    : Form(ctx, "TFAlertes", "Alertes"), country_(country) {
    setScalable(true);
    setFixedSize(640, 480);
    look::setBackground(this, look::kGrey);
    auto* banner = addBanner("Titre", QString::fromUtf8("Centres hors des limites"), 0, 0, 640, 40, look::kAqua);
    look::boldFont(banner, 14);

    R998 = new QRadioButton(QString::fromUtf8("Hors des limites à 99,8 %"), this);
    R998->setObjectName("R998");
    R998->setGeometry(12, 48, 220, 24);
    R998->setChecked(true);
    R95 = new QRadioButton(QString::fromUtf8("Hors des limites à 95 %"), this);
    R95->setObjectName("R95");
    R95->setGeometry(240, 48, 220, 24);
    connect(R998, &QRadioButton::toggled, this, [this] { Fill(); });

    LAlertes = new QListWidget(this);
    LAlertes->setObjectName("LAlertes");
    LAlertes->setAccessibleName(QString::fromUtf8("Centres hors des limites, par bande"));
    LAlertes->setGeometry(12, 78, 616, 340);
    look::setBase(LAlertes, look::kAqua);
    QFont mono("Liberation Mono");
    mono.setStyleHint(QFont::Monospace);
    mono.setPointSize(7);
    LAlertes->setFont(mono);
    connect(LAlertes, &QListWidget::itemClicked, this, [this] { LAlertesClick(); });

    LResume = addLabel("LResume", QString(), 12, 428, 480, 24);
    BitBtn1 = addButton("BitBtn1", "Retour", 508, 426, 120, 30);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    setTabChain({R998, R95, LAlertes, BitBtn1});
}

void TFAlertes::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    Activate();
}

void TFAlertes::Activate() {
    chosen_.reset();
    bands_.clear();
    ref::StoredSynthesis s;
    if (auto e = country_.openChosen(s)) {
        Fill();
        return ioError(*e);
    }
    for (int line : ref::bandLines())
        if (auto f = ref::funnelOf(s, line)) bands_.push_back(std::move(*f));
    Fill();
}

void TFAlertes::Fill() {
    LAlertes->clear();
    shown_.clear();
    const int level = R95->isChecked() ? 1 : 2;
    std::set<int> lines;
    for (const auto& f : bands_)
        for (const auto& c : f.centres) {
            if (c.position == 0 || std::abs(c.position) < level) continue;
            // Columns in a fixed-pitch font: band, centre, its share, the country's, the position.
            const std::string text =
                pad("Ligne " + std::to_string(f.line), 10) + pad(f.title, 30) +
                pad("centre " + std::to_string(c.centre), 11) +
                pad(percentOf(c.x, c.n).text() + " % (" + std::to_string(c.x) + " / " + std::to_string(c.n) + ")", 21) +
                pad("pays " + percentOf(f.count, f.total).text() + " %", 14) + ref::positionWords(c.position) +
                (std::abs(c.position) == 2 ? " (99,8 %)" : " (95 %)");
            auto* item = new QListWidgetItem(QString::fromStdString(text), LAlertes);
            item->setToolTip(QString::fromStdString(f.section + " : " + f.title));
            item->setForeground(c.position > 0 ? QColor(0, 0, 160) : QColor(170, 0, 0));
            shown_.push_back({f.line, c.centre});
            lines.insert(f.line);
        }
    if (shown_.empty())
        LResume->setText(QString::fromUtf8(level == 2 ? "Aucun centre hors des limites à 99,8 %"
                                                      : "Aucun centre hors des limites à 95 %"));
    else
        LResume->setText(QString::fromUtf8("%1 alertes dans %2 bandes ; un clic montre l'entonnoir de la bande")
                             .arg(shown_.size())
                             .arg(lines.size()));
}

void TFAlertes::LAlertesClick() {
    const int row = LAlertes->currentRow();
    if (row < 0 || row >= int(shown_.size())) return;
    chosen_ = shown_[std::size_t(row)];
    accept();
}

}  // namespace pelo
