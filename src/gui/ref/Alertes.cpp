#include "ref/Alertes.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <set>

#include "pool/ReferenceYear.h"
#include "ref/ComparisonChart.h"
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
    R998->setGeometry(12, 48, 172, 24);
    R998->setChecked(true);
    R95 = new QRadioButton(QString::fromUtf8("Hors des limites à 95 %"), this);
    R95->setObjectName("R95");
    R95->setGeometry(186, 48, 160, 24);
    RIndic = new QRadioButton(QString::fromUtf8("9 indicateurs ajustés à 99,8 % (recommandé)"), this);
    RIndic->setObjectName("RIndic");
    RIndic->setGeometry(348, 48, 288, 24);
    connect(R998, &QRadioButton::toggled, this, [this] { Fill(); });
    connect(RIndic, &QRadioButton::toggled, this, [this] { Fill(); });

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

    LResume = addLabel("LResume", QString(), 12, 424, 488, 44);
    LResume->setWordWrap(true);
    BitBtn1 = addButton("BitBtn1", "Retour", 508, 426, 120, 30);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    setTabChain({R998, R95, RIndic, LAlertes, BitBtn1});
}

void TFAlertes::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    Activate();
}

void TFAlertes::Activate() {
    chosen_.reset();
    bands_.clear();
    pairs_ = 0;
    ref::StoredSynthesis s;
    if (auto e = country_.openChosen(s)) {
        Fill();
        return ioError(*e);
    }
    for (int line : ref::bandLines())
        if (auto f = ref::funnelOf(s, line)) bands_.push_back(std::move(*f));
    pairs_ = ref::alertPairsTested(s);
    Fill();
}

void TFAlertes::Fill() {
    LAlertes->clear();
    shown_.clear();
    if (RIndic->isChecked()) return FillIndicators();
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
    const QString chance = QString::fromUtf8("attendues par le seul hasard : %1")
                               .arg(QString::fromStdString(ref::expectedByChance(pairs_, level)));
    if (shown_.empty())
        LResume->setText(QString::fromUtf8(level == 2 ? "Aucun centre hors des limites à 99,8 % (%1)"
                                                      : "Aucun centre hors des limites à 95 % (%1)")
                             .arg(chance));
    else
        LResume->setText(QString::fromUtf8("%1 dans %2 (%3) ; un clic montre l'entonnoir")
                             .arg(QString::fromStdString(counted(shown_.size(), "alerte", "alertes")),
                                  QString::fromStdString(counted(lines.size(), "bande", "bandes")), chance));
}

void TFAlertes::FillIndicators() {
    const std::string& name = country_.pooledFile;
    const std::string& folder = country_.where();
    if (name.empty() || pool::badFileName(name) || !pool::fileExists(folder, name)) {
        LResume->setText(
            QString::fromUtf8("Choisissez d'abord le fichier de collection (« Comparaison des centres »)"));
        return;
    }
    std::int32_t year = country_.AnneeReference;
    ref::Comparison c;
    if (year <= 0)
        if (auto e = pool::proposeReferenceYear(folder, name, year)) return ioError(*e);
    if (auto e = ref::compareCentres(folder, name, year, c)) return ioError(*e);
    std::uint32_t tested = 0, found = 0;
    for (std::size_t k = 0; k < c.indicators.size(); ++k)
        for (const auto& cc : c.indicators[k].centres) {
            const auto& ind = c.indicators[k];
            if (!cc.adjusted()) continue;
            ++tested;
            if (std::abs(cc.position) != 2) continue;
            ++found;
            const int j = ind.judgement(cc);
            const std::string text = pad(ind.info().label, 30) + pad("centre " + std::to_string(cc.centre), 12) +
                                     pad("ajusté " + ref::decimalText(ind.adjustedPercent(cc.y), 1) + " %", 18) +
                                     pad("brut " + cc.crude().text() + " %", 16) + ref::judgementWords(j);
            auto* item = new QListWidgetItem(QString::fromStdString(text), LAlertes);
            item->setForeground(j > 0 ? QColor(0, 120, 0) : QColor(170, 0, 0));
            shown_.push_back({0, cc.centre, int(k) + 1});
        }
    LResume->setText(QString::fromUtf8("%1 hors des limites à 99,8 % (attendus par le seul hasard : %2), %3%4")
                         .arg(QString::fromStdString(counted(found, "centre", "centres")))
                         .arg(QString::fromStdString(ref::expectedByChance(tested, 2)))
                         .arg(QString::fromStdString(ref::campaignTitle(name, year)))
                         .arg(found ? QString::fromUtf8(" ; un clic montre l'entonnoir") : QString()));
}

void TFAlertes::LAlertesClick() {
    const int row = LAlertes->currentRow();
    if (row < 0 || row >= int(shown_.size())) return;
    chosen_ = shown_[std::size_t(row)];
    accept();
}

}  // namespace pelo
