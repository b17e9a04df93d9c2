#include "entry/Saisie2.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "print/FibLayout.h"
#include "ui/Navigation.h"

namespace pelo {

namespace {
constexpr int kRowH = 15;
}  // namespace

TFIB2::TFIB2(AppContext& ctx, CentreSession& session)
    : EntryPage(ctx, session, "TFIB2", QString::fromUtf8("Fiche d'Information de Base (2)"), 2) {
    setScalable(true);
    setPaintsGradient(true);
    setFixedSize(640, 480);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colours::Navy);
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);
    buildPage();
    runPage1ChecksSilently = [this] { return nav().entry().runPage1Checks(); };
}

QFrame* TFIB2::block(const QString& name, int x, int y, int w, int h, const QColor& bg) {
    auto* fr = new QFrame(this);
    fr->setObjectName(name);
    fr->setGeometry(x, y, w, h);
    fr->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette pal = fr->palette();
    pal.setColor(QPalette::Window, bg);
    pal.setColor(QPalette::WindowText, Qt::black);
    fr->setPalette(pal);
    fr->setAutoFillBackground(true);
    return fr;
}

QLabel* TFIB2::text(QWidget* parent, const QString& t, int x, int y, int w, int h, bool dark) {
    auto* l = new QLabel(t, parent);
    l->setGeometry(x, y, w, h);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, dark ? Qt::black : Qt::white);
    l->setPalette(pal);
    return l;
}

// An entry; its length and accessible name come from the page's table.
QLineEdit* TFIB2::entry(QWidget* parent, const QString& name, int x, int y, int w) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, kRowH + 1);
    e->setTextMargins(0, 0, 0, 0);
    return e;
}

QAbstractButton* TFIB2::box(QWidget* parent, const QString& name, int x, int y, const QString& accessible,
                            const QString& caption) {
    auto* b = new QCheckBox(caption, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, caption.isEmpty() ? 16 : 44, kRowH);
    b->setAccessibleName(accessible);
    b->setAutoFillBackground(true);
    return b;
}

QAbstractButton* TFIB2::radio(QWidget* parent, const QString& name, const QString& caption, int x, int y,
                              const QString& accessible) {
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, 40, kRowH);
    b->setAccessibleName(accessible);
    b->setAutoFillBackground(true);
    return b;
}

// The group's frame with its caption inside at the left, its check panel as a
// strip at the right edge, then its help button, as on entry page 1.
void TFIB2::groupFrame(int panelNo, int helpNo, int helpPage, const QString& caption, int y, int h) {
    auto* fr = new QFrame(this);
    fr->setObjectName(QStringLiteral("Group%1").arg(panelNo));
    fr->setGeometry(1, y, 600, h);
    fr->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette fp = fr->palette();
    fp.setColor(QPalette::WindowText, QColor(160, 160, 200));
    fr->setPalette(fp);
    fr->lower();  // beneath the group's controls

    auto* l = text(fr, caption, 3, 2, 72, h - 4);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont cf = l->font();
    cf.setPointSize(7);
    l->setFont(cf);
    l->setAccessibleName(QString(caption).replace('\n', ' '));

    const int index = panelNo == 13 ? 0 : panelNo - 14;
    const entry::Panel& def = entry::page2Panels()[std::size_t(index)];
    const QString groupName = QString::fromUtf8(def.group);
    auto* panel = new QPushButton(this);
    panel->setObjectName(QString::fromLatin1(def.name));
    panel->setGeometry(603, y + 1, 10, h - 2);
    panel->setAccessibleName(QString::fromUtf8("Contrôle : ") + groupName);
    panel->setToolTip(QString::fromUtf8("Contrôle"));
    panel->setFocusPolicy(Qt::NoFocus);
    panel->setAutoDefault(false);
    setPanelColour(panel, colours::Navy);
    addPanel(index, panel);

    auto* help =
        addButton(QStringLiteral("BitBtn%1").arg(helpNo), QStringLiteral("?"), 618, y + 1, 22, std::min(h - 2, 22));
    help->setAccessibleName(QString::fromUtf8("Aide : ") + groupName);
    help->setToolTip(QString::fromUtf8("Aide"));
    help->setFocusPolicy(Qt::NoFocus);
    connect(help, &QPushButton::clicked, this, [this, helpPage] { nav().centre().openHelp(helpPage); });
}

void TFIB2::buildPage() {
    const QString oui = QStringLiteral("oui"), non = QStringLiteral("non");
    const QString avant = QStringLiteral("avant"), apres = QString::fromUtf8("après");

    // Symptoms: two rows of three columns, each a yes/no pair.
    {
        const int y0 = 4;
        struct Item {
            const char* label;
            const char* yes;
            const char* no;
            int col, row;
        };
        const Item items[] = {
            {"Hypo TA ortho", "CheckBox1", "CheckBox3", 0, 0}, {"Angor", "CheckBox5", "CheckBox7", 1, 0},
            {"Anérection", "CheckBox9", "CheckBox10", 2, 0},   {"Neuropathie péri.", "CheckBox2", "CheckBox4", 0, 1},
            {"Claudication", "CheckBox6", "CheckBox8", 1, 1},
        };
        const int colX[] = {80, 250, 420};
        for (int c = 0; c < 3; ++c) {
            text(this, oui, colX[c] + 98, y0, 22);
            text(this, non, colX[c] + 120, y0, 22);
        }
        for (const Item& it : items) {
            const int x = colX[it.col], y = y0 + 15 + it.row * 17;
            const QString label = QString::fromUtf8(it.label);
            text(this, label, x, y, 96);
            box(this, it.yes, x + 100, y, label + " oui");
            box(this, it.no, x + 122, y, label + " non");
        }
        groupFrame(13, 3, 10, QString::fromUtf8("Symptômes\ndepuis 12\nmois"), 2, 52);
    }

    // Observation: the eyes in a light-yellow block, the feet beside it.
    {
        const int y0 = 56;
        QFrame* eyes = block("PanelYeux", 80, y0 + 2, 250, 200, colours::LightYellow);
        const char* letters[] = {"Y", "E", "U", "X"};
        for (int i = 0; i < 4; ++i) text(eyes, letters[i], 3, 50 + i * 30, 10, 15, true);
        text(eyes, QString::fromUtf8("Examen < 12 mois"), 14, 2, 120, 15, true);
        radio(eyes, "RadioButton1", oui, 150, 2, QString::fromUtf8("Examen des yeux < 12 mois oui"));
        radio(eyes, "RadioButton2", non, 196, 2, QString::fromUtf8("Examen des yeux < 12 mois non"));
        text(eyes, "D", 164, 19, 14, 14, true);
        text(eyes, "G", 212, 19, 14, 14, true);
        for (int x : {150, 198}) {
            text(eyes, oui, x, 31, 20, 13, true);
            text(eyes, non, x + 20, 31, 20, 13, true);
        }
        struct Row {
            const char* label;
            const char *dy, *dn, *gy, *gn;
        };
        const Row rows[] = {
            {"Photocoagulation", "CheckBox15", "CheckBox16", "CheckBox17", "CheckBox18"},
            {"Vitrectomie", "CheckBox19", "CheckBox11", "CheckBox55", "CheckBox63"},
            {"Cataracte", "CheckBox20", "CheckBox12", "CheckBox56", "CheckBox64"},
            {"Rétine vue", "CheckBox21", "CheckBox49", "CheckBox57", "CheckBox65"},
            {"Si oui: Maculopathie", "CheckBox22", "CheckBox50", "CheckBox58", "CheckBox66"},
            {"Rétinopathie", "CheckBox23", "CheckBox51", "CheckBox59", "CheckBox67"},
            {"laquelle: non proliférative", "CheckBox24", "CheckBox52", "CheckBox60", "CheckBox68"},
            {"préproliférative", "CheckBox25", "CheckBox53", "CheckBox61", "CheckBox69"},
            {"proliférative", "CheckBox26", "CheckBox54", "CheckBox62", "CheckBox70"},
        };
        int y = 45;
        for (const Row& r : rows) {
            const QString label = QString::fromUtf8(r.label);
            auto* l = text(eyes, label, 14, y, 134, kRowH, true);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const QString d = label + QString::fromUtf8(" œil droit "), g = label + QString::fromUtf8(" œil gauche ");
            box(eyes, r.dy, 152, y, d + oui);
            box(eyes, r.dn, 172, y, d + non);
            box(eyes, r.gy, 200, y, g + oui);
            box(eyes, r.gn, 220, y, g + non);
            y += 15;
        }
        text(eyes, QString::fromUtf8("Acuité visuelle"), 14, y + 4, 120, kRowH, true);
        entry(eyes, "Edit1", 150, y + 3, 24);
        text(eyes, "/10", 176, y + 4, 20, kRowH, true);
        entry(eyes, "Edit2", 198, y + 3, 24);
        text(eyes, "/10", 224, y + 4, 20, kRowH, true);

        // Feet.
        const int fx = 334;
        const char* feet[] = {"P", "I", "E", "D", "S"};
        for (int i = 0; i < 5; ++i) text(this, feet[i], fx, y0 + 40 + i * 24, 10);
        text(this, QString::fromUtf8("Examen < 12 mois"), fx + 12, y0 + 2, 110);
        radio(this, "RadioButton3", oui, fx + 136, y0 + 2, QString::fromUtf8("Examen des pieds < 12 mois oui"));
        radio(this, "RadioButton4", non, fx + 182, y0 + 2, QString::fromUtf8("Examen des pieds < 12 mois non"));
        text(this, "G", fx + 148, y0 + 19, 14, 14);
        text(this, "D", fx + 196, y0 + 19, 14, 14);
        for (int x : {fx + 136, fx + 184}) {
            text(this, oui, x, y0 + 31, 20, 13);
            text(this, non, x + 20, y0 + 31, 20, 13);
        }
        const char* footRows[] = {"Sensibilité vibra. normale",
                                  "Sensibilité doul. normale",
                                  "Pouls présents",
                                  "Ulcère cicatrisé",
                                  "Ulcère aigu",
                                  "Pontage / Angioplastie"};
        const int leftYes[] = {13, 14, 71, 72, 73, 74};
        const int leftNo[] = {75, 76, 77, 78, 79, 80};
        for (int i = 0; i < 6; ++i) {
            const int ry = y0 + 45 + i * 17;
            const QString label = QString::fromUtf8(footRows[i]);
            auto* l = text(this, label, fx + 12, ry, 122);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const QString g = label + " pied gauche ", d = label + " pied droit ";
            box(this, QStringLiteral("CheckBox%1").arg(leftYes[i]), fx + 138, ry, g + oui);
            box(this, QStringLiteral("CheckBox%1").arg(leftNo[i]), fx + 158, ry, g + non);
            box(this, QStringLiteral("CheckBox%1").arg(81 + i), fx + 186, ry, d + oui);
            box(this, QStringLiteral("CheckBox%1").arg(87 + i), fx + 206, ry, d + non);
        }
        groupFrame(15, 4, 11, QString::fromUtf8("Observation\n( bilan des\n12 derniers\nmois )"), y0, 204);
    }

    // Quality of life.
    {
        const int y0 = 266, y1 = y0 + 18;
        text(this, QString::fromUtf8("Hypoglycémie"), 80, y0, 70);
        entry(this, "Edit3", 150, y0, 28);
        text(this, "nb/an", 181, y0, 34);
        text(this, "Hyper", 222, y0, 54);
        entry(this, "Edit4", 278, y0, 28);
        text(this, "nb/an", 309, y0, 34);
        text(this, "Insuline", 350, y0, 44);
        text(this, "Nb inj/jour", 394, y0, 56);
        text(this, avant, 452, y0, 30);
        entry(this, "Edit7", 482, y0, 22);
        text(this, apres, 510, y0, 30);
        entry(this, "Edit8", 540, y0, 22);
        text(this, "J. Mal. Hosp.", 80, y1, 70);
        entry(this, "Edit5", 150, y1, 28);
        text(this, "J/an", 181, y1, 34);
        text(this, "Hors hosp.", 222, y1, 54);
        entry(this, "Edit6", 278, y1, 28);
        text(this, "J/an", 309, y1, 34);
        text(this, "Stylo : ", 350, y1, 44);
        box(this, "CheckBox93", 452, y1, "Stylo oui", oui);
        box(this, "CheckBox94", 510, y1, "Stylo non", non);
        groupFrame(16, 2, 12, QString::fromUtf8("Qualité\nde vie"), 262, 42);
    }

    // Treatment of the diabetes: tablets on the left, insulins in a light-yellow block.
    {
        const int y0 = 308;
        text(this, QString::fromUtf8("début en:"), 166, y0, 48);
        text(this, avant, 218, y0, 30);
        text(this, apres, 254, y0, 30);
        const int ry0 = y0 + 15;
        text(this, QString::fromUtf8("Régime seul"), 80, ry0, 84);
        box(this, "CheckBox27", 222, ry0, QString::fromUtf8("Régime seul avant"));
        box(this, "CheckBox28", 258, ry0, QString::fromUtf8("Régime seul après"));
        struct Tablet {
            const char* label;
            const char* edit;
            const char *a, *b;
        };
        const Tablet tablets[] = {
            {"Biguanides", "MaskEdit1", "CheckBox29", "CheckBox30"},
            {"Sulfamides", "MaskEdit2", "CheckBox31", "CheckBox32"},
            {"Inib Glucosidase", "MaskEdit3", "CheckBox33", "CheckBox34"},
            {"Thiazolidinedines", "Edit9", "CheckBox95", "CheckBox96"},
        };
        int y = ry0 + 17;
        for (const Tablet& t : tablets) {
            const QString label = QString::fromUtf8(t.label);
            text(this, label, 80, y, 84);
            entry(this, t.edit, 168, y, 36);
            box(this, t.a, 222, y, label + " avant");
            box(this, t.b, 258, y, label + QString::fromUtf8(" après"));
            y += 17;
        }
        QFrame* ins = block("PanelInsuline", 296, y0, 274, 104, colours::LightYellow);
        text(ins, avant, 132, 1, 30, 13, true);
        text(ins, apres, 172, 1, 30, 13, true);
        struct Insulin {
            const char* label;
            int a, b;
        };
        const Insulin insulins[] = {
            {"Analogue :", 97, 103},        {"Rapide :", 98, 104}, {"NPH :", 99, 105},
            {"Mélanges fixes :", 100, 106}, {"Lente :", 101, 107}, {"Insuline pompe :", 102, 108},
        };
        // Six rows of 15 within the panel's 104, the last box inside it.
        int iy = 14;
        for (const Insulin& in : insulins) {
            const QString label = QString::fromUtf8(in.label);
            auto* l = text(ins, label, 8, iy, 116, kRowH, true);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const QString name = QString(label).remove(':').trimmed();
            box(ins, QStringLiteral("CheckBox%1").arg(in.a), 136, iy, QString::fromUtf8("Insuline ") + name + " avant");
            box(ins, QStringLiteral("CheckBox%1").arg(in.b), 176, iy,
                QString::fromUtf8("Insuline ") + name + QString::fromUtf8(" après"));
            iy += 15;
        }
        groupFrame(17, 5, 13, QString::fromUtf8("Traitement\ndu\ndiabète"), 306, 108);
    }

    // Associated treatments: two rows of four columns.
    {
        const int y0 = 418;
        struct Assoc {
            const char* label;
            int a, b;
        };
        const Assoc items[] = {
            {"HTA", 35, 36},     {"Insuf.card.", 37, 38}, {"Card.ischém.", 39, 40}, {"Dyslipidémie", 41, 42},
            {"Néphro.", 43, 44}, {"Neuro.", 45, 46},      {"Autre", 47, 48},
        };
        for (int c = 0; c < 4; ++c) {
            text(this, avant, 80 + c * 122 + 66, y0, 30, 13);
            text(this, apres, 80 + c * 122 + 96, y0, 30, 13);
        }
        for (int i = 0; i < 7; ++i) {
            const int x = 80 + (i % 4) * 122, y = y0 + 15 + (i / 4) * 18;
            const QString label = QString::fromUtf8(items[i].label);
            text(this, label, x, y, 68);
            box(this, QStringLiteral("CheckBox%1").arg(items[i].a), x + 70, y, label + " avant");
            box(this, QStringLiteral("CheckBox%1").arg(items[i].b), x + 100, y, label + QString::fromUtf8(" après"));
        }
        groupFrame(18, 6, 14, QString::fromUtf8("Traitements\nassociés"), 416, 52);
    }

    // The page's buttons, under the feet.
    BitBtn1 = addButton("BitBtn1", "DEBUT", 346, 228, 76, 26);
    Button2 = addButton("Button2", "CTRL", 430, 228, 76, 26);
    BImp = addButton("BImp", "Imprim.", 514, 228, 76, 26);
    connect(BitBtn1, &QPushButton::clicked, this, &TFIB2::BitBtn1Click);
    connect(Button2, &QPushButton::clicked, this, &TFIB2::Button2Click);
    connect(BImp, &QPushButton::clicked, this, &TFIB2::BImpClick);
    bindControls({BitBtn1, Button2, BImp});
}

void TFIB2::setBoxColour(QAbstractButton* b, bool chosen, bool yellow) {
    const QColor c = chosen ? colours::Aqua : (yellow ? colours::LightYellow : colours::Light);
    if (b->property("colour") == c) return;  // repainting is slow; the page loads many sheets
    QPalette pal = b->palette();
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Base, c);    // the box itself takes the colour
    pal.setColor(QPalette::Button, c);  // a radio button fills its background with this role
    pal.setColor(QPalette::WindowText, Qt::black);
    b->setPalette(pal);
    b->setProperty("colour", c);
}

void TFIB2::setPanelColour(QPushButton* panel, const QColor& c) {
    if (panel->property("colour") == c) return;
    // Flat strips with a thin border, as on page 1 (a bare colour would keep the raised bevel).
    panel->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid #8080a0; }").arg(c.name()));
    panel->setProperty("colour", c);
}

void TFIB2::VisuFib2() { loadRecord(); }

void TFIB2::beforeFindings(const checks::PanelResult& res) {
    // Answers the check gave itself are ticked on screen, without their own
    // click checks, and a field the check cleared (a woman's "Anérection")
    // is unticked: the boxes always show what will be saved.
    (void)res;
    syncAllChoices();
}

void TFIB2::Panel13Click() { runPanel(0); }
void TFIB2::Panel15Click() { runPanel(1); }
void TFIB2::Panel16Click() { runPanel(2); }
void TFIB2::Panel17Click() { runPanel(3); }
void TFIB2::Panel18Click() { runPanel(4); }

bool TFIB2::runChecksSilently() { return runAllSilently(); }

void TFIB2::markPanelsUnchecked() {
    for (QPushButton* p : panels_) setPanelColour(p, colours::Aqua);
}

void TFIB2::enterFrom(QWidget* page1) {
    CentreSession& s = session();
    if (s.EditingExisting) {
        // The values just loaded are tested as stored, not re-read from the entries.
        const bool read = s.ReadPage2Entries;
        s.ReadPage2Entries = false;
        s.buffer.set(fld::EtatFiche, std::uint8_t{kComplete});
        runChecksSilently();
        s.ReadPage2Entries = read;
    } else {
        markPanelsUnchecked();
    }
    showOver(page1);
}

void TFIB2::BitBtn1Click() {
    session().buffer.set(fld::EtatFiche, kComplete);
    if (runPage1ChecksSilently) runPage1ChecksSilently();
    done(QDialog::Rejected);
}

void TFIB2::reject() { BitBtn1Click(); }

void TFIB2::Button2Click() {
    if (session().buffer.get(fld::EtatFiche) != kAnnulled) session().buffer.set(fld::EtatFiche, kComplete);
    runChecksSilently();
}

void TFIB2::BImpClick() {
    CentreSession& s = session();
    bool readable = true;
    {
        SilentChecks quiet(s);
        if (s.buffer.get(fld::EtatFiche) != kAnnulled) s.buffer.set(fld::EtatFiche, kComplete);
        if (runPage1ChecksSilently) readable = runPage1ChecksSilently();
        readable = runChecksSilently() && readable;
    }
    // An entry that is not a number was shown as an error and left the entries
    // after it unread: the sheet is not printed with values other than those typed.
    if (!readable) return;

    // A sheet not yet saved still holds the numbers of the record read last:
    // it is printed with the sheet's numbers, the ones it will be saved under.
    FibRecord printed = s.buffer;
    if (s.SheetNumber > 0) {
        printed.set(fld::NumCentre, static_cast<std::uint16_t>(s.SheetCentre));
        printed.set(fld::NumFib, static_cast<std::uint16_t>(s.SheetNumber));
    }
    ui().print(fibPrintLayout(printed, s.buffer.date(), unitLabelsFor(s.UnitCodes)));
}

void TFIB2::showOver(QWidget* page1) {
    if (page1 && page1_ != page1) {
        if (page1_) page1_->removeEventFilter(this);
        page1_ = page1;
        page1->installEventFilter(this);
    }
    ui().showModeless(this);
}

bool TFIB2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == page1_ && event->type() == QEvent::Hide) hide();
    return Form::eventFilter(watched, event);
}

}  // namespace pelo
