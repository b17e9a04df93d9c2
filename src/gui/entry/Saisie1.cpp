#include "entry/Saisie1.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/Navigation.h"
#include "entry/Choices.h"
#include "entry/Saisie2.h"
#include "eval/Risque.h"
#include "store/RecordFile.h"
#include "store/Text.h"
#include "store/Units.h"

namespace pelo {

namespace {

using Routine = checks::PanelResult (*)(FibRecord&, const checks::Entries&, const checks::Context&);

struct PanelDef {
    const char* name;
    Routine routine;
    const char* group;  // for the help button's accessible name
};

// The check panels in the order the full run executes them.
const PanelDef kPanels[8] = {
    {"Panel23", &checks::Panel23Click, "Identification"},
    {"Panel22", &checks::Panel22Click, "Consultation ou hospitalisation"},
    {"Panel24", &checks::Panel24Click, "Grossesse"},
    {"Panel25", &checks::Panel25Click, "Facteurs de risques"},
    {"Panel26", &checks::Panel26Click, "Autosurveillance"},
    {"Panel27", &checks::Panel27Click, "Education"},
    {"Panel28", &checks::Panel28Click, "Dernières valeurs"},
    {"Panel29", &checks::Panel29Click, "Objectifs de St-Vincent"},
};

constexpr int kRowPitch = 19;
constexpr int kRowHeight = 17;
constexpr int kCaptionWidth = 74;
constexpr int kContentX = 74;
constexpr int kFrameX = 1;
constexpr int kFrameW = 600;

QString u(const char* s) { return QString::fromUtf8(s); }

int rowY(int r) { return 3 + r * kRowPitch; }

QColor toQColor(checks::Colour c) {
    switch (c) {
    case checks::Colour::Navy: return colours::Navy;
    case checks::Colour::Orange: return colours::Orange;
    case checks::Colour::Red: return colours::Red;
    }
    return colours::Navy;
}

void setTextColour(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    w->setPalette(pal);
}

}  // namespace

TFIB1::TFIB1(AppContext& ctx) : Form(ctx, "TFIB1", u("Fiche d'Information de Base (1)")) {
    setScalable(true);
    setPaintsGradient(true);
    setFixedSize(640, 480);
    QFont f("Arial");
    f.setPointSize(8);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colours::Navy);
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    buildPage();
    buildTabOrder();
}

// ---------------------------------------------------------------------------
// Layout

int TFIB1::advance(const QString& t) const { return fontMetrics().horizontalAdvance(t); }

QFrame* TFIB1::group(const QString& name, const QString& caption, int y, int h, int panelNo, int helpNo) {
    auto* fr = new QFrame(this);
    fr->setObjectName(name);
    fr->setGeometry(kFrameX, y, kFrameW, h);
    fr->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette pal = fr->palette();
    pal.setColor(QPalette::WindowText, QColor(160, 160, 200));
    fr->setPalette(pal);

    auto* cap = new QLabel(caption, fr);
    cap->setObjectName(name + "Caption");
    QFont cf = font();
    cf.setPointSize(7);
    cap->setFont(cf);
    setTextColour(cap, Qt::white);
    cap->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cap->setGeometry(3, 2, kCaptionWidth - 4, h - 4);
    cap->setAccessibleName(QString(caption).replace('\n', ' '));

    // Check panel at the right edge of the group, then its help button.
    auto* p = new QPushButton(this);
    p->setObjectName(kPanels[panelNo].name);
    p->setToolTip(u("Contrôle"));
    p->setAccessibleName(u("Contrôle : ") + u(kPanels[panelNo].group));
    p->setFocusPolicy(Qt::NoFocus);
    p->setGeometry(kFrameX + kFrameW + 2, y + 1, 10, h - 2);
    panels_[panelNo] = p;
    setPanelColour(p, colours::Aqua);
    connect(p, &QPushButton::clicked, this, [this, panelNo] { runPanel(panelNo); });

    auto* hb = new QPushButton("?", this);
    hb->setObjectName(QString("BitBtn%1").arg(helpNo + 2));
    hb->setToolTip(u("Aide"));
    hb->setAccessibleName(u("Aide : ") + u(kPanels[panelNo].group));
    hb->setFocusPolicy(Qt::NoFocus);
    hb->setAutoDefault(false);
    hb->setGeometry(kFrameX + kFrameW + 15, y + 1, 22, std::min(h - 2, 22));
    helpButtons_.push_back(hb);
    connect(hb, &QPushButton::clicked, this, [this, helpNo] { openHelp(helpNo + 1); });
    return fr;
}

QLabel* TFIB1::text(QWidget* parent, const QString& name, const QString& t, int x, int y, int w) {
    auto* l = new QLabel(t, parent);
    l->setObjectName(name);
    setTextColour(l, Qt::white);
    l->setGeometry(x, y, w < 0 ? advance(t) + 4 : w, kRowHeight);
    l->setAccessibleName(t.trimmed());
    return l;
}

QLineEdit* TFIB1::entry(QWidget* parent, const QString& name, int x, int y, int w, int maxLen,
                        const QString& accessible) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, kRowHeight);
    if (maxLen > 0) e->setMaxLength(maxLen);
    e->setAccessibleName(accessible);
    e->setTextMargins(0, 0, 0, 0);
    edits_[name] = e;
    editOrder_.push_back(e);
    tabOrder_.push_back(e);
    return e;
}

QAbstractButton* TFIB1::radio(QWidget* parent, const QString& name, const QString& t, int x, int y,
                              const QString& accessible) {
    auto* b = new QRadioButton(t, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, advance(t) + 20, kRowHeight);
    b->setAccessibleName(accessible.isEmpty() ? t : accessible);
    setTextColour(b, Qt::black);
    setBoxColour(b, false);
    tabOrder_.push_back(b);
    return b;
}

QAbstractButton* TFIB1::tick(QWidget* parent, const QString& name, const QString& t, int x, int y,
                             const QString& accessible) {
    auto* b = new QCheckBox(t, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, t.isEmpty() ? 18 : advance(t) + 20, kRowHeight);
    b->setAccessibleName(accessible.isEmpty() ? t : accessible);
    setTextColour(b, Qt::black);
    setBoxColour(b, false);
    tabOrder_.push_back(b);
    return b;
}

void TFIB1::addChoice(Family f, Field<FieldType::U8> field, std::vector<QAbstractButton*> boxes, bool exclusive) {
    ChoiceGroup g{f, field, std::move(boxes), exclusive, nullptr};
    if (f == Family::Radio) {
        g.radios = new QButtonGroup(this);
        for (auto* b : g.boxes) g.radios->addButton(b);
    }
    const std::size_t gi = choices_.size();
    for (std::size_t i = 0; i < g.boxes.size(); ++i)
        connect(g.boxes[i], &QAbstractButton::clicked, this, [this, gi, i] { choiceClicked(gi, i); });
    choices_.push_back(std::move(g));
}

void TFIB1::buildPage() {
    int x = 0;
    // Moves the cursor past a widget and a gap.
    auto next = [&x]<class W>(W* w, int gap = 3) -> W* {
        x = w->geometry().right() + 1 + gap;
        return w;
    };

    // Identification.
    QFrame* g = group("GroupeIdentification", u("Données\nde\nBase"), 2, 3 * kRowPitch + 5, 0, 0);
    int y = rowY(0);
    x = kContentX;
    next(text(g, "LabC", "C", x, y));
    auto* Edit12 = entry(g, "Edit12", x, y, 36, 0, u("Numéro du centre"));
    Edit12->setReadOnly(true);
    Edit12->setFocusPolicy(Qt::NoFocus);
    next(Edit12, 8);
    next(text(g, "LabF", "F", x, y));
    auto* Edit13 = entry(g, "Edit13", x, y, 40, 0, u("Numéro de la fiche"));
    Edit13->setReadOnly(true);
    Edit13->setFocusPolicy(Qt::NoFocus);
    next(Edit13, 14);
    auto* MaskEdit19 = entry(g, "MaskEdit19", x, y, 70, 10, u("Date de la fiche"));
    // Day and month digits may stay blank, the year's four are required.
    MaskEdit19->setInputMask("00/00/9999");
    next(MaskEdit19, 14);
    next(text(g, "LabN", "N", x, y));
    auto* Edit3 = entry(g, "Edit3", x, y, 18, 1, u("Initiale du nom"));
    connect(Edit3, &QLineEdit::textEdited, Edit3, [Edit3](const QString& t) {
        const QString up = t.toUpper();
        if (up != t) Edit3->setText(up);
    });
    next(Edit3, 14);
    next(text(g, "LabNaiss", u("Naiss. mois"), x, y));
    next(entry(g, "Edit4", x, y, 22, 2, u("Mois de naissance")), 8);
    next(text(g, "LabAn", "An", x, y));
    auto* Edit5 = entry(g, "Edit5", x, y, 36, 4, u("Année de naissance"));
    Edit5->setText("19..");
    Edit5->setToolTip(u("Saisie obligatoire"));

    y = rowY(1);
    x = kContentX;
    next(text(g, "LabSexe", "Sexe", x, y));
    auto* RadioButton10 = next(radio(g, "RadioButton10", "M", x, y, u("Sexe M")));
    auto* RadioButton11 = next(radio(g, "RadioButton11", "F", x, y, u("Sexe F")), 24);
    addChoice(Family::Radio, fld::Sexe, {RadioButton10, RadioButton11});
    next(text(g, "LabType", u("Type de diabète"), x, y));
    auto* RadioButton12 = next(radio(g, "RadioButton12", "Type 1", x, y));
    auto* RadioButton13 = next(radio(g, "RadioButton13", "Type 2", x, y));
    auto* RadioButton14 = next(radio(g, "RadioButton14", "Autre", x, y, u("Type de diabète autre")));
    addChoice(Family::Radio, fld::TypeDiabete, {RadioButton12, RadioButton13, RadioButton14});

    y = rowY(2);
    x = kContentX;
    auto* labDebut = next(text(g, "LabDebut", u("Début"), x, y), 10);
    labDebut->setToolTip(u("Au moins une date"));
    next(text(g, "LabDiabete", u("Diabète"), x, y));
    auto* MaskEdit1 = next(entry(g, "MaskEdit1", x, y, 36, 4, u("Début du diabète")), 12);
    next(text(g, "LabComprimes", u("Comprimés"), x, y));
    auto* Edit1 = next(entry(g, "Edit1", x, y, 36, 4, u("Début des comprimés")), 12);
    next(text(g, "LabInsuline", u("Insuline"), x, y));
    auto* Edit2 = entry(g, "Edit2", x, y, 36, 4, u("Début de l'insuline"));
    for (QWidget* w : {static_cast<QWidget*>(MaskEdit1), static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2)}) {
        static_cast<QLineEdit*>(w)->setText("19");
        w->setToolTip(u("Au moins une date"));
    }

    // Contact and reason.
    g = group("GroupeMotif", u("Consult.\nou Hospit.\n1 Motif"), 66, 2 * kRowPitch + 5, 1, 1);
    y = rowY(0);
    x = kContentX;
    auto* RadioButton1 = next(radio(g, "RadioButton1", "Consultation", x, y), 10);
    auto* RadioButton2 = next(radio(g, "RadioButton2", "Hospitalisation", x, y));
    addChoice(Family::Radio, fld::ConsultHospit, {RadioButton1, RadioButton2});
    y = rowY(1);
    x = kContentX;
    std::vector<QAbstractButton*> motifs;
    const char* motifTexts[] = {"Surveillance", "Déséquilibre", "Complication", "Urgence",
                                "Diag. récent", "Grossesse", "Autre"};
    for (int i = 0; i < 7; ++i) {
        const QString t = u(motifTexts[i]);
        motifs.push_back(next(radio(g, QString("RadioButton%1").arg(3 + i), t, x, y,
                                    i == 6 ? u("Motif autre") : u("Motif ") + t), 2));
    }
    addChoice(Family::Radio, fld::Motif, motifs);

    // Pregnancy ended in the last 12 months.
    Panel10 = group("Panel10", u("Grossesse\nachevée dans\nles 12 derniers\nmois"), 111, 46, 2, 2);
    y = 14;
    x = kContentX;
    const char* pregTexts[] = {"Enfant normal", "F.C.", "Malformation", "Mort périnatale"};
    const char* pregNames[] = {"Edit9", "Edit8", "Edit7", "Edit6"};
    for (int i = 0; i < 4; ++i) {
        next(text(Panel10, QString("LabGross%1").arg(i), u(pregTexts[i]), x, y));
        next(entry(Panel10, pregNames[i], x, y, 18, 1, u("Grossesse : ") + u(pregTexts[i])), 16);
    }

    // Current risk factors.
    g = group("GroupeRisques", u("Facteurs de\nrisques\nactuels"), 157, 2 * kRowPitch + 5, 3, 3);
    y = rowY(0);
    x = kContentX;
    auto* CheckBox1 = next(tick(g, "CheckBox1", u("Diabète dans la famille"), x, y), 20);
    addChoice(Family::Single, fld::DiabeteFamille, {CheckBox1});
    const int riskX = x;
    next(text(g, "LabTabac", "Tabac", x, y, advance("Alcool") + 8));
    auto* CheckBox2 = next(tick(g, "CheckBox2", "oui", x, y, "Tabac oui"));
    auto* CheckBox4 = next(tick(g, "CheckBox4", "non", x, y, "Tabac non"), 10);
    addChoice(Family::Pair, fld::Tabac, {CheckBox2, CheckBox4});
    next(text(g, "LabQ", "Q=", x, y));
    next(entry(g, "Edit10", x, y, 22, 2, u("Cigarettes par jour")));
    text(g, "LabCig", "cigarettes / jour", x, y);
    y = rowY(1);
    x = riskX;
    next(text(g, "LabAlcool", "Alcool", x, y, advance("Alcool") + 8));
    auto* CheckBox3 = next(tick(g, "CheckBox3", "oui", x, y, "Alcool oui"));
    auto* CheckBox5 = next(tick(g, "CheckBox5", "non", x, y, "Alcool non"), 10);
    addChoice(Family::Pair, fld::Alcool, {CheckBox3, CheckBox5});
    x += advance("Q=") + 7;
    next(entry(g, "Edit11", x, y, 36, 4, u("Alcool, grammes par semaine")));
    text(g, "LabGr", "gr / semaine", x, y);

    // Self-monitoring.
    g = group("GroupeAutosurveillance", u("Auto-\nsurveillance"), 200, 28, 4, 4);
    y = 5;
    x = kContentX;
    auto* RadioButton15 = next(radio(g, "RadioButton15", "Oui", x, y, u("Autosurveillance oui")));
    auto* RadioButton16 = next(radio(g, "RadioButton16", "Non", x, y, u("Autosurveillance non")), 20);
    addChoice(Family::Radio, fld::AutoSurveillance, {RadioButton15, RadioButton16});
    next(text(g, "LabGlycemies", u("Glycémies"), x, y));
    next(entry(g, "MaskEdit2", x, y, 22, 2, u("Glycémies par semaine")));
    next(text(g, "LabSemaine", "/ semaine", x, y), 20);
    next(text(g, "LabGlycosurie", u("Glycosurie/Cétonurie"), x, y));
    next(entry(g, "MaskEdit3", x, y, 22, 2, u("Glycosuries par semaine")));
    text(g, "LabSem", "/ sem.", x, y);

    // Education and association.
    g = group("GroupeEducation", u("Education"), 228, 3 * kRowPitch + 5, 5, 5);
    auto* assoc = new QLabel(u("Association"), g);
    assoc->setObjectName("LabAssociation");
    {
        QFont cf = font();
        cf.setPointSize(7);
        assoc->setFont(cf);
    }
    setTextColour(assoc, Qt::white);
    assoc->setGeometry(3, rowY(2), kCaptionWidth - 4, kRowHeight);
    struct Pair {
        const char* caption;
        const char* oui;
        const char* non;
        Field<FieldType::U8> field;
    };
    const Pair educ[] = {
        {"Alimentation", "CheckBox6", "CheckBox8", fld::EducAlimentation},
        {"Autosurveillance", "CheckBox7", "CheckBox9", fld::EducAutosurveillance},
        {"Soins pieds", "CheckBox10", "CheckBox11", fld::EducSoinsPieds},
        {"Hypoglycémies", "CheckBox12", "CheckBox13", fld::EducHypoglycemies},
        {"Complications", "CheckBox14", "CheckBox16", fld::EducComplications},
        {"Ajust. insuline", "CheckBox15", "CheckBox17", fld::EducAjustInsuline},
        {"Membre d'une association de diabétiques", "CheckBox18", "CheckBox19", fld::Association},
    };
    // Three columns of pairs; the association on its own row.
    int capW = 0;
    for (int i = 0; i < 6; ++i) capW = std::max(capW, advance(u(educ[i].caption)) + 8);
    const int colW = capW + advance("oui") + advance("non") + 2 * 20 + 6 + 8;
    for (int i = 0; i < 7; ++i) {
        y = rowY(i == 6 ? 2 : i / 3);
        x = kContentX + (i == 6 ? 0 : (i % 3) * colW);
        const QString cap = u(educ[i].caption);
        next(text(g, QString("LabEduc%1").arg(i), cap, x, y, i == 6 ? -1 : capW));
        auto* oui = next(tick(g, educ[i].oui, "oui", x, y, cap + " oui"));
        auto* non = next(tick(g, educ[i].non, "non", x, y, cap + " non"));
        addChoice(Family::Pair, educ[i].field, {oui, non});
    }

    // Last measures and laboratory values.
    g = group("GroupeMesures", u("Données\nDernières\nvaleurs des\n12 derniers\nmois"), 290, 4 * kRowPitch + 5, 6, 6);
    y = rowY(0);
    x = kContentX;
    struct Measure {
        const char* caption;
        const char* name;
        const char* unit;
        const char* accessible;
    };
    const Measure row1[] = {{"Poids", "MaskEdit7", "Kg", "Poids"},
                            {"Taille", "MaskEdit6", "cm", "Taille"},
                            {"T.Taille", "MaskEdit5", "cm", "Tour de taille"},
                            {"T.hanches", "MaskEdit4", "cm", "Tour de hanches"}};
    for (const auto& m : row1) {
        next(text(g, QString("Lab") + m.name, u(m.caption), x, y));
        next(entry(g, m.name, x, y, 36, 0, u(m.accessible)));
        next(text(g, QString("Unit") + m.name, u(m.unit), x, y), 14);
    }
    y = rowY(1);
    x = kContentX;
    next(text(g, "LabTA", "TA Syst / diast", x, y));
    next(entry(g, "MaskEdit8", x, y, 32, 0, u("TA systolique")));
    next(text(g, "LabSlash", "/", x, y));
    next(entry(g, "MaskEdit9", x, y, 32, 0, u("TA diastolique")));
    next(text(g, "LabMmHg", "mmHg", x, y), 14);
    const int unitW = advance("mmol/l") + 5;
    next(text(g, "LabChol", u("Cholestérol"), x, y));
    next(entry(g, "MaskEdit11", x, y, 36, 0, u("Cholestérol")));
    Label86 = (next(text(g, "Label86", "mmol/l", x, y, unitW), 6));
    next(text(g, "LabHdl", "HDL", x, y));
    next(entry(g, "MaskEdit12", x, y, 36, 0, u("HDL")));
    Label90 = text(g, "Label90", "mmol/l", x, y, unitW);

    y = rowY(2);
    x = kContentX;
    next(text(g, "LabTrig", u("Triglycérides"), x, y));
    next(entry(g, "MaskEdit10", x, y, 36, 0, u("Triglycérides")));
    Label91 = (next(text(g, "Label91", "mmol/l", x, y, unitW), 6));
    next(text(g, "LabJeun", u("à jeun"), x, y));
    auto* CheckBox20 = next(tick(g, "CheckBox20", "oui", x, y, u("Triglycérides à jeun oui")));
    auto* CheckBox21 = next(tick(g, "CheckBox21", "non", x, y, u("Triglycérides à jeun non")), 8);
    next(text(g, "LabGly", u("Gly.jeun"), x, y));
    next(entry(g, "MaskEdit13", x, y, 36, 0, u("Glycémie à jeun")));
    Label81 = (next(text(g, "Label81", "mmol/l", x, y, unitW), 6));
    next(text(g, "LabHba", "HbA1C", x, y));
    next(entry(g, "MaskEdit14", x, y, 36, 0, u("HbA1C")));
    text(g, "LabPct", "%", x, y);

    y = rowY(3);
    x = kContentX;
    next(text(g, "LabFruct", u("Fructos."), x, y));
    next(entry(g, "MaskEdit15", x, y, 36, 0, u("Fructosamine")), 14);
    next(text(g, "LabCreat", u("Créatinine"), x, y));
    next(entry(g, "MaskEdit16", x, y, 36, 0, u("Créatinine")));
    Label87 = (next(text(g, "Label87", u("µmol/l"), x, y, unitW), 6));
    next(text(g, "LabMicro", u("Microalb."), x, y));
    next(entry(g, "MaskEdit17", x, y, 36, 0, u("Microalbuminurie")));
    next(text(g, "LabMgJ", "mg/j", x, y), 10);
    next(text(g, "LabProt", u("Protéinu."), x, y));
    next(entry(g, "MaskEdit18", x, y, 36, 0, u("Protéinurie")));
    text(g, "LabGJ", "g/j", x, y);

    // The pair comes after the triglycerides in the record's order of loading,
    // but is placed with them.
    addChoice(Family::Pair, fld::TrigAJeun, {CheckBox20, CheckBox21});

    // St-Vincent objectives.
    g = group("GroupeStVincent", u("Objectifs\nde\nSt-Vincent"), 372, 14 + 3 * kRowPitch + 5, 7, 7);
    struct Row {
        const char* caption;
        const char* boxes[3];
        Field<FieldType::U8> field;
        bool exclusive;
    };
    const Row rows[] = {
        {"Cécité", {"CheckBox22", "CheckBox25", "CheckBox28"}, fld::Cecite, true},
        {"Infarctus", {"CheckBox23", "CheckBox26", "CheckBox29"}, fld::Infarctus, false},
        {"AVC", {"CheckBox24", "CheckBox27", "CheckBox30"}, fld::Avc, false},
        {"Insuffisance rénale", {"CheckBox31", "CheckBox34", "CheckBox37"}, fld::InsufRenale, true},
        {"Amputation > cheville", {"CheckBox32", "CheckBox35", "CheckBox38"}, fld::AmputSup, false},
        {"Amputation < cheville", {"CheckBox33", "CheckBox36", "CheckBox39"}, fld::AmputInf, false},
    };
    const char* heads[] = {"Oui < 12 mois", "Oui ancien", "non"};
    const char* headAcc[] = {" oui < 12 mois", " oui ancien", " non"};
    QFont small = font();
    small.setPointSize(7);
    const int boxW = 54;
    const int labW[2] = {advance(u("Infarctus")) + 10, advance(u("Amputation > cheville")) + 10};
    int colX = kContentX;
    for (int c = 0; c < 2; ++c) {
        for (int h = 0; h < 3; ++h) {
            auto* hl = text(g, QString("LabStV%1_%2").arg(c).arg(h), u(heads[h]), colX + labW[c] + h * boxW - 6, 2,
                            boxW + 12);
            hl->setFont(small);
            hl->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            hl->setFixedHeight(13);
        }
        for (int r = 0; r < 3; ++r) {
            const Row& row = rows[c * 3 + r];
            const int ry = 15 + r * kRowPitch;
            text(g, QString("LabStV%1").arg(c * 3 + r), u(row.caption), colX, ry, labW[c]);
            std::vector<QAbstractButton*> bx;
            for (int h = 0; h < 3; ++h) {
                auto* b = tick(g, row.boxes[h], "", colX + labW[c] + h * boxW + (boxW - 18) / 2, ry,
                               u(row.caption) + u(headAcc[h]));
                b->setToolTip(u(heads[h]));
                bx.push_back(b);
            }
            addChoice(Family::Complication, row.field, bx, row.exclusive);
        }
        colX += labW[c] + 3 * boxW + 16;
    }

    // Buttons of the page.
    Button2 = addButton("Button2", "CTRL", 70, 453, 90, 24);
    Button3 = addButton("Button3", "Risques", 170, 453, 90, 24);
    BitBtn1 = addButton("BitBtn1", "SUITE", 400, 453, 100, 24);
    BitBtn11 = addButton("BitBtn11", "Menu", 510, 453, 100, 24);
    BitBtn1->setAccessibleName(u("SUITE : page 2 de la fiche"));
    BitBtn11->setAccessibleName(u("Menu : sauvegarde de la fiche"));
    connect(Button2, &QPushButton::clicked, this, &TFIB1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFIB1::Button3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFIB1::BitBtn1Click);
    connect(BitBtn11, &QPushButton::clicked, this, &TFIB1::BitBtn11Click);
    tabOrder_.push_back(BitBtn1);
    tabOrder_.push_back(Button2);
    tabOrder_.push_back(Button3);
    tabOrder_.push_back(BitBtn11);
}

void TFIB1::buildTabOrder() {
    // The sheet's order, group by group; the read-only numbers are skipped.
    QWidget* prev = nullptr;
    for (QWidget* w : tabOrder_) {
        if (w->focusPolicy() == Qt::NoFocus) continue;
        if (prev) setTabOrder(prev, w);
        prev = w;
    }
}

// ---------------------------------------------------------------------------
// Colours

void TFIB1::setPanelColour(QPushButton* p, const QColor& c) {
    p->setProperty("colour", c);
    p->setStyleSheet(QString("QPushButton { background-color: %1; border: 1px solid #8080a0; }").arg(c.name()));
}

void TFIB1::setBoxColour(QAbstractButton* b, bool chosen) {
    const QColor& c = chosen ? colours::Aqua : colours::Light;
    b->setProperty("colour", c);
    QPalette pal = b->palette();
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Button, c);
    b->setPalette(pal);
    b->setAutoFillBackground(true);
}

QColor TFIB1::colourOf(const QString& controlName) const {
    auto* w = findChild<QWidget*>(controlName);
    return w ? w->property("colour").value<QColor>() : QColor();
}

// ---------------------------------------------------------------------------
// Choice controls

void TFIB1::choiceClicked(std::size_t gi, std::size_t bi) {
    ChoiceGroup& g = choices_[gi];
    FibRecord& rec = state().buffer;
    QAbstractButton* b = g.boxes[bi];
    switch (g.family) {
    case Family::Radio: {
        // Contact and self-monitoring first store the entries they depend on.
        const QString n = b->objectName();
        if (n == "RadioButton1" || n == "RadioButton2") runSilently({0});
        else if (n == "RadioButton15") runSilently({0, 1, 2, 3});
        else if (n == "RadioButton16") runSilently({1, 2, 3});
        rec.set(g.field, static_cast<std::uint8_t>(bi + 1));
        b->setChecked(true);
        afterRadio(b);
        break;
    }
    case Family::Single:
    case Family::Pair:
        rec.set(g.field, choices::clickedCode(static_cast<std::uint8_t>(bi + 1), b->isChecked()));
        break;
    case Family::Complication: {
        choices::RowTicks t{};
        for (int i = 0; i < 3; ++i) t[i] = g.boxes[i]->isChecked();
        rec.set(g.field, choices::complicationClick(g.exclusive, t, static_cast<choices::Box>(bi)).value);
        break;
    }
    }
    syncGroup(g);
}

void TFIB1::afterRadio(QAbstractButton* b) {
    if (b->objectName() == "RadioButton10") Panel10->setEnabled(false);
    else if (b->objectName() == "RadioButton11") Panel10->setEnabled(true);
}

void TFIB1::syncGroup(const ChoiceGroup& g) {
    const std::uint8_t v = state().buffer.get(g.field);
    std::vector<bool> on(g.boxes.size(), false);
    switch (g.family) {
    case Family::Radio:
    case Family::Single:
        if (v >= 1 && v <= g.boxes.size()) on[v - 1] = true;
        break;
    case Family::Pair: {
        auto t = choices::pairTicks(v);
        on = {t[0], t[1]};
        break;
    }
    case Family::Complication: {
        auto t = choices::complicationTicks(v);
        on = {t[0], t[1], t[2]};
        break;
    }
    }
    if (g.radios) g.radios->setExclusive(false);
    for (std::size_t i = 0; i < g.boxes.size(); ++i) {
        g.boxes[i]->setChecked(on[i]);
        setBoxColour(g.boxes[i], on[i]);
    }
    if (g.radios) g.radios->setExclusive(true);
}

void TFIB1::syncAllChoices() {
    for (const auto& g : choices_) syncGroup(g);
}

const TFIB1::ChoiceGroup* TFIB1::groupOf(Field<FieldType::U8> field) const {
    for (const auto& g : choices_)
        if (g.field.offset == field.offset) return &g;
    return nullptr;
}

void TFIB1::loadChoice(const ChoiceGroup& g) {
    syncGroup(g);
    if (g.family != Family::Radio) return;
    const std::uint8_t v = state().buffer.get(g.field);
    if (v < 1 || v > g.boxes.size()) {
        // No sex chosen: the pregnancy counts stay open for typing.
        if (g.field.offset == fld::Sexe.offset) Panel10->setEnabled(true);
        return;
    }
    QAbstractButton* b = g.boxes[v - 1];
    const QString n = b->objectName();
    if (n == "RadioButton1" || n == "RadioButton2") runSilently({0});
    else if (n == "RadioButton15") runSilently({0, 1, 2, 3});
    else if (n == "RadioButton16") runSilently({1, 2, 3});
    // The silent checks may have changed other fields, never this one.
    state().buffer.set(g.field, v);
    syncGroup(g);
    afterRadio(b);
}

// ---------------------------------------------------------------------------
// Loading

void TFIB1::showNumbers(int centre, int fib) {
    edits_["Edit12"]->setText(QString::number(centre));
    edits_["Edit13"]->setText(QString::number(fib));
}

void TFIB1::setUnitLabels() {
    const auto& units = state().UnitCodes;
    auto label = [&units](UnitIndex row) { return QString::fromStdString(units::label(row, units[row])); };
    Label81->setText(label(kUnitGly));
    Label87->setText(label(kUnitCreat));
    Label86->setText(label(kUnitChol));
    Label90->setText(label(kUnitHdl));
    Label91->setText(label(kUnitTrig));
}

void TFIB1::VisuFib1() {
    const FibRecord& r = state().buffer;
    auto setI32 = [&](const char* name, Field<FieldType::I32> f) {
        edits_[name]->setText(QString::fromStdString(displayI32(r.get(f))));
    };
    auto setU8 = [&](const char* name, Field<FieldType::U8> f) {
        edits_[name]->setText(QString::fromStdString(displayU8(r.get(f))));
    };
    auto setF32 = [&](const char* name, Field<FieldType::F32> f) {
        edits_[name]->setText(QString::fromStdString(displayF32(r.get(f))));
    };
    auto choice = [&](Field<FieldType::U8> f) {
        if (const ChoiceGroup* g = groupOf(f)) loadChoice(*g);
    };

    edits_["MaskEdit19"]->setText(QString::fromStdString(r.date()));
    edits_["Edit3"]->setText(QString::fromStdString(r.initiale()));
    setU8("Edit4", fld::MoisNaissance);
    setI32("Edit5", fld::AnNaissance);
    choice(fld::Sexe);
    choice(fld::TypeDiabete);
    setI32("MaskEdit1", fld::AnDebutDiabete);
    setI32("Edit1", fld::AnDebutComprimes);
    setI32("Edit2", fld::AnDebutInsuline);
    choice(fld::ConsultHospit);
    choice(fld::Motif);
    setU8("Edit9", fld::GrossEnfantNormal);
    setU8("Edit8", fld::GrossFC);
    setU8("Edit7", fld::GrossMalformation);
    setU8("Edit6", fld::GrossMortPerinatale);
    choice(fld::DiabeteFamille);
    choice(fld::Tabac);
    choice(fld::Alcool);
    setI32("Edit10", fld::Cigarettes);
    setI32("Edit11", fld::AlcoolGrSemaine);
    choice(fld::AutoSurveillance);
    setI32("MaskEdit2", fld::GlycemiesSemaine);
    setI32("MaskEdit3", fld::GlycosuriesSemaine);
    choice(fld::EducAlimentation);
    choice(fld::EducAutosurveillance);
    choice(fld::EducSoinsPieds);
    choice(fld::EducHypoglycemies);
    choice(fld::EducComplications);
    choice(fld::EducAjustInsuline);
    choice(fld::Association);
    setI32("MaskEdit7", fld::Poids);
    setI32("MaskEdit6", fld::Taille);
    setI32("MaskEdit5", fld::TourTaille);
    setI32("MaskEdit4", fld::TourHanches);
    setI32("MaskEdit8", fld::TaSyst);
    setI32("MaskEdit9", fld::TaDiast);
    setF32("MaskEdit13", fld::GlyJeun);
    setF32("MaskEdit14", fld::HbA1c);
    setF32("MaskEdit15", fld::Fructosamine);
    setF32("MaskEdit16", fld::Creatinine);
    setF32("MaskEdit17", fld::Microalb);
    setF32("MaskEdit18", fld::Proteinurie);
    setF32("MaskEdit11", fld::Cholesterol);
    setF32("MaskEdit12", fld::Hdl);
    setF32("MaskEdit10", fld::Triglycerides);
    setUnitLabels();
    choice(fld::TrigAJeun);
    choice(fld::Cecite);
    choice(fld::Infarctus);
    choice(fld::Avc);
    choice(fld::InsufRenale);
    choice(fld::AmputSup);
    choice(fld::AmputInf);

    for (auto* p : panels_) setPanelColour(p, colours::Aqua);
}

// ---------------------------------------------------------------------------
// Checks

checks::Entries TFIB1::entries() const {
    checks::Entries out;
    for (const auto& [name, e] : edits_) out[name.toStdString()] = e->text().toStdString();
    return out;
}

checks::Context TFIB1::checkContext() {
    checks::Context c;
    c.currentYear = state().CurrentYear;
    c.units = state().UnitCodes;
    c.readPage2Entries = state().ReadPage2Entries;
    return c;
}

bool TFIB1::runPanel(int index) {
    const checks::PanelResult res =
        kPanels[index].routine(state().buffer, entries(), checkContext());
    setPanelColour(panels_[index], toQColor(res.colour));
    bool converted = true;
    for (const auto& f : res.findings) {
        const bool conversion = f.kind == checks::Kind::Conversion;
        if (conversion) converted = false;
        if (!state().ShowCheckMessages && !conversion) continue;
        std::optional<QPoint> pos;
        if (f.pos) pos = QPoint(f.pos->first, f.pos->second);
        const QString msg = QString::fromStdString(f.message);
        if (f.kind == checks::Kind::Warning || f.kind == checks::Kind::SilentWarning) ui().warning(msg, pos);
        else ui().error(msg, pos);
    }
    syncAllChoices();
    return converted;
}

bool TFIB1::runSilently(std::initializer_list<int> panels) {
    const bool was = state().ShowCheckMessages;
    state().ShowCheckMessages = false;
    bool converted = true;
    for (int p : panels) converted = runPanel(p) && converted;
    state().ShowCheckMessages = was;
    return converted;
}

bool TFIB1::runChecksSilently() { return runSilently({0, 1, 2, 3, 4, 5, 6, 7}); }

void TFIB1::Panel23Click() { runPanel(0); }
void TFIB1::Panel22Click() { runPanel(1); }
void TFIB1::Panel24Click() { runPanel(2); }
void TFIB1::Panel25Click() { runPanel(3); }
void TFIB1::Panel26Click() { runPanel(4); }
void TFIB1::Panel27Click() { runPanel(5); }
void TFIB1::Panel28Click() { runPanel(6); }
void TFIB1::Panel29Click() { runPanel(7); }

// ---------------------------------------------------------------------------
// Buttons

void TFIB1::Button2Click() {
    checks::resetState(state().buffer);
    runChecksSilently();
}

void TFIB1::BitBtn1Click() {
    auto* page2 = ctx().forms.get<TFIB2>();
    if (!page2) return;
    RunState& s = state();
    if (s.EditingExisting) {
        // The values just loaded are tested as stored, not re-read from page 2.
        const bool read = s.ReadPage2Entries;
        s.ReadPage2Entries = false;
        s.buffer.set(fld::EtatFiche, std::uint8_t{kComplete});
        page2->runChecksSilently();
        s.ReadPage2Entries = read;
    } else {
        page2->markPanelsUnchecked();
    }
    page2->showOver(this);
}

void TFIB1::openHelp(int page) { pelo::openHelp(ctx(), page); }

void TFIB1::BitBtn11Click() {
    RunState& s = state();
    s.buffer.set(fld::EtatFiche, std::uint8_t{0});
    // An entry that is not a number leaves the entries after it unread: such a
    // sheet is not saved without them, it stays on screen to be corrected
    // (or is abandoned with No).
    bool readable = runChecksSilently();
    if (runPage2Checks) {
        const bool was = s.ShowCheckMessages;
        s.ShowCheckMessages = false;
        readable = runPage2Checks() && readable;
        s.ShowCheckMessages = was;
    }

    const QSize scr = ui().screenSize();
    const QPoint pos(int(roundHalfEven(scr.width() / 640.0 * 350)), int(roundHalfEven(scr.height() / 480.0 * 100)));
    const ui::Answer a = ui().confirm(u("Sauvegarde de la Fiche ?"), true, pos);
    if (a == ui::Answer::Yes && readable) {
        // The ten characters as shown, blanks kept in place ("08/12/2026", " 8/ 1/2026").
        s.buffer.setDate(edits_["MaskEdit19"]->displayText().toStdString());
        if (s.EditingExisting) {
            if (auto e = recordfile::rewriteFib(s.CurrentFile, s.CurrentFib, s.buffer)) return ioError(*e);
            s.CurrentFib = s.SavedFibCount;
        } else {
            std::uint16_t count = s.CurrentFib;
            if (auto e = recordfile::appendFib(s.CurrentFile, count, s.buffer)) return ioError(*e);
            s.CurrentFib = count;
            s.SavedFibCount = count;
            if (newSheetSaved) newSheetSaved(count);
        }
        accept();
    } else if (a == ui::Answer::No) {
        if (s.EditingExisting) s.CurrentFib = s.SavedFibCount;
        done(QDialog::Rejected);
    }
    // Retry or the box closed: the sheet stays on screen, nothing written.
}

void TFIB1::reject() { BitBtn11Click(); }

void TFIB1::Button3Click() {
    RunState& s = state();
    checks::resetState(s.buffer);
    runChecksSilently();
    const int number = s.EditingExisting ? s.CurrentFib : s.CurrentFib + 1;
    if (auto* r = ctx().forms.get<TFRisque>()) {
        r->fill(s.buffer, s.UnitCodes, number);
        ui().showModal(r);
    }
}

}  // namespace pelo
