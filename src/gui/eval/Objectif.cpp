#include "eval/Objectif.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "ui/Look.h"

namespace pelo {

TTObjectif::TTObjectif(AppContext& ctx, EvaluationState& evaluation)
    : Form(ctx, "TTObjectif", "OBJECTIFS"), evaluation_(evaluation) {
    Panel1 = setFullScreenWithBanner("OBJECTIFS");

    Gril = new QTableWidget(11, 3, this);
    Gril->setObjectName("Gril");
    Gril->setAccessibleName("Tableau des objectifs");
    Gril->horizontalHeader()->hide();
    Gril->verticalHeader()->hide();
    Gril->setGeometry(71, 80, 498, 334);
    const int widths[3] = {245, 131, 118};
    for (int c = 0; c < 3; ++c) Gril->setColumnWidth(c, widths[c]);
    for (int r = 0; r < 11; ++r) Gril->setRowHeight(r, 30);
    Gril->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Gril->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette pal = Gril->palette();
    pal.setColor(QPalette::Base, QColor(0, 128, 128));
    pal.setColor(QPalette::Text, Qt::white);
    pal.setColor(QPalette::Window, QColor(0, 128, 128));
    Gril->setPalette(pal);
    QFont f("Arial");
    f.setPointSize(10);
    f.setBold(true);
    Gril->setFont(f);
    Gril->setGridStyle(Qt::SolidLine);
    for (int r = 0; r < 11; ++r)
        for (int c = 0; c < 3; ++c) Gril->setItem(r, c, new QTableWidgetItem());

    BitBtn1 = addButton("BitBtn1", "Retour", 480, 425, 89, 33);
    connect(BitBtn1, &QPushButton::clicked, this, &TTObjectif::BitBtn1Click);
    setTabOrder(Gril, BitBtn1);
}

QString TTObjectif::cell(int row, int col) const { return Gril->item(row, col)->text(); }

void TTObjectif::setCell(int row, int col, const QString& text) { Gril->item(row, col)->setText(text); }

void TTObjectif::writeCells(const eval::ObjectivesGrid& g) {
    for (int r = 0; r < 11; ++r)
        for (int c = 0; c < 3; ++c)
            if (!g[r][c].empty()) setCell(r, c, QString::fromStdString(g[r][c]));
}

void TTObjectif::writeResults(const eval::SynthesisResult& r) {
    eval::ObjectivesGrid g;
    eval::writeObjectiveResults(r, g);
    writeCells(g);
}

void TTObjectif::writeHeadings() {
    eval::ObjectivesGrid g;
    eval::writeObjectiveHeadings(g);
    writeCells(g);
    if (!evaluation_.evaluated()) setCell(10, 2, QString::fromUtf8(eval::kNoEvaluation));
}

void TTObjectif::BitBtn1Click() { accept(); }

void TTObjectif::showEvent(QShowEvent* e) {
    Form::showEvent(e);  // scaled first: the fonts are those shown
    fitColumns();
}

void TTObjectif::fitColumns() {
    const QFontMetrics fm(Gril->font());
    const int margin = 2 * fm.averageCharWidth();
    int total = 0;
    for (int c = 0; c < 3; ++c) {
        int need = Gril->columnWidth(c);
        for (int r = 0; r < 11; ++r) need = std::max(need, fm.horizontalAdvance(cell(r, c)) + margin);
        Gril->setColumnWidth(c, need);
        total += need;
    }
    const int w = total + 2 * Gril->frameWidth();
    if (w > Gril->width()) Gril->setGeometry(std::max(0, (width() - w) / 2), Gril->y(), w, Gril->height());
}

}  // namespace pelo
