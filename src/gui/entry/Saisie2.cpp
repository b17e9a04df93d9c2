#include "entry/Saisie2.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "print/FibLayout.h"
#include "ui/Navigation.h"

namespace pelo {

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

// The group's frame with its caption inside at the left, its check panel as a
// strip at the right edge, then its help button, as on entry page 1.
void TFIB2::groupFrame(int index) {
    const entry::Panel& def = entry::page2Panels()[std::size_t(index)];
    const QString caption = QString::fromUtf8(def.caption);
    auto* fr = new QFrame(this);
    fr->setObjectName(QString::fromLatin1(def.frame));
    fr->setGeometry(1, def.y, 600, def.h);
    fr->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette fp = fr->palette();
    fp.setColor(QPalette::WindowText, QColor(160, 160, 200));
    fr->setPalette(fp);

    auto* l = new QLabel(caption, fr);
    l->setGeometry(3, 2, 72, def.h - 4);
    QPalette lp = l->palette();
    lp.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(lp);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont cf = l->font();
    cf.setPointSize(7);
    l->setFont(cf);
    l->setAccessibleName(QString(caption).replace('\n', ' '));

    const QString groupName = QString::fromUtf8(def.group);
    auto* panel = new QPushButton(this);
    panel->setObjectName(QString::fromLatin1(def.name));
    panel->setGeometry(603, def.y + 1, 10, def.h - 2);
    panel->setAccessibleName(QString::fromUtf8("Contrôle : ") + groupName);
    panel->setToolTip(QString::fromUtf8("Contrôle"));
    panel->setFocusPolicy(Qt::NoFocus);
    panel->setAutoDefault(false);
    setPanelColour(panel, colours::Navy);
    addPanel(index, panel);

    auto* help = addButton(QStringLiteral("BitBtn%1").arg(def.help), QStringLiteral("?"), 618, def.y + 1, 22,
                           std::min(def.h - 2, 22));
    help->setAccessibleName(QString::fromUtf8("Aide : ") + groupName);
    help->setToolTip(QString::fromUtf8("Aide"));
    help->setFocusPolicy(Qt::NoFocus);
    const int page = def.helpPage;
    connect(help, &QPushButton::clicked, this, [this, page] { nav().centre().openHelp(page); });
}

// Captions in white on the navy page, in black inside the light-yellow
// blocks; the boxes fill their background with their colour.
void TFIB2::dress(QWidget* w, const entry::Item& item) {
    QPalette pal = w->palette();
    switch (item.widget) {
    case entry::Widget::Label:
        pal.setColor(QPalette::WindowText, item.look & entry::look::Dark ? Qt::black : Qt::white);
        w->setPalette(pal);
        break;
    case entry::Widget::Block:
        pal.setColor(QPalette::Window, colours::LightYellow);
        pal.setColor(QPalette::WindowText, Qt::black);
        w->setPalette(pal);
        w->setAutoFillBackground(true);
        break;
    case entry::Widget::Check:
    case entry::Widget::Radio: w->setAutoFillBackground(true); break;
    case entry::Widget::Entry: break;
    }
}

void TFIB2::buildPage() {
    for (std::size_t i = 0; i < entry::page2Panels().size(); ++i) groupFrame(int(i));
    buildControls();

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
