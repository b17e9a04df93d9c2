#include "entry/Saisie2.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/Navigation.h"
#include "entry/Saisie1.h"
#include "store/Text.h"

namespace pelo {

namespace {

const QColor kAqua(0, 255, 255);
const QColor kLight(227, 255, 255);
const QColor kLightYellow(255, 255, 217);
const QColor kNavy(0, 0, 128);
const QColor kOrange(255, 159, 64);
const QColor kRed(255, 0, 0);

constexpr int kRowH = 15;

QColor panelColour(checks::Colour c) {
    switch (c) {
    case checks::Colour::Navy: return kNavy;
    case checks::Colour::Orange: return kOrange;
    case checks::Colour::Red: return kRed;
    }
    return kNavy;
}

// The routines of the five panels, in their order.
using Routine = checks::PanelResult (*)(FibRecord&, const checks::Entries&, const checks::Context&);
const std::array<Routine, 5> kRoutines{checks::Panel13Click, checks::Panel15Click, checks::Panel16Click,
                                       checks::Panel17Click, checks::Panel18Click};

}  // namespace

TFIB2::TFIB2(AppContext& ctx) : Form(ctx, "TFIB2", QString::fromUtf8("Fiche d'Information de Base (2)")) {
    setScalable(true);
    setPaintsGradient(true);
    setFixedSize(640, 480);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kNavy);
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);
    buildPage();
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

QLineEdit* TFIB2::entry(QWidget* parent, const QString& name, int x, int y, int w, int maxLength,
                        const QString& accessible) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, kRowH + 1);
    e->setMaxLength(maxLength);
    e->setAccessibleName(accessible);
    e->setTextMargins(0, 0, 0, 0);
    tabOrder_.push_back(e);
    return e;
}

QAbstractButton* TFIB2::box(QWidget* parent, const QString& name, int x, int y, const QString& accessible,
                            const QString& caption) {
    auto* b = new QCheckBox(caption, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, caption.isEmpty() ? 16 : 44, kRowH);
    b->setAccessibleName(accessible);
    b->setAutoFillBackground(true);
    tabOrder_.push_back(b);
    return b;
}

QAbstractButton* TFIB2::radio(QWidget* parent, const QString& name, const QString& caption, int x, int y,
                              const QString& accessible) {
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, 40, kRowH);
    b->setAccessibleName(accessible);
    b->setAutoFillBackground(true);
    tabOrder_.push_back(b);
    return b;
}

void TFIB2::pair(Family family, Field<FieldType::U8> field, QAbstractButton* a, QAbstractButton* b, bool yellow) {
    ChoiceGroup g{family, field, {a, b}, yellow, nullptr};
    if (family == Family::Radio) {
        g.radios = new QButtonGroup(this);
        g.radios->addButton(a);
        g.radios->addButton(b);
    }
    const std::size_t gi = choices_.size();
    choices_.push_back(g);
    for (std::size_t bi = 0; bi < 2; ++bi) {
        QAbstractButton* w = g.boxes[bi];
        setBoxColour(w, false, yellow);
        connect(w, &QAbstractButton::clicked, this, [this, gi, bi] { choiceClicked(gi, bi); });
    }
}

void TFIB2::intEntry(QLineEdit* e, Field<FieldType::I32> f, int maxLength) {
    entries_.push_back({e, FieldType::I32, f.offset, maxLength});
}

void TFIB2::byteEntry(QLineEdit* e, Field<FieldType::U8> f, int maxLength) {
    entries_.push_back({e, FieldType::U8, f.offset, maxLength});
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
    const QString groupName = QString(caption).replace('\n', ' ');
    l->setAccessibleName(groupName);

    auto* panel = new QPushButton(this);
    panel->setObjectName(QStringLiteral("Panel%1").arg(panelNo));
    panel->setGeometry(603, y + 1, 10, h - 2);
    panel->setAccessibleName(QString::fromUtf8("Contrôle : ") + groupName);
    panel->setToolTip(QString::fromUtf8("Contrôle"));
    panel->setFocusPolicy(Qt::NoFocus);
    panel->setAutoDefault(false);
    const int index = panelNo == 13 ? 0 : panelNo - 14;
    panels_[std::size_t(index)] = panel;
    setPanelColour(panel, kNavy);
    connect(panel, &QPushButton::clicked, this, [this, index] { runPanel(index); });

    auto* help = addButton(QStringLiteral("BitBtn%1").arg(helpNo), QStringLiteral("?"), 618, y + 1, 22, std::min(h - 2, 22));
    help->setAccessibleName(QString::fromUtf8("Aide : ") + groupName);
    help->setToolTip(QString::fromUtf8("Aide"));
    help->setFocusPolicy(Qt::NoFocus);
    connect(help, &QPushButton::clicked, this, [this, helpPage] { openHelp(ctx(), helpPage); });
}

void TFIB2::buildPage() {
    const QString oui = QStringLiteral("oui"), non = QStringLiteral("non");
    const QString avant = QStringLiteral("avant"), apres = QString::fromUtf8("après");

    // Symptoms: two rows of three columns, each a yes/no pair.
    {
        const int y0 = 4;
        struct Item { const char* label; const char* yes; const char* no; Field<FieldType::U8> f; int col, row; };
        const Item items[] = {
            {"Hypo TA ortho", "CheckBox1", "CheckBox3", fld::HypoTaOrtho, 0, 0},
            {"Angor", "CheckBox5", "CheckBox7", fld::Angor, 1, 0},
            {"Anérection", "CheckBox9", "CheckBox10", fld::Anerection, 2, 0},
            {"Neuropathie péri.", "CheckBox2", "CheckBox4", fld::NeuropathiePeri, 0, 1},
            {"Claudication", "CheckBox6", "CheckBox8", fld::Claudication, 1, 1},
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
            auto* a = box(this, it.yes, x + 100, y, label + " oui");
            auto* b = box(this, it.no, x + 122, y, label + " non");
            pair(Family::Pair, it.f, a, b);
        }
        groupFrame(13, 3, 10, QString::fromUtf8("Symptômes\ndepuis 12\nmois"), 2, 52);
    }

    // Observation: the eyes in a light-yellow block, the feet beside it.
    {
        const int y0 = 56;
        QFrame* eyes = block("PanelYeux", 80, y0 + 2, 250, 200, kLightYellow);
        const char* letters[] = {"Y", "E", "U", "X"};
        for (int i = 0; i < 4; ++i) text(eyes, letters[i], 3, 50 + i * 30, 10, 15, true);
        text(eyes, QString::fromUtf8("Examen < 12 mois"), 14, 2, 120, 15, true);
        auto* r1 = radio(eyes, "RadioButton1", oui, 150, 2, QString::fromUtf8("Examen des yeux < 12 mois oui"));
        auto* r2 = radio(eyes, "RadioButton2", non, 196, 2, QString::fromUtf8("Examen des yeux < 12 mois non"));
        pair(Family::Radio, fld::ExamYeux, r1, r2, true);
        text(eyes, "D", 164, 19, 14, 14, true);
        text(eyes, "G", 212, 19, 14, 14, true);
        for (int x : {150, 198}) {
            text(eyes, oui, x, 31, 20, 13, true);
            text(eyes, non, x + 20, 31, 20, 13, true);
        }
        struct Row { const char* label; const char *dy, *dn, *gy, *gn; Field<FieldType::U8> d, g; };
        const Row rows[] = {
            {"Photocoagulation", "CheckBox15", "CheckBox16", "CheckBox17", "CheckBox18", fld::PhotocoagD, fld::PhotocoagG},
            {"Vitrectomie", "CheckBox19", "CheckBox11", "CheckBox55", "CheckBox63", fld::VitrectomieD, fld::VitrectomieG},
            {"Cataracte", "CheckBox20", "CheckBox12", "CheckBox56", "CheckBox64", fld::CataracteD, fld::CataracteG},
            {"Rétine vue", "CheckBox21", "CheckBox49", "CheckBox57", "CheckBox65", fld::RetineVueD, fld::RetineVueG},
            {"Si oui: Maculopathie", "CheckBox22", "CheckBox50", "CheckBox58", "CheckBox66", fld::MaculopathieD,
             fld::MaculopathieG},
            {"Rétinopathie", "CheckBox23", "CheckBox51", "CheckBox59", "CheckBox67", fld::RetinopathieD,
             fld::RetinopathieG},
            {"laquelle: non proliférative", "CheckBox24", "CheckBox52", "CheckBox60", "CheckBox68",
             fld::RetinoNonProlifD, fld::RetinoNonProlifG},
            {"préproliférative", "CheckBox25", "CheckBox53", "CheckBox61", "CheckBox69", fld::RetinoPreprolifD,
             fld::RetinoPreprolifG},
            {"proliférative", "CheckBox26", "CheckBox54", "CheckBox62", "CheckBox70", fld::RetinoProlifD,
             fld::RetinoProlifG},
        };
        int y = 45;
        for (const Row& r : rows) {
            const QString label = QString::fromUtf8(r.label);
            auto* l = text(eyes, label, 14, y, 134, kRowH, true);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const QString d = label + QString::fromUtf8(" œil droit "), g = label + QString::fromUtf8(" œil gauche ");
            auto* dy = box(eyes, r.dy, 152, y, d + oui);
            auto* dn = box(eyes, r.dn, 172, y, d + non);
            auto* gy = box(eyes, r.gy, 200, y, g + oui);
            auto* gn = box(eyes, r.gn, 220, y, g + non);
            pair(Family::Pair, r.d, dy, dn, true);
            pair(Family::Pair, r.g, gy, gn, true);
            y += 15;
        }
        text(eyes, QString::fromUtf8("Acuité visuelle"), 14, y + 4, 120, kRowH, true);
        auto* e1 = entry(eyes, "Edit1", 150, y + 3, 24, 3, QString::fromUtf8("Acuité visuelle œil droit"));
        text(eyes, "/10", 176, y + 4, 20, kRowH, true);
        auto* e2 = entry(eyes, "Edit2", 198, y + 3, 24, 3, QString::fromUtf8("Acuité visuelle œil gauche"));
        text(eyes, "/10", 224, y + 4, 20, kRowH, true);
        byteEntry(e1, fld::AcuiteD, 3);
        byteEntry(e2, fld::AcuiteG, 3);

        // Feet.
        const int fx = 334;
        const char* feet[] = {"P", "I", "E", "D", "S"};
        for (int i = 0; i < 5; ++i) text(this, feet[i], fx, y0 + 40 + i * 24, 10);
        text(this, QString::fromUtf8("Examen < 12 mois"), fx + 12, y0 + 2, 110);
        auto* r3 = radio(this, "RadioButton3", oui, fx + 136, y0 + 2, QString::fromUtf8("Examen des pieds < 12 mois oui"));
        auto* r4 = radio(this, "RadioButton4", non, fx + 182, y0 + 2, QString::fromUtf8("Examen des pieds < 12 mois non"));
        pair(Family::Radio, fld::ExamPieds, r3, r4);
        text(this, "G", fx + 148, y0 + 19, 14, 14);
        text(this, "D", fx + 196, y0 + 19, 14, 14);
        for (int x : {fx + 136, fx + 184}) {
            text(this, oui, x, y0 + 31, 20, 13);
            text(this, non, x + 20, y0 + 31, 20, 13);
        }
        const char* footRows[] = {"Sensibilité vibra. normale", "Sensibilité doul. normale", "Pouls présents",
                                  "Ulcère cicatrisé", "Ulcère aigu", "Pontage / Angioplastie"};
        const Field<FieldType::U8> left[] = {fld::SensVibraG, fld::SensDoulG, fld::PoulsG,
                                             fld::UlcereCicatG, fld::UlcereAiguG, fld::PontageG};
        const Field<FieldType::U8> right[] = {fld::SensVibraD, fld::SensDoulD, fld::PoulsD,
                                              fld::UlcereCicatD, fld::UlcereAiguD, fld::PontageD};
        const int leftYes[] = {13, 14, 71, 72, 73, 74};
        const int leftNo[] = {75, 76, 77, 78, 79, 80};
        for (int i = 0; i < 6; ++i) {
            const int ry = y0 + 45 + i * 17;
            const QString label = QString::fromUtf8(footRows[i]);
            auto* l = text(this, label, fx + 12, ry, 122);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const QString g = label + " pied gauche ", d = label + " pied droit ";
            auto* gy = box(this, QStringLiteral("CheckBox%1").arg(leftYes[i]), fx + 138, ry, g + oui);
            auto* gn = box(this, QStringLiteral("CheckBox%1").arg(leftNo[i]), fx + 158, ry, g + non);
            auto* dy = box(this, QStringLiteral("CheckBox%1").arg(81 + i), fx + 186, ry, d + oui);
            auto* dn = box(this, QStringLiteral("CheckBox%1").arg(87 + i), fx + 206, ry, d + non);
            pair(Family::Pair, left[i], gy, gn);
            pair(Family::Pair, right[i], dy, dn);
        }
        groupFrame(15, 4, 11, QString::fromUtf8("Observation\n( bilan des\n12 derniers\nmois )"), y0, 204);
    }

    // Quality of life.
    {
        const int y0 = 266, y1 = y0 + 18;
        text(this, QString::fromUtf8("Hypoglycémie"), 80, y0, 70);
        auto* e3 = entry(this, "Edit3", 150, y0, 28, 3, QString::fromUtf8("Hypoglycémies nb/an"));
        text(this, "nb/an", 181, y0, 34);
        text(this, "Hyper", 222, y0, 54);
        auto* e4 = entry(this, "Edit4", 278, y0, 28, 3, QString::fromUtf8("Hyperglycémies nb/an"));
        text(this, "nb/an", 309, y0, 34);
        text(this, "Insuline", 350, y0, 44);
        text(this, "Nb inj/jour", 394, y0, 56);
        text(this, avant, 452, y0, 30);
        auto* e7 = entry(this, "Edit7", 482, y0, 22, 2, QString::fromUtf8("Insuline nb inj/jour avant"));
        text(this, apres, 510, y0, 30);
        auto* e8 = entry(this, "Edit8", 540, y0, 22, 2, QString::fromUtf8("Insuline nb inj/jour après"));
        text(this, "J. Mal. Hosp.", 80, y1, 70);
        auto* e5 = entry(this, "Edit5", 150, y1, 28, 3, QString::fromUtf8("Jours de maladie à l'hôpital par an"));
        text(this, "J/an", 181, y1, 34);
        text(this, "Hors hosp.", 222, y1, 54);
        auto* e6 = entry(this, "Edit6", 278, y1, 28, 3, QString::fromUtf8("Jours de maladie hors hôpital par an"));
        text(this, "J/an", 309, y1, 34);
        text(this, "Stylo : ", 350, y1, 44);
        auto* s1 = box(this, "CheckBox93", 452, y1, "Stylo oui", oui);
        auto* s2 = box(this, "CheckBox94", 510, y1, "Stylo non", non);
        pair(Family::Pair, fld::Stylo, s1, s2);
        // Entries in record order for the loading.
        intEntry(e3, fld::HypoNbAn, 3);
        intEntry(e4, fld::HyperNbAn, 3);
        intEntry(e5, fld::JoursHosp, 3);
        intEntry(e6, fld::JoursHorsHosp, 3);
        byteEntry(e7, fld::InjAvant, 2);
        byteEntry(e8, fld::InjApres, 2);
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
        auto* r1 = box(this, "CheckBox27", 222, ry0, QString::fromUtf8("Régime seul avant"));
        auto* r2 = box(this, "CheckBox28", 258, ry0, QString::fromUtf8("Régime seul après"));
        pair(Family::BeforeAfter, fld::RegimeSeul, r1, r2);
        struct Tablet { const char* label; const char* edit; const char *a, *b; Field<FieldType::I32> year;
                        Field<FieldType::U8> code; };
        const Tablet tablets[] = {
            {"Biguanides", "MaskEdit1", "CheckBox29", "CheckBox30", fld::AnBiguanides, fld::Biguanides},
            {"Sulfamides", "MaskEdit2", "CheckBox31", "CheckBox32", fld::AnSulfamides, fld::Sulfamides},
            {"Inib Glucosidase", "MaskEdit3", "CheckBox33", "CheckBox34", fld::AnInhibGlucosidase,
             fld::InhibGlucosidase},
            {"Thiazolidinedines", "Edit9", "CheckBox95", "CheckBox96", fld::AnThiazolidinediones,
             fld::Thiazolidinediones},
        };
        int y = ry0 + 17;
        for (const Tablet& t : tablets) {
            const QString label = QString::fromUtf8(t.label);
            text(this, label, 80, y, 84);
            auto* e = entry(this, t.edit, 168, y, 36, 4, label + QString::fromUtf8(" début en"));
            auto* a = box(this, t.a, 222, y, label + " avant");
            auto* b = box(this, t.b, 258, y, label + QString::fromUtf8(" après"));
            pair(Family::BeforeAfter, t.code, a, b);
            intEntry(e, t.year, 4);
            y += 17;
        }
        QFrame* ins = block("PanelInsuline", 296, y0, 274, 104, kLightYellow);
        text(ins, avant, 132, 1, 30, 13, true);
        text(ins, apres, 172, 1, 30, 13, true);
        struct Insulin { const char* label; int a, b; Field<FieldType::U8> code; };
        const Insulin insulins[] = {
            {"Analogue :", 97, 103, fld::InsAnalogue}, {"Rapide :", 98, 104, fld::InsRapide},
            {"NPH :", 99, 105, fld::InsNph},           {"Mélanges fixes :", 100, 106, fld::InsMelanges},
            {"Lente :", 101, 107, fld::InsLente},      {"Insuline pompe :", 102, 108, fld::InsPompe},
        };
        int iy = 15;
        for (const Insulin& in : insulins) {
            const QString label = QString::fromUtf8(in.label);
            auto* l = text(ins, label, 8, iy, 116, kRowH, true);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const QString name = QString(label).remove(':').trimmed();
            auto* a = box(ins, QStringLiteral("CheckBox%1").arg(in.a), 136, iy, QString::fromUtf8("Insuline ") + name + " avant");
            auto* b = box(ins, QStringLiteral("CheckBox%1").arg(in.b), 176, iy,
                          QString::fromUtf8("Insuline ") + name + QString::fromUtf8(" après"));
            pair(Family::BeforeAfter, in.code, a, b, true);
            iy += 15;
        }
        groupFrame(17, 5, 13, QString::fromUtf8("Traitement\ndu\ndiabète"), 306, 108);
    }

    // Associated treatments: two rows of four columns.
    {
        const int y0 = 418;
        struct Assoc { const char* label; int a, b; Field<FieldType::U8> code; };
        const Assoc items[] = {
            {"HTA", 35, 36, fld::TrtHta},          {"Insuf.card.", 37, 38, fld::TrtInsufCard},
            {"Card.ischém.", 39, 40, fld::TrtCardIschem}, {"Dyslipidémie", 41, 42, fld::TrtDyslipidemie},
            {"Néphro.", 43, 44, fld::TrtNephro},    {"Neuro.", 45, 46, fld::TrtNeuro},
            {"Autre", 47, 48, fld::TrtAutre},
        };
        for (int c = 0; c < 4; ++c) {
            text(this, avant, 80 + c * 122 + 66, y0, 30, 13);
            text(this, apres, 80 + c * 122 + 96, y0, 30, 13);
        }
        for (int i = 0; i < 7; ++i) {
            const int x = 80 + (i % 4) * 122, y = y0 + 15 + (i / 4) * 18;
            const QString label = QString::fromUtf8(items[i].label);
            text(this, label, x, y, 68);
            auto* a = box(this, QStringLiteral("CheckBox%1").arg(items[i].a), x + 70, y, label + " avant");
            auto* b = box(this, QStringLiteral("CheckBox%1").arg(items[i].b), x + 100, y, label + QString::fromUtf8(" après"));
            pair(Family::BeforeAfter, items[i].code, a, b);
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
    tabOrder_.push_back(BitBtn1);
    tabOrder_.push_back(Button2);
    tabOrder_.push_back(BImp);

    for (std::size_t i = 1; i < tabOrder_.size(); ++i) setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}

void TFIB2::setBoxColour(QAbstractButton* b, bool chosen, bool yellow) {
    const QColor c = chosen ? kAqua : (yellow ? kLightYellow : kLight);
    QPalette pal = b->palette();
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Base, c);  // the box itself takes the colour
    pal.setColor(QPalette::WindowText, Qt::black);
    b->setPalette(pal);
    b->setProperty("colour", c);
}

void TFIB2::setPanelColour(QPushButton* panel, const QColor& c) {
    panel->setStyleSheet(QStringLiteral("background-color: %1;").arg(c.name()));
    panel->setProperty("colour", c);
}

QColor TFIB2::colourOf(const QString& controlName) const {
    auto* w = findChild<QWidget*>(controlName);
    return w ? w->property("colour").value<QColor>() : QColor();
}

void TFIB2::choiceClicked(std::size_t gi, std::size_t bi) {
    const ChoiceGroup& g = choices_[gi];
    FibRecord& r = state().buffer;
    QAbstractButton* clicked = g.boxes[bi];
    QAbstractButton* partner = g.boxes[1 - bi];
    switch (g.family) {
    case Family::Pair:
        partner->setChecked(false);
        setBoxColour(partner, false, g.yellow);
        setBoxColour(clicked, clicked->isChecked(), g.yellow);
        r.set(g.field, clicked->isChecked() ? std::uint8_t(bi + 1) : kEmptyU8);
        break;
    case Family::Radio:
        // The eye examination "oui" tests the symptoms first.
        if (g.field.offset == fld::ExamYeux.offset && bi == 0) Panel13Click();
        r.set(g.field, std::uint8_t(bi + 1));
        setBoxColour(clicked, true, g.yellow);
        setBoxColour(partner, false, g.yellow);
        break;
    case Family::BeforeAfter: {
        setBoxColour(clicked, clicked->isChecked(), g.yellow);
        const bool before = g.boxes[0]->isChecked(), after = g.boxes[1]->isChecked();
        r.set(g.field, before && after ? 3 : before ? 1 : after ? 2 : kEmptyU8);
        break;
    }
    }
}

void TFIB2::loadChoice(const ChoiceGroup& g) {
    syncChoice(g);
    const std::uint8_t v = state().buffer.get(g.field);
    // Ticking the eye examination "oui" does what its click does.
    if (g.family == Family::Radio && g.field.offset == fld::ExamYeux.offset && v == 1) Panel13Click();
}

void TFIB2::VisuFib2() {
    // Choices and entries together, in the order of their fields in the record.
    struct Step { std::uint16_t offset; const ChoiceGroup* choice; const EntryField* entry; };
    std::vector<Step> steps;
    for (const auto& g : choices_) steps.push_back({g.field.offset, &g, nullptr});
    for (const auto& e : entries_) steps.push_back({e.offset, nullptr, &e});
    std::stable_sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) { return a.offset < b.offset; });
    const FibRecord& r = state().buffer;
    for (const Step& s : steps) {
        if (s.choice) {
            loadChoice(*s.choice);
            continue;
        }
        const EntryField& e = *s.entry;
        QString t = e.type == FieldType::U8 ? QString::fromStdString(displayU8(r.get(Field<FieldType::U8>{e.offset, ""})))
                                            : QString::fromStdString(displayI32(r.get(Field<FieldType::I32>{e.offset, ""})));
        // The length limits typing only: a longer stored value is shown whole.
        e.edit->setMaxLength(std::max(e.maxLength, int(t.size())));
        e.edit->setText(t);
    }
}

checks::Entries TFIB2::entries() const {
    checks::Entries out;
    for (const auto& e : entries_) out[e.edit->objectName().toStdString()] = e.edit->text().toStdString();
    return out;
}

checks::Context TFIB2::checkContext() {
    checks::Context c;
    c.currentYear = state().CurrentYear;
    c.units = state().UnitCodes;
    c.readPage2Entries = state().ReadPage2Entries;
    return c;
}

void TFIB2::syncChoice(const ChoiceGroup& g) {
    const std::uint8_t v = state().buffer.get(g.field);
    std::array<bool, 2> ticks{};
    if (g.family == Family::BeforeAfter) ticks = {v == 1 || v == 3, v == 2 || v == 3};
    else ticks = {v == 1, v == 2};
    if (g.radios) g.radios->setExclusive(false);
    for (std::size_t i = 0; i < 2; ++i) {
        g.boxes[i]->setChecked(ticks[i]);
        setBoxColour(g.boxes[i], ticks[i], g.yellow);
    }
    if (g.radios) g.radios->setExclusive(true);
}

bool TFIB2::runPanel(int index) {
    QPushButton* panel = panels_[std::size_t(index)];
    setPanelColour(panel, kNavy);
    const checks::PanelResult res = kRoutines[std::size_t(index)](state().buffer, entries(), checkContext());
    // Answers the check gave itself are ticked on screen, without their own
    // click checks; a field the check cleared keeps its boxes as they are.
    for (const std::string& name : res.ticked)
        for (const ChoiceGroup& g : choices_)
            if (g.boxes[0]->objectName().toStdString() == name || g.boxes[1]->objectName().toStdString() == name)
                syncChoice(g);
    setPanelColour(panel, panelColour(res.colour));
    bool converted = true;
    for (const auto& f : res.findings) {
        if (f.kind == checks::Kind::Conversion) converted = false;
        if (!state().ShowCheckMessages && f.kind != checks::Kind::Conversion) continue;
        const QString text = QString::fromStdString(f.message);
        std::optional<QPoint> pos;
        if (f.pos) pos = QPoint(f.pos->first, f.pos->second);
        const bool warning = f.kind == checks::Kind::Warning || f.kind == checks::Kind::SilentWarning;
        if (warning && !f.errorIcon) ui().warning(text, pos);
        else ui().error(text, pos);
    }
    return converted;
}

void TFIB2::Panel13Click() { runPanel(0); }
void TFIB2::Panel15Click() { runPanel(1); }
void TFIB2::Panel16Click() { runPanel(2); }
void TFIB2::Panel17Click() { runPanel(3); }
void TFIB2::Panel18Click() { runPanel(4); }

bool TFIB2::runChecksSilently() {
    // Messages are off for the run and as they were afterwards, so that a
    // silent run inside another one stays silent.
    const bool shown = state().ShowCheckMessages;
    state().ShowCheckMessages = false;
    bool converted = true;
    for (int i = 0; i < 5; ++i) converted = runPanel(i) && converted;
    state().ShowCheckMessages = shown;
    return converted;
}

void TFIB2::markPanelsUnchecked() {
    for (QPushButton* p : panels_) setPanelColour(p, kAqua);
}

void TFIB2::BitBtn1Click() {
    state().buffer.set(fld::EtatFiche, kComplete);
    if (runPage1ChecksSilently) runPage1ChecksSilently();
    done(QDialog::Rejected);
}

void TFIB2::reject() { BitBtn1Click(); }

void TFIB2::Button2Click() {
    if (state().buffer.get(fld::EtatFiche) != kAnnulled) state().buffer.set(fld::EtatFiche, kComplete);
    runChecksSilently();
}

void TFIB2::BImpClick() {
    RunState& s = state();
    const bool shown = s.ShowCheckMessages;
    s.ShowCheckMessages = false;
    if (s.buffer.get(fld::EtatFiche) != kAnnulled) s.buffer.set(fld::EtatFiche, kComplete);
    bool readable = runPage1ChecksSilently ? runPage1ChecksSilently() : true;
    readable = runChecksSilently() && readable;
    s.ShowCheckMessages = shown;
    // An entry that is not a number was shown as an error and left the entries
    // after it unread: the sheet is not printed with values other than those typed.
    if (!readable) return;

    const std::string date = page1Date ? page1Date().toStdString() : s.buffer.date();
    const FibUnitLabels units = page1UnitLabels ? page1UnitLabels() : unitLabelsFor(s.UnitCodes);
    ui().print(fibPrintLayout(s.buffer, date, units));
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

void connectEntryPages(TFIB1& page1, TFIB2& page2) {
    page1.loadPage2 = [&page2] { page2.VisuFib2(); };
    page1.runPage2Checks = [&page2] { return page2.runChecksSilently(); };
    page2.runPage1ChecksSilently = [&page1] { return page1.runChecksSilently(); };
    page2.page1Date = [&page1] {
        auto* e = page1.findChild<QLineEdit*>(QStringLiteral("MaskEdit19"));
        return e ? e->text() : QString();
    };
    page2.page1UnitLabels = [&page1] {
        FibUnitLabels u;
        auto take = [&page1](const char* name, std::string& out) {
            if (auto* l = page1.findChild<QLabel*>(QString::fromLatin1(name))) out = l->text().toStdString();
        };
        take("Label81", u.glycemie);
        take("Label87", u.creatinine);
        take("Label86", u.cholesterol);
        take("Label90", u.hdl);
        take("Label91", u.triglycerides);
        return u;
    };
}

}  // namespace pelo
