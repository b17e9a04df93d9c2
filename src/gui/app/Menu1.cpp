#include "app/Menu1.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <cmath>

#include "ui/Navigation.h"
#include "store/RecordFile.h"
#include "store/Text.h"

namespace pelo {

namespace {
void setBackground(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void whiteText(QLabel* l, int points, bool bold) {
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    QFont f = l->font();
    f.setPointSize(points);
    f.setBold(bold);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
}
}  // namespace

TTMenu1::TTMenu1(AppContext& ctx) : Form(ctx, "TTMenu1", "PELORAMIX") {
    setScalable(true);
    setPaintsGradient(true);
    setFixedSize(640, 480);
    setBackground(this, QColor(0, 0, 128));

    Panel1 = addBanner("Panel1", QString::fromUtf8("Implémentation de la Déclaration de St-Vincent"), 0, 0, 640, 65,
                       QColor(0, 255, 255));
    QFont bf = Panel1->font();
    bf.setPointSize(14);
    bf.setBold(true);
    Panel1->setFont(bf);

    Label3 = addLabel("Label3", QString::fromUtf8("Audit national de la qualité des soins du diabète"), 150, 78, 340, 22);
    whiteText(Label3, 10, false);

    Image2 = addLabel("Image2", QString(), 200, 104, 240, 220);
    Image2->setScaledContents(true);
    Image2->setPixmap(drawPicture(QSize(480, 440)));
    Image2->setAccessibleName(QString::fromUtf8("Cercle bleu du diabète"));

    Label1 = addLabel("Label1", " TELMORIS / VORNAPEX ", 150, 332, 340, 28);
    whiteText(Label1, 14, true);

    Label2 = addLabel("Label2", QString::fromUtf8("Fiche d'Information de Base et évaluation des centres"), 130, 366, 380,
                      22);
    whiteText(Label2, 10, false);

    MENU = addButton("MENU", "CENTRE", 30, 120, 130, 40);
    BPays = addButton("BPays", "SYNTHESE PAYS", 30, 190, 130, 40);
    BRef = addButton("BRef", "REFERENCES", 30, 260, 130, 40);
    Button2 = addButton("Button2", QString::fromUtf8("Préférences"), 480, 120, 130, 40);
    Button3 = addButton("Button3", QString::fromUtf8("Carte de Santé"), 480, 190, 130, 40);
    Fin = addButton("Fin", "FERMER", 480, 400, 130, 40);
    MENU->setDefault(true);

    connect(MENU, &QPushButton::clicked, this, &TTMenu1::MENUClick);
    connect(Fin, &QPushButton::clicked, this, &TTMenu1::FinClick);
    connect(Button2, &QPushButton::clicked, this, &TTMenu1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TTMenu1::Button3Click);
    connect(BPays, &QPushButton::clicked, this, &TTMenu1::BPaysClick);
    connect(BRef, &QPushButton::clicked, this, &TTMenu1::BRefClick);
    setTabOrder(MENU, BPays);
    setTabOrder(BPays, BRef);
    setTabOrder(BRef, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, Fin);
}

QPixmap TTMenu1::drawPicture(QSize size) {
    QPixmap pm(size);
    pm.fill(QColor(0, 0, 128));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const QPointF c(w / 2, h * 0.5);
    const double r = std::min(w, h) * 0.33;
    // The blue circle of diabetes care, a blood drop in its centre and the
    // twelve stars of the European declaration around it.
    p.setPen(QPen(QColor(64, 160, 255), r * 0.22));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    QPainterPath drop;
    const double d = r * 0.45;
    drop.moveTo(c.x(), c.y() - d * 1.3);
    drop.cubicTo(c.x() + d * 0.2, c.y() - d * 0.6, c.x() + d * 0.8, c.y(), c.x() + d * 0.8, c.y() + d * 0.35);
    drop.arcTo(QRectF(c.x() - d * 0.8, c.y() - d * 0.45, d * 1.6, d * 1.6), 0, -180);
    drop.cubicTo(c.x() - d * 0.8, c.y(), c.x() - d * 0.2, c.y() - d * 0.6, c.x(), c.y() - d * 1.3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 40));
    p.drawPath(drop);
    p.setBrush(QColor(255, 215, 0));
    const double sr = r * 1.3;
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        const QPointF sc(c.x() + sr * std::cos(a), c.y() + sr * std::sin(a));
        QPolygonF star;
        for (int k = 0; k < 10; ++k) {
            const double rr = (k % 2 == 0) ? r * 0.09 : r * 0.038;
            const double aa = -M_PI / 2 + k * M_PI / 5;
            star << QPointF(sc.x() + rr * std::cos(aa), sc.y() + rr * std::sin(aa));
        }
        p.drawPolygon(star);
    }
    return pm;
}

void TTMenu1::reject() {}

void TTMenu1::Initial() { state().buffer = headerTemplate(); }

void TTMenu1::MENUClick() {
    RunState& s = state();
    s.ShowCheckMessages = true;
    s.ReadPage2Entries = true;
    s.CurrentYear = currentYear();
    s.CurrentFile = kFibFile;

    bool created = false;
    if (auto e = recordfile::createIfMissing(kFibFile, &created)) return ioError(*e);
    if (created) {
        Initial();
    } else {
        CentreHeader h;
        if (auto e = recordfile::readHeader(kFibFile, h)) return ioError(*e);
        s.buffer = h;
    }
    s.CurrentCentre = s.buffer.get(fld::NumCentre);
    s.CurrentFib = s.buffer.nbFiches();
    s.SavedFibCount = s.buffer.nbFiches();

    if (auto e = recordfile::createIfMissing(kPracticeFile, &created)) return ioError(*e);
    if (created) Initial();

    openCentreMenu(ctx());
}

void TTMenu1::Button2Click() {
    RunState& s = state();
    if (s.ColourPreference) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
        setPalette(pal);
        s.ColourPreference = false;
    } else {
        s.ColourPreference = true;
    }
    update();
}

void TTMenu1::Button3Click() {
    const QSize scr = ui().screenSize();
    const QPoint pos(int(roundHalfEven(scr.width() / 640.0 * 390)), int(roundHalfEven(scr.height() / 480.0 * 260)));
    state().CardReaderOn =
        ui().confirm(QString::fromUtf8("Lecteur de Cartes de Santé en fonction ?"), false, pos) == ui::Answer::Yes;
}

void TTMenu1::BPaysClick() { openCountrySynthesis(ctx()); }

void TTMenu1::BRefClick() { openReferences(ctx()); }

void TTMenu1::FinClick() { close(); }

}  // namespace pelo
