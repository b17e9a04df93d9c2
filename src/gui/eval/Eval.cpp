#include "eval/Eval.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "eval/Charts.h"
#include "eval/LineList.h"
#include "ui/Canvas.h"
#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

namespace {
QString u8(const std::string& s) { return QString::fromStdString(s); }

QLineEdit* countField(QWidget* parent, const char* name, const QString& accessible, int x, const QColor& bg) {
    auto* e = look::readOnlyField(parent, name, accessible, QRect(x, 42, 60, 24), bg);
    // Out of the Tab chain: the keyboard starts on the list.
    e->setFocusPolicy(Qt::ClickFocus);
    e->setAlignment(Qt::AlignCenter);
    return e;
}
}  // namespace

TFEval::TFEval(AppContext& ctx, CentreSession& session, EvaluationState& evaluation)
    : Form(ctx, "TFEval", "EVALUATION"), session_(session), evaluation_(evaluation) {
    setScalable(true);
    setFixedSize(633, 453);
    look::setBackground(this, look::kNavy);

    // The charts are drawn in the form's own coordinates, under every control.
    Canvas1 = ui::addCanvas(this, QString(), {0, 0, 633, 453}, {633, 500}, colors::Navy);

    Panel1 = addBanner("Panel1", "PELORAMIX", 8, 6, 360, 28, look::kAqua);
    look::boldFont(Panel1, 12);
    Label1 = addLabel("Label1", QString::fromUtf8("Qualité des fiches"), 8, 44, 130, 20);
    look::whiteText(Label1, 9, true);
    Edit3 = countField(this, "Edit3", QString::fromUtf8("Fiches complètes"), 140, QColor(0, 255, 255));
    Edit2 = countField(this, "Edit2", QString::fromUtf8("Fiches incomplètes"), 206, QColor(255, 128, 0));
    Edit1 = countField(this, "Edit1", QString::fromUtf8("Fiches à réviser"), 272, QColor(255, 0, 0));

    LVar = new LineList(this);
    LVar->setObjectName("LVar");
    LVar->setAccessibleName(QString::fromUtf8("Synthèse du centre"));
    LVar->setGeometry(384, 8, 241, 385);
    QFont lf("Arial");
    lf.setPointSize(9);
    LVar->setFont(lf);
    // Long labels and the heading of a large file wrap rather than being cut.
    LVar->setWrapped(true);
    connect(LVar, &LineList::rowActivated, this, [this] { LVarClick(); });

    for (int k = 0; k < 12; ++k) {
        auto* l = new LineList(this);
        l->setObjectName(QString("LPat%1").arg(k + 1));
        l->setAccessibleName(QString("Classe C%1").arg(k + 1));
        // Wide enough for a five-digit number beside the scroll bar.
        l->setGeometry(8 + 56 * (k % 6), 110, 53, 305);
        l->setTextElideMode(Qt::ElideNone);
        QFont cf("Arial");
        cf.setPointSize(8);
        l->setFont(cf);
        QPalette pal = l->palette();
        pal.setColor(QPalette::Base, QColor(0, 255, 255));
        l->setPalette(pal);
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        l->hide();
        connect(l, &LineList::rowActivated, this, [this, k] { LPatClick(k); });
        LPat[k] = l;
    }

    Button3 = addButton("Button3", "<<  >>", 338, 248, 42, 28);
    QFont bf3 = Button3->font();
    bf3.setPointSize(8);
    Button3->setFont(bf3);
    Button3->setAccessibleName(QString::fromUtf8("Autres classes"));
    Button3->hide();
    Button2 = addButton("Button2", "Histogrammes", 384, 398, 104, 24);
    BImp = addButton("BImp", QString::fromUtf8("Impression Synthèse"), 492, 398, 133, 24);
    BCsv = addButton("BCsv", "Export tableur", 384, 424, 104, 24);
    BitBtn1 = addButton("BitBtn1", "Retour", 492, 424, 133, 24);
    Button1 = addButton("Button1", QString(), 0, 452, 1, 1);
    Button1->setAccessibleName(QString::fromUtf8("Redessiner"));
    Button1->setFocusPolicy(Qt::NoFocus);

    connect(Button1, &QPushButton::clicked, this, &TFEval::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFEval::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFEval::Button3Click);
    connect(BImp, &QPushButton::clicked, this, &TFEval::BImpClick);
    connect(BCsv, &QPushButton::clicked, this, &TFEval::BCsvClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFEval::BitBtn1Click);
    setTabOrder(LVar, LPat[0]);
    for (int k = 0; k < 11; ++k) setTabOrder(LPat[k], LPat[k + 1]);
    setTabOrder(LPat[11], Button3);
    setTabChain({Button3, Button2, BImp, BCsv, BitBtn1});
}

void TFEval::hideClasses() {
    for (auto* l : LPat) l->hide();
}

void TFEval::clearDrawings() { Canvas1->clear(colors::Navy); }

void TFEval::prepareForSynthesis() {
    hideClasses();
    firstPaint_ = true;
}

void TFEval::showSynthesis(const eval::SynthesisResult& r) {
    result_ = r;
    // Which FIBs these figures are of, in the banner that heads the screen.
    const QString population = u8(eval::populationName(r.filter));
    Panel1->setText(QString::fromUtf8("PELORAMIX — ") + population);
    Panel1->setAccessibleName(QString::fromUtf8("Population évaluée : ") + population);
    Edit3->setText(QString::number(r.complete));
    Edit2->setText(QString::number(r.incomplete));
    Edit1->setText(QString::number(r.toReview));
    lines_ = eval::synthesisLines(r);
    QStringList shown;
    for (const auto& l : lines_) shown << u8(l);
    // The list is narrower than its longest labels: each line also reads whole in its tooltip.
    LVar->setContents(shown, {}, true);
    lastIndex_ = int(lines_.size()) - 1;
    LVar->setFocus();
}

void TFEval::paintEvent(QPaintEvent* e) {
    Form::paintEvent(e);
    if (firstPaint_) Button1Click();
}

void TFEval::Button1Click() {
    if (!firstPaint_) return;
    firstPaint_ = false;
    Button2Click();
}

void TFEval::Button2Click() {
    hideClasses();
    Button3->hide();
    clearDrawings();
    eval::drawFirstCharts(Canvas1->surface(), lines_);
}

void TFEval::Button3Click() {
    halfFlag_ = !halfFlag_;
    for (int k = 0; k < 12; ++k) LPat[k]->setVisible((k < 6) == halfFlag_);
}

void TFEval::LVarClick() {
    hideClasses();
    clearDrawings();
    lastClicked_ = LVar->currentRow();
    const int i = lastClicked_;
    if (i < 0 || i >= eval::kLineCount || i >= int(lines_.size())) return;
    const eval::LineInfo& li = eval::lineTable()[i];
    if (li.kind == eval::LineInfo::Heading) {
        Button3->hide();
        eval::drawHeadingChart(Canvas1->surface(), lines_, i);
        return;
    }
    if (li.kind != eval::LineInfo::BandLine) return;

    eval::drawClassesTitle(Canvas1->surface());
    const auto titles = eval::classTitles(li.section);
    for (int k = 0; k < 12; ++k) {
        LPat[k]->setContents({u8(titles[k])});
        LPat[k]->setVisible(k < 6);
    }
    Button3->show();

    CentreSession& s = session_;
    eval::ClassLists c;
    if (auto e = eval::centreClassLists(kFibFile, evaluation_.EvalFilter, s.yearOfChecks(), li.section, c))
        return ioError(*e);
    s.CurrentCentre = c.centre;
    s.CurrentFib = c.nbFiches;
    // The count to come back to after a FIB called up from the lists is corrected.
    s.SavedFibCount = c.nbFiches;
    for (int k = 0; k < 12; ++k)
        LPat[k]->setContents({u8(titles[k])}, std::vector<std::uint32_t>(c.numbers[k].begin(), c.numbers[k].end()));
}

void TFEval::LPatClick(int k) {
    if (k < 0 || k >= 12) return;
    if (LPat[k]->currentRow() < 0) return;
    bool ok = false;
    const uint n = LPat[k]->text(LPat[k]->currentRow()).trimmed().toUInt(&ok);
    if (!ok || n < 1 || n > 65535) return;
    session_.CurrentFib = static_cast<std::uint16_t>(n);
    nav().entry().callUpFib();
}

void TFEval::BImpClick() {
    if (lines_.empty()) return;
    ui().print(eval::synthesisPrintout(lines_, lastIndex_, "SYNTHESE-" + std::to_string(result_.centre),
                                       eval::populationName(result_.filter)));
}

void TFEval::BCsvClick() {
    if (lines_.empty()) return;
    const QString suggested = QString("SYNTHESE-%1.csv").arg(result_.centre);
    const QString path = ui().chooseSaveFile(QString::fromUtf8("Exporter la synthèse"), suggested,
                                             QString::fromUtf8("Tableur, séparateur point-virgule (*.csv)"));
    if (path.isEmpty()) return;
    if (auto e = eval::writeSynthesisCsv(path.toStdString(), result_)) return ioError(*e);
    // The whole path: a clerk finds the file where it went, whatever folder was chosen.
    ui().information(QString::fromUtf8("Synthèse exportée dans ") + QDir::toNativeSeparators(path));
}

void TFEval::BitBtn1Click() { accept(); }

}  // namespace pelo
