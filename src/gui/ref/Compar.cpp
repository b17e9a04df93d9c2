#include "ref/Compar.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "ref/StoredSynthesis.h"
#include "ui/Look.h"

namespace pelo {

TFCompar::TFCompar(AppContext& ctx) : Form(ctx, "TFCompar", "Tableau comparatif") {
    setScalable(true);
    setFixedSize(640, 300);
    look::setBackground(this, look::kNavy);
    SComp = new QTableWidget(200, ref::kComparisonColumns, this);
    SComp->setObjectName("SComp");
    SComp->setAccessibleName("Tableau comparatif");
    SComp->setGeometry(4, 8, 632, 240);
    SComp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SComp->horizontalHeader()->hide();
    SComp->verticalHeader()->hide();
    SComp->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SComp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sizeColumns(1.0);
    BitBtn1 = addButton("BitBtn1", "Retour", 512, 258, 120, 32);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
    setTabOrder(SComp, BitBtn1);
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
    Activate();
}

void TFCompar::Activate() {
    if (!state().ComparisonEnabled) return;
    ref::ComparisonGrid g{};
    auto write = [&] {
        for (int r = 0; r < ref::kComparisonRows; ++r)
            for (int c = 0; c < ref::kComparisonColumns; ++c) {
                const auto& text = g[std::size_t(r)][std::size_t(c)];
                if (text.empty()) continue;
                SComp->setItem(r, c, new QTableWidgetItem(QString::fromStdString(text)));
            }
    };
    for (int i = 0; i < 3; ++i) {
        ref::ReferenceTotals t;
        if (auto e = ref::readReferenceTotals("", ref::kCompared[std::size_t(i)], t)) {
            // What was filled before the failing reference stays.
            write();
            return ioError(*e);
        }
        ref::fillComparison(g, i, t);
    }
    write();
}

}  // namespace pelo
