#include "ref/Compar.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "ref/StoredSynthesis.h"
#include "ui/Look.h"

namespace pelo {

namespace {
// The heading of each compared synthesis, over its pair of columns.
const char* const kComparedTitles[3] = {"France 97", "Hôpitaux", "Libéraux"};
}  // namespace

TFCompar::TFCompar(AppContext& ctx, CountryWorkspace& country)
    : Form(ctx, "TFCompar", "Tableau comparatif"), country_(country) {
    setScalable(true);
    // As large as the reference menu it opens from, so that it covers it.
    setFixedSize(640, 480);
    look::setBackground(this, look::kNavy);
    SComp = new QTableWidget(200, ref::kComparisonColumns, this);
    SComp->setObjectName("SComp");
    SComp->setAccessibleName("Tableau comparatif");
    SComp->setGeometry(4, 8, 632, 420);
    SComp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SComp->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SComp->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    SComp->verticalHeader()->hide();
    SComp->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SComp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHeadings({});
    sizeColumns(1.0);
    BitBtn1 = addButton("BitBtn1", "Retour", 512, 440, 120, 32);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
    setTabOrder(SComp, BitBtn1);
}

void TFCompar::setHeadings(const std::array<QString, 3>& counts) {
    QStringList h;
    for (int c = 0; c < ref::kComparisonColumns; ++c) h << QString();
    for (int i = 0; i < 3; ++i) {
        h[i * 3] = QString::fromUtf8(kComparedTitles[i]);
        h[i * 3 + 1] = counts[std::size_t(i)];
    }
    h[8] = QString::fromUtf8("Classe");
    SComp->setHorizontalHeaderLabels(h);
}

void TFCompar::sizeColumns(double f) {
    // Column widths are pixels: they follow the form's scale like its fonts.
    const int widths[ref::kComparisonColumns] = {68, 71, 5, 71, 72, 5, 69, 69, 172};
    for (int c = 0; c < ref::kComparisonColumns; ++c) SComp->setColumnWidth(c, int(widths[c] * f + 0.5));
    SComp->verticalHeader()->setDefaultSectionSize(int(22 * f + 0.5));
}

void TFCompar::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    sizeColumns(width() / 640.0);
    // Once the table is on the screen, so that a missing synthesis is reported over it.
    QTimer::singleShot(0, this, &TFCompar::Activate);
}

void TFCompar::Activate() {
    if (!country_.ComparisonEnabled) return;
    // Filled afresh: the working folder may have changed since the last time.
    SComp->clearSpans();
    SComp->clearContents();
    ref::ComparisonGrid g{};
    std::array<QString, 3> counts;
    std::vector<int> missing;
    QString errors;
    for (int i = 0; i < 3; ++i) {
        ref::ReferenceTotals t;
        if (auto e = ref::readReferenceTotals(country_.where(), ref::kCompared[std::size_t(i)], t)) {
            // The others are still compared; this one says in its column that it is missing.
            missing.push_back(i);
            errors += (errors.isEmpty() ? "" : "\n") + QString::fromStdString(e->message());
            counts[std::size_t(i)] = QString::fromUtf8("absente");
            continue;
        }
        ref::fillComparison(g, i, t);
        counts[std::size_t(i)] = QString::number(t.total) + (t.total > 1 ? " fiches" : " fiche");
    }
    {
        // The band labels, even when no reference could be read.
        ref::ReferenceTotals none;
        ref::ComparisonGrid labels{};
        ref::fillComparison(labels, 0, none);
        for (int r = 0; r < ref::kComparisonRows; ++r) g[std::size_t(r)][8] = labels[std::size_t(r)][8];
    }
    for (int r = 0; r < ref::kComparisonRows; ++r)
        for (int c = 0; c < ref::kComparisonColumns; ++c) {
            const auto& text = g[std::size_t(r)][std::size_t(c)];
            if (text.empty()) continue;
            SComp->setItem(r, c, new QTableWidgetItem(QString::fromStdString(text)));
        }
    for (int i : missing) {
        const int col = i * 3;
        SComp->setSpan(2, col, 2, 2);
        auto* it = new QTableWidgetItem(QString::fromStdString(ref::kCompared[std::size_t(i)].index) +
                                        QString::fromUtf8("\nintrouvable"));
        it->setTextAlignment(Qt::AlignCenter);
        SComp->setItem(2, col, it);
    }
    setHeadings(counts);
    if (!errors.isEmpty()) ui().error(country_.errorText(errors));
}

}  // namespace pelo
