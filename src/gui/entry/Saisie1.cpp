#include "entry/Saisie1.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "formats/RecordFile.h"
#include "print/FibLayout.h"
#include "store/Text.h"
#include "store/Units.h"
#include "ui/Navigation.h"

namespace pelo {

namespace {

constexpr int kCaptionWidth = 74;
constexpr int kFrameX = 1;
constexpr int kFrameW = 600;

QString u(const char* s) { return QString::fromUtf8(s); }

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
    practicePlace_ = QRect(492, 5, 104, 17);  // the end of the header's first row
    buildPage();
}

// ---------------------------------------------------------------------------
// Layout

// The frame of group `index` with its caption at the left, its check panel at
// the right edge, then its help button.
QFrame* TFIB1::group(int index) {
    const entry::Panel& def = entry::page1Panels()[std::size_t(index)];
    const QString caption = u(def.caption);
    auto* fr = new QFrame(this);
    fr->setObjectName(def.frame);
    fr->setGeometry(kFrameX, def.y, kFrameW, def.h);
    fr->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette pal = fr->palette();
    pal.setColor(QPalette::WindowText, QColor(160, 160, 200));
    fr->setPalette(pal);

    auto* cap = new QLabel(caption, fr);
    cap->setObjectName(QString::fromLatin1(def.frame) + "Caption");
    QFont cf = font();
    cf.setPointSize(7);
    cap->setFont(cf);
    setTextColour(cap, Qt::white);
    cap->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cap->setGeometry(3, 2, kCaptionWidth - 4, def.h - 4);
    cap->setAccessibleName(QString(caption).replace('\n', ' '));

    auto* p = new QPushButton(this);
    p->setObjectName(def.name);
    p->setToolTip(u("Contrôle"));
    p->setAccessibleName(u("Contrôle : ") + u(def.group));
    p->setFocusPolicy(Qt::NoFocus);
    p->setGeometry(kFrameX + kFrameW + 2, def.y + 1, 10, def.h - 2);
    setPanelColour(p, colours::Aqua);
    addPanel(index, p);

    auto* hb = new QPushButton("?", this);
    hb->setObjectName(QString("BitBtn%1").arg(def.help));
    hb->setToolTip(u("Aide"));
    hb->setAccessibleName(u("Aide : ") + u(def.group));
    hb->setFocusPolicy(Qt::NoFocus);
    hb->setAutoDefault(false);
    hb->setGeometry(kFrameX + kFrameW + 15, def.y + 1, 22, std::min(def.h - 2, 22));
    const int page = def.helpPage;
    connect(hb, &QPushButton::clicked, this, [this, page] { openHelp(page); });
    return fr;
}

// Captions in white on the navy page, boxes with black text on their colour.
void TFIB1::dress(QWidget* w, const entry::Item& item) {
    if (item.widget == entry::Widget::Label) setTextColour(w, Qt::white);
    else if (item.widget != entry::Widget::Entry) setTextColour(w, Qt::black);
}

void TFIB1::buildPage() {
    for (std::size_t i = 0; i < entry::page1Panels().size(); ++i) group(int(i));
    buildControls();
    Panel10 = findChild<QFrame*>("Panel10");
    Label81 = findChild<QLabel*>("Label81");
    Label86 = findChild<QLabel*>("Label86");
    Label87 = findChild<QLabel*>("Label87");
    Label90 = findChild<QLabel*>("Label90");
    Label91 = findChild<QLabel*>("Label91");

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
