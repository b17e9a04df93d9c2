#include "entry/Saisie1.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "print/FibLayout.h"
#include "store/RecordFile.h"
#include "store/Text.h"
#include "store/Units.h"
#include "ui/Navigation.h"

namespace pelo {

namespace {

constexpr int kRowPitch = 19;
constexpr int kRowHeight = 17;
constexpr int kCaptionWidth = 74;
constexpr int kContentX = 74;
constexpr int kFrameX = 1;
constexpr int kFrameW = 600;

QString u(const char* s) { return QString::fromUtf8(s); }

int rowY(int r) { return 3 + r * kRowPitch; }

void setTextColour(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    w->setPalette(pal);
}

}  // namespace

TFIB1::TFIB1(AppContext& ctx, CentreSession& session)
    : EntryPage(ctx, session, "TFIB1", u("Fiche d'Information de Base (1)"), 1) {
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
    const entry::Panel& def = entry::page1Panels()[std::size_t(panelNo)];
    auto* p = new QPushButton(this);
    p->setObjectName(def.name);
    p->setToolTip(u("Contrôle"));
    p->setAccessibleName(u("Contrôle : ") + u(def.group));
    p->setFocusPolicy(Qt::NoFocus);
    p->setGeometry(kFrameX + kFrameW + 2, y + 1, 10, h - 2);
    setPanelColour(p, colours::Aqua);
    addPanel(panelNo, p);

    auto* hb = new QPushButton("?", this);
    hb->setObjectName(QString("BitBtn%1").arg(helpNo + 2));
    hb->setToolTip(u("Aide"));
    hb->setAccessibleName(u("Aide : ") + u(def.group));
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

// An entry; those of the page's table get their length and accessible name from it.
QLineEdit* TFIB1::entry(QWidget* parent, const QString& name, int x, int y, int w, const QString& accessible) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, kRowHeight);
    if (!accessible.isEmpty()) e->setAccessibleName(accessible);
    e->setTextMargins(0, 0, 0, 0);
    return e;
}

QAbstractButton* TFIB1::radio(QWidget* parent, const QString& name, const QString& t, int x, int y,
                              const QString& accessible) {
    auto* b = new QRadioButton(t, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, advance(t) + 20, kRowHeight);
    b->setAccessibleName(accessible.isEmpty() ? t : accessible);
    setTextColour(b, Qt::black);
    return b;
}

QAbstractButton* TFIB1::tick(QWidget* parent, const QString& name, const QString& t, int x, int y,
                             const QString& accessible) {
    auto* b = new QCheckBox(t, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, t.isEmpty() ? 18 : advance(t) + 20, kRowHeight);
    b->setAccessibleName(accessible.isEmpty() ? t : accessible);
    setTextColour(b, Qt::black);
    return b;
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
    auto* Edit12 = entry(g, "Edit12", x, y, 36, u("Numéro du centre"));
    Edit12->setReadOnly(true);
    Edit12->setFocusPolicy(Qt::NoFocus);
    next(Edit12, 8);
    next(text(g, "LabF", "F", x, y));
    auto* Edit13 = entry(g, "Edit13", x, y, 40, u("Numéro de la fiche"));
    Edit13->setReadOnly(true);
    Edit13->setFocusPolicy(Qt::NoFocus);
    next(Edit13, 14);
    auto* MaskEdit19 = entry(g, "MaskEdit19", x, y, 70);
    // Day and month digits may stay blank, the year's four are required.
    MaskEdit19->setInputMask(entry::kDateMask);
    next(MaskEdit19, 14);
    next(text(g, "LabN", "N", x, y));
    auto* Edit3 = entry(g, "Edit3", x, y, 18);
    connect(Edit3, &QLineEdit::textEdited, Edit3, [Edit3](const QString& t) {
        const QString up = t.toUpper();
        if (up != t) Edit3->setText(up);
    });
    next(Edit3, 14);
    next(text(g, "LabNaiss", u("Naiss. mois"), x, y));
    next(entry(g, "Edit4", x, y, 22), 8);
    next(text(g, "LabAn", "An", x, y));
    auto* Edit5 = entry(g, "Edit5", x, y, 36);
    Edit5->setText("19..");
    Edit5->setToolTip(u("Saisie obligatoire"));

    y = rowY(1);
    x = kContentX;
    next(text(g, "LabSexe", "Sexe", x, y));
    next(radio(g, "RadioButton10", "M", x, y, u("Sexe M")));
    next(radio(g, "RadioButton11", "F", x, y, u("Sexe F")), 24);
    next(text(g, "LabType", u("Type de diabète"), x, y));
    next(radio(g, "RadioButton12", "Type 1", x, y));
    next(radio(g, "RadioButton13", "Type 2", x, y));
    next(radio(g, "RadioButton14", "Autre", x, y, u("Type de diabète autre")));

    y = rowY(2);
    x = kContentX;
    auto* labDebut = next(text(g, "LabDebut", u("Début"), x, y), 10);
    labDebut->setToolTip(u("Au moins une date"));
    next(text(g, "LabDiabete", u("Diabète"), x, y));
    auto* MaskEdit1 = next(entry(g, "MaskEdit1", x, y, 36), 12);
    next(text(g, "LabComprimes", u("Comprimés"), x, y));
    auto* Edit1 = next(entry(g, "Edit1", x, y, 36), 12);
    next(text(g, "LabInsuline", u("Insuline"), x, y));
    auto* Edit2 = entry(g, "Edit2", x, y, 36);
    for (QWidget* w : {static_cast<QWidget*>(MaskEdit1), static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2)}) {
        static_cast<QLineEdit*>(w)->setText("19");
        w->setToolTip(u("Au moins une date"));
    }

    // Contact and reason.
    g = group("GroupeMotif", u("Consult.\nou Hospit.\n1 Motif"), 66, 2 * kRowPitch + 5, 1, 1);
    y = rowY(0);
    x = kContentX;
    next(radio(g, "RadioButton1", "Consultation", x, y), 10);
    next(radio(g, "RadioButton2", "Hospitalisation", x, y));
    y = rowY(1);
    x = kContentX;
    const char* motifTexts[] = {"Surveillance", "Déséquilibre", "Complication", "Urgence",
                                "Diag. récent", "Grossesse",    "Autre"};
    for (int i = 0; i < 7; ++i) {
        const QString t = u(motifTexts[i]);
        next(radio(g, QString("RadioButton%1").arg(3 + i), t, x, y, i == 6 ? u("Motif autre") : u("Motif ") + t), 2);
    }

    // Pregnancy ended in the last 12 months.
    Panel10 = group("Panel10", u("Grossesse\nachevée dans\nles 12 derniers\nmois"), 111, 46, 2, 2);
    y = 14;
    x = kContentX;
    const char* pregTexts[] = {"Enfant normal", "F.C.", "Malformation", "Mort périnatale"};
    const char* pregNames[] = {"Edit9", "Edit8", "Edit7", "Edit6"};
    for (int i = 0; i < 4; ++i) {
        next(text(Panel10, QString("LabGross%1").arg(i), u(pregTexts[i]), x, y));
        next(entry(Panel10, pregNames[i], x, y, 18), 16);
    }

    // Current risk factors.
    g = group("GroupeRisques", u("Facteurs de\nrisques\nactuels"), 157, 2 * kRowPitch + 5, 3, 3);
    y = rowY(0);
    x = kContentX;
    next(tick(g, "CheckBox1", u("Diabète dans la famille"), x, y), 20);
    const int riskX = x;
    next(text(g, "LabTabac", "Tabac", x, y, advance("Alcool") + 8));
    next(tick(g, "CheckBox2", "oui", x, y, "Tabac oui"));
    next(tick(g, "CheckBox4", "non", x, y, "Tabac non"), 10);
    next(text(g, "LabQ", "Q=", x, y));
    next(entry(g, "Edit10", x, y, 22));
    text(g, "LabCig", "cigarettes / jour", x, y);
    y = rowY(1);
    x = riskX;
    next(text(g, "LabAlcool", "Alcool", x, y, advance("Alcool") + 8));
    next(tick(g, "CheckBox3", "oui", x, y, "Alcool oui"));
    next(tick(g, "CheckBox5", "non", x, y, "Alcool non"), 10);
    x += advance("Q=") + 7;
    next(entry(g, "Edit11", x, y, 36));
    text(g, "LabGr", "gr / semaine", x, y);

    // Self-monitoring.
    g = group("GroupeAutosurveillance", u("Auto-\nsurveillance"), 200, 28, 4, 4);
    y = 5;
    x = kContentX;
    next(radio(g, "RadioButton15", "Oui", x, y, u("Autosurveillance oui")));
    next(radio(g, "RadioButton16", "Non", x, y, u("Autosurveillance non")), 20);
    next(text(g, "LabGlycemies", u("Glycémies"), x, y));
    next(entry(g, "MaskEdit2", x, y, 22));
    next(text(g, "LabSemaine", "/ semaine", x, y), 20);
    next(text(g, "LabGlycosurie", u("Glycosurie/Cétonurie"), x, y));
    next(entry(g, "MaskEdit3", x, y, 22));
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
    };
    const Pair educ[] = {
        {"Alimentation", "CheckBox6", "CheckBox8"},
        {"Autosurveillance", "CheckBox7", "CheckBox9"},
        {"Soins pieds", "CheckBox10", "CheckBox11"},
        {"Hypoglycémies", "CheckBox12", "CheckBox13"},
        {"Complications", "CheckBox14", "CheckBox16"},
        {"Ajust. insuline", "CheckBox15", "CheckBox17"},
        {"Membre d'une association de diabétiques", "CheckBox18", "CheckBox19"},
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
        // Named after their group, so that "Education Autosurveillance oui"
        // is not taken for the self-monitoring group's "Autosurveillance oui".
        const QString spoken = i == 6 ? cap : u("Education ") + cap;
        next(tick(g, educ[i].oui, "oui", x, y, spoken + " oui"));
        next(tick(g, educ[i].non, "non", x, y, spoken + " non"));
    }

    // Last measures and laboratory values.
    g = group("GroupeMesures", u("Données\nDernières\nvaleurs des\n12 derniers\nmois"), 290, 4 * kRowPitch + 5, 6, 6);
    y = rowY(0);
    x = kContentX;
    struct Measure {
        const char* caption;
        const char* name;
        const char* unit;
    };
    const Measure row1[] = {{"Poids", "MaskEdit7", "Kg"},
                            {"Taille", "MaskEdit6", "cm"},
                            {"T.Taille", "MaskEdit5", "cm"},
                            {"T.hanches", "MaskEdit4", "cm"}};
    for (const auto& m : row1) {
        next(text(g, QString("Lab") + m.name, u(m.caption), x, y));
        next(entry(g, m.name, x, y, 36));
        next(text(g, QString("Unit") + m.name, u(m.unit), x, y), 14);
    }
    y = rowY(1);
    x = kContentX;
    next(text(g, "LabTA", "TA Syst / diast", x, y));
    next(entry(g, "MaskEdit8", x, y, 32));
    next(text(g, "LabSlash", "/", x, y));
    next(entry(g, "MaskEdit9", x, y, 32));
    next(text(g, "LabMmHg", "mmHg", x, y), 14);
    const int unitW = advance("mmol/l") + 5;
    next(text(g, "LabChol", u("Cholestérol"), x, y));
    next(entry(g, "MaskEdit11", x, y, 36));
    Label86 = (next(text(g, "Label86", "mmol/l", x, y, unitW), 6));
    next(text(g, "LabHdl", "HDL", x, y));
    next(entry(g, "MaskEdit12", x, y, 36));
    Label90 = text(g, "Label90", "mmol/l", x, y, unitW);

    y = rowY(2);
    x = kContentX;
    next(text(g, "LabTrig", u("Triglycérides"), x, y));
    next(entry(g, "MaskEdit10", x, y, 36));
    Label91 = (next(text(g, "Label91", "mmol/l", x, y, unitW), 6));
    next(text(g, "LabJeun", u("à jeun"), x, y));
    next(tick(g, "CheckBox20", "oui", x, y, u("Triglycérides à jeun oui")));
    next(tick(g, "CheckBox21", "non", x, y, u("Triglycérides à jeun non")), 8);
    next(text(g, "LabGly", u("Gly.jeun"), x, y));
    next(entry(g, "MaskEdit13", x, y, 36));
    Label81 = (next(text(g, "Label81", "mmol/l", x, y, unitW), 6));
    next(text(g, "LabHba", "HbA1C", x, y));
    next(entry(g, "MaskEdit14", x, y, 36));
    text(g, "LabPct", "%", x, y);

    y = rowY(3);
    x = kContentX;
    next(text(g, "LabFruct", u("Fructos."), x, y));
    next(entry(g, "MaskEdit15", x, y, 36), 14);
    next(text(g, "LabCreat", u("Créatinine"), x, y));
    next(entry(g, "MaskEdit16", x, y, 36));
    Label87 = (next(text(g, "Label87", u("µmol/l"), x, y, unitW), 6));
    next(text(g, "LabMicro", u("Microalb."), x, y));
    next(entry(g, "MaskEdit17", x, y, 36));
    next(text(g, "LabMgJ", "mg/j", x, y), 10);
    next(text(g, "LabProt", u("Protéinu."), x, y));
    next(entry(g, "MaskEdit18", x, y, 36));
    text(g, "LabGJ", "g/j", x, y);

    // St-Vincent objectives.
    g = group("GroupeStVincent", u("Objectifs\nde\nSt-Vincent"), 372, 14 + 3 * kRowPitch + 5, 7, 7);
    struct Row {
        const char* caption;
        const char* boxes[3];
    };
    const Row rows[] = {
        {"Cécité", {"CheckBox22", "CheckBox25", "CheckBox28"}},
        {"Infarctus", {"CheckBox23", "CheckBox26", "CheckBox29"}},
        {"AVC", {"CheckBox24", "CheckBox27", "CheckBox30"}},
        {"Insuffisance rénale", {"CheckBox31", "CheckBox34", "CheckBox37"}},
        {"Amputation > cheville", {"CheckBox32", "CheckBox35", "CheckBox38"}},
        {"Amputation < cheville", {"CheckBox33", "CheckBox36", "CheckBox39"}},
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
            auto* hl =
                text(g, QString("LabStV%1_%2").arg(c).arg(h), u(heads[h]), colX + labW[c] + h * boxW - 6, 2, boxW + 12);
            hl->setFont(small);
            hl->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            hl->setFixedHeight(13);
        }
        for (int r = 0; r < 3; ++r) {
            const Row& row = rows[c * 3 + r];
            const int ry = 15 + r * kRowPitch;
            text(g, QString("LabStV%1").arg(c * 3 + r), u(row.caption), colX, ry, labW[c]);
            for (int h = 0; h < 3; ++h) {
                auto* b = tick(g, row.boxes[h], "", colX + labW[c] + h * boxW + (boxW - 18) / 2, ry,
                               u(row.caption) + u(headAcc[h]));
                b->setToolTip(u(heads[h]));
            }
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
    // The sheet's order, group by group, then the buttons; the read-only numbers are skipped.
    bindControls({BitBtn1, Button2, Button3, BitBtn11});
}

// ---------------------------------------------------------------------------
// Colours

void TFIB1::setPanelColour(QPushButton* p, const QColor& c) {
    if (p->property("colour") == c) return;  // restyling is slow; the page loads many sheets
    p->setProperty("colour", c);
    p->setStyleSheet(QString("QPushButton { background-color: %1; border: 1px solid #8080a0; }").arg(c.name()));
}

void TFIB1::setBoxColour(QAbstractButton* b, bool chosen, bool) {
    const QColor& c = chosen ? colours::Aqua : colours::Light;
    if (b->property("colour") == c) return;
    b->setProperty("colour", c);
    QPalette pal = b->palette();
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Button, c);
    b->setPalette(pal);
    b->setAutoFillBackground(true);
}

// ---------------------------------------------------------------------------
// Choice controls

void TFIB1::afterRadio(const ChoiceGroup& g, QAbstractButton* b) {
    if (!b) {
        // No sex chosen: the pregnancy counts stay open for typing.
        if (g.row->field.offset == fld::Sexe.offset) Panel10->setEnabled(true);
    } else if (b->objectName() == "RadioButton10") {
        Panel10->setEnabled(false);
    } else if (b->objectName() == "RadioButton11") {
        Panel10->setEnabled(true);
    }
}

void TFIB1::afterFindings(const checks::PanelResult&) { syncAllChoices(); }

// ---------------------------------------------------------------------------
// Loading

void TFIB1::showNumbers(int centre, int fib) {
    session().SheetCentre = centre;
    session().SheetNumber = fib;
    edit("Edit12")->setText(QString::number(centre));
    edit("Edit13")->setText(QString::number(fib));
}

void TFIB1::setUnitLabels() {
    const auto& units = session().UnitCodes;
    auto label = [&units](UnitIndex row) { return QString::fromStdString(units::label(row, units[row])); };
    Label81->setText(label(kUnitGly));
    Label87->setText(label(kUnitCreat));
    Label86->setText(label(kUnitChol));
    Label90->setText(label(kUnitHdl));
    Label91->setText(label(kUnitTrig));
}

QString TFIB1::dateText() const { return edit("MaskEdit19")->text(); }

void TFIB1::VisuFib1() {
    loadRecord();
    setUnitLabels();
    for (auto* p : panels_) setPanelColour(p, colours::Aqua);
}

// ---------------------------------------------------------------------------
// Checks

bool TFIB1::runChecksSilently() {
    // The date typed is the record's, as the other entries are once checked
    // (what page 2 prints).
    session().buffer.setDate(dateText().toStdString());
    return runAllSilently();
}

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
    checks::resetState(session().buffer);
    runChecksSilently();
}

void TFIB1::BitBtn1Click() { nav().entry().openPage2(this); }

void TFIB1::openHelp(int page) { nav().centre().openHelp(page); }

void TFIB1::BitBtn11Click() {
    CentreSession& s = session();
    s.buffer.set(fld::EtatFiche, std::uint8_t{0});
    // An entry that is not a number leaves the entries after it unread: such a
    // sheet is not saved without them, it stays on screen to be corrected
    // (or is abandoned with No).
    bool readable = runChecksSilently();
    {
        SilentChecks quiet(s);
        readable = nav().entry().runPage2Checks() && readable;
    }

    const QSize scr = ui().screenSize();
    const QPoint pos(int(roundHalfEven(scr.width() / 640.0 * 350)), int(roundHalfEven(scr.height() / 480.0 * 100)));
    // The buttons say what they do; their roles (Yes, Retry, No) stay.
    const ui::ButtonLabels labels{u("Enregistrer"), u("Abandonner la fiche"), u("Revenir à la fiche")};
    ui::Answer a = ui().confirm(u("Sauvegarde de la Fiche ?"), true, pos, labels);
    // What was typed is lost with "Abandonner": asked once more, No going back to the sheet.
    if (a == ui::Answer::No && hasChangesSinceLoaded() &&
        ui().confirm(u("Abandonner la fiche ? Ce qui a été saisi depuis son ouverture sera perdu."), false, pos,
                     {u("Abandonner la fiche"), u("Revenir à la fiche"), {}}) != ui::Answer::Yes)
        a = ui::Answer::Retry;
    if (a == ui::Answer::Yes && readable) {
        // The ten characters as shown, blanks kept in place ("08/12/2026", " 8/ 1/2026").
        s.buffer.setDate(edit("MaskEdit19")->displayText().toStdString());
        if (s.EditingExisting) {
            if (auto e = recordfile::rewriteFib(s.CurrentFile, s.CurrentFib, s.buffer)) return ioError(*e);
            s.CurrentFib = s.SavedFibCount;
        } else {
            std::uint16_t count = s.CurrentFib;
            const int shown = s.CurrentFib + 1;
            if (auto e = recordfile::appendFib(s.CurrentFile, count, s.buffer)) return ioError(*e);
            // Another copy of the program (another workstation) saved in the
            // meantime: the sheet got the next free number, not the one shown.
            if (count != shown)
                ui().information(QString::fromUtf8("La fiche a été enregistrée sous le numéro %1 (et non %2) : "
                                                   "d'autres fiches ont été enregistrées entre-temps sur ce fichier.")
                                     .arg(count)
                                     .arg(shown));
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

void TFIB1::rememberLoaded() { loaded_ = session().buffer; }

bool TFIB1::hasChangesSinceLoaded() {
    // The state and the date are set by the checks and the save, not typed.
    FibRecord now = session().buffer;
    FibRecord before = loaded_;
    for (FibRecord* r : {&now, &before}) {
        r->set(fld::EtatFiche, std::uint8_t{0});
        r->setDate("");
    }
    return now.bytes != before.bytes;
}

void TFIB1::Button3Click() {
    CentreSession& s = session();
    checks::resetState(s.buffer);
    runChecksSilently();
    const int number = s.EditingExisting ? s.CurrentFib : s.CurrentFib + 1;
    nav().entry().showRiskProfile(number);
}

}  // namespace pelo
