#include "app/Aide.h"
#include "app/Apropos.h"
#include "app/Menu1.h"
#include "app/Menu2.h"
#include "app/Nctr.h"
#include "app/Ndep.h"
#include "app/News.h"
#include "app/Nreg.h"
#include "app/Nspe.h"
#include "app/Sauv.h"
#include "app/Texte.h"
#include "app/Unite.h"
#include "entry/Saisie1.h"
#include "entry/Saisie2.h"
#include "eval/Eval.h"
#include "eval/Objectif.h"
#include "eval/Peval.h"
#include "eval/Qual.h"
#include "eval/Risque.h"
#include "pool/Groupe.h"
#include "pool/GrpSyn.h"
#include "pool/NPays.h"
#include "pool/Quest.h"
#include "pool/Synt1.h"
#include "pool/Synt2.h"
#include "ref/Alertes.h"
#include "ref/Compar.h"
#include "ref/Evol.h"
#include "ref/Indic.h"
#include "ref/Nsynth.h"
#include "ref/Rapports.h"
#include "ref/Varia.h"
#include "ref/Vis97.h"
#include "ref/Visi97.h"
#include "store/Menu3.h"
#include "store/Nfib.h"
#include "ui/Form.h"
#include "ui/Navigation.h"

#include <QLineEdit>

#include "store/Centre.h"

namespace pelo {

void createForms(AppContext& ctx, Sessions& sessions) {
    CentreSession& centre = sessions.centre;
    EvaluationState& evaluation = sessions.evaluation;
    CountryWorkspace& country = sessions.country;
    Forms& f = ctx.forms;
    // Start-up order; the first form is the main window.
    f.add(new TTMenu1(ctx, centre));
    f.add(new TTAide1(ctx));
    f.add(new TTAide10(ctx));
    f.add(new TTAide11(ctx));
    f.add(new TTAide12(ctx));
    f.add(new TTAide13(ctx));
    f.add(new TTAide14(ctx));
    f.add(new TTAide2(ctx));
    f.add(new TTAide3(ctx));
    f.add(new TTAide4(ctx));
    f.add(new TTAide5(ctx));
    f.add(new TTAide6(ctx));
    f.add(new TTAide7(ctx));
    f.add(new TTAide8(ctx));
    f.add(new TFCompar(ctx, country));
    f.add(new TFEval(ctx, centre, evaluation));
    f.add(new TTMenu2(ctx, centre, evaluation));
    f.add(new TTMenu3(ctx, centre));
    f.add(new TNctrDlg(ctx, centre));
    f.add(new TNDepDlg(ctx, centre));
    f.add(new TFNews(ctx));
    f.add(new TNfibDlg(ctx));
    f.add(new TFNPays(ctx));
    f.add(new TNRegDlg(ctx, centre));
    f.add(new TFNScoll(ctx));
    f.add(new TNSpeDlg(ctx, centre));
    f.add(new TFNSynth(ctx, country));
    f.add(new TTObjectif(ctx, evaluation));
    f.add(new TFPeval(ctx, centre, evaluation));
    f.add(new TFQual(ctx, centre));
    f.add(new TFQuest(ctx, country));
    f.add(new TFRisque(ctx, centre));
    f.add(new TFIB1(ctx, centre));
    f.add(new TFIB2(ctx, centre));
    f.add(new TTTexte3(ctx));
    f.add(new TTTexte4(ctx));
    f.add(new TTTexte5(ctx));
    f.add(new TTTexte6(ctx));
    f.add(new TTTexte7(ctx));
    f.add(new TFUnite(ctx, centre));
    f.add(new TFVaria(ctx, country));
    f.add(new TFVis97(ctx, country));
    f.add(new TFIndic(ctx, country));
    f.add(new TFAlertes(ctx, country));
    f.add(new TFRapports(ctx, country));
    f.add(new TFEvol(ctx, country));
    f.add(new TFVisi97(ctx, country));
    f.add(new TFSauv(ctx, centre));
    f.add(new TForm1(ctx, country));
    f.add(new TFSynt2(ctx, country));
    f.add(new TFGroupe(ctx));
    f.add(new TFGrpSyn(ctx));
    f.add(new TFApropos(ctx));
}

// Main window and centre menu.

void openCentreMenu(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TTMenu2>()); }

void openAbout(AppContext& ctx) {
    auto* about = ctx.forms.get<TFApropos>();
    about->refresh();
    ctx.ui.showModal(about);
}

void openEvaluationMenu(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFPeval>()); }

void openBackup(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFSauv>()); }

void openNews(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFNews>()); }

void openTextPage(AppContext& ctx, int page) {
    Forms& f = ctx.forms;
    QWidget* w = nullptr;
    switch (page) {
    case 3: w = f.get<TTTexte3>(); break;
    case 4: w = f.get<TTTexte4>(); break;
    case 5: w = f.get<TTTexte5>(); break;
    case 6: w = f.get<TTTexte6>(); break;
    case 7: w = f.get<TTTexte7>(); break;
    default: return;
    }
    ctx.ui.showModeless(w);
}

bool identifyCentre(AppContext& ctx) { return ctx.forms.get<TTMenu2>()->identify(); }

void askRegion(AppContext& ctx) {
    auto* dlg = ctx.forms.get<TNRegDlg>();
    dlg->clearSelection();
    ctx.ui.showModal(dlg);
}

void askDepartment(AppContext& ctx, int regionCode) {
    auto* dlg = ctx.forms.get<TNDepDlg>();
    dlg->setItems(centre::departmentTexts(regionCode));
    ctx.ui.showModal(dlg);
}

void askStructure(AppContext& ctx) {
    auto* dlg = ctx.forms.get<TNSpeDlg>();
    dlg->clearSelection();
    ctx.ui.showModal(dlg);
}

void askCentreNumber(AppContext& ctx) {
    auto* dlg = ctx.forms.get<TNctrDlg>();
    dlg->clear();
    ctx.ui.showModal(dlg);
}

void openUnits(AppContext& ctx, std::uint16_t centreNumber) {
    auto* units = ctx.forms.get<TFUnite>();
    units->prepare(centreNumber);
    ctx.ui.showModal(units);
}

// Entry pages and record menu.

void openRecordMenu(AppContext& ctx) {
    auto* menu = ctx.forms.get<TTMenu3>();
    menu->fillIdentification();
    ctx.ui.showModal(menu);
}

void openPracticeRecordMenu(AppContext& ctx) {
    auto* menu = ctx.forms.get<TTMenu3>();
    menu->fillPractice();
    ctx.ui.showModal(menu);
}

void openHelp(AppContext& ctx, int page) {
    if (HelpPage* p = helpPage(ctx, page)) ctx.ui.showModal(p);
}

// Evaluation.

void showEvaluation(AppContext& ctx, const eval::SynthesisResult& r) {
    auto* screen = ctx.forms.get<TFEval>();
    screen->prepareForSynthesis();
    screen->showSynthesis(r);
    ctx.forms.get<TTObjectif>()->writeResults(r);
    ctx.ui.showModal(screen);
}

void openObjectives(AppContext& ctx) {
    auto* chart = ctx.forms.get<TTObjectif>();
    chart->writeHeadings();
    ctx.ui.showModal(chart);
}

void openRiskReview(AppContext& ctx) { ctx.forms.get<TFRisque>()->reviewAll(); }

void callUpFib(AppContext& ctx) { ctx.forms.get<TTMenu3>()->AppelFib(); }

void openQualityReview(AppContext& ctx) { ctx.forms.get<TFQual>()->review(); }

// Country synthesis.

void openCountrySynthesis(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TForm1>()); }

void openCountrySynthesisWindow(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFSynt2>()); }

namespace {
std::string askName(AppContext& ctx, NameDialog* dlg, const std::string& proposed) {
    dlg->propose(QString::fromStdString(proposed));
    ctx.ui.showModal(dlg);
    return dlg->typed();
}
}  // namespace

std::string askPoolFileName(AppContext& ctx, const std::string& proposed) {
    return askName(ctx, ctx.forms.get<TFNPays>(), proposed);
}

std::string askSubCollectionName(AppContext& ctx, const std::string& proposed) {
    return askName(ctx, ctx.forms.get<TFNScoll>(), proposed);
}

bool askQuery(AppContext& ctx) {
    auto* quest = ctx.forms.get<TFQuest>();
    quest->prepare();
    return ctx.ui.showModal(quest) == QDialog::Accepted;
}

void openGroups(AppContext& ctx, const std::string& folder, const std::vector<pool::GroupeRecord>& groups) {
    auto* dlg = ctx.forms.get<TFGroupe>();
    dlg->load(folder, groups);
    ctx.ui.showModal(dlg);
}

void openGroupSyntheses(AppContext& ctx, const std::string& folder, const std::vector<pool::GroupeRecord>& groups) {
    auto* dlg = ctx.forms.get<TFGrpSyn>();
    dlg->load(folder, groups);
    ctx.ui.showModal(dlg);
}

// References.

void openStoredSynthesis(AppContext& ctx, const std::string& file, const std::string& title) {
    auto* screen = ctx.forms.get<TFVis97>();
    screen->choose(file, title);
    ctx.ui.showModal(screen);
}

std::string askSynthesisName(AppContext& ctx, const std::string& proposed) {
    auto* dlg = ctx.forms.get<TFNSynth>();
    dlg->prepare(proposed);
    ctx.ui.showModal(dlg);
    return dlg->NomP->text().trimmed().toStdString();
}

void openComparison(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFCompar>()); }

void openVariability(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFVaria>()); }

void openStandardIndicators(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFIndic>()); }

std::optional<AlertChoice> openAlerts(AppContext& ctx) {
    auto* f = ctx.forms.get<TFAlertes>();
    if (ctx.ui.showModal(f) != QDialog::Accepted) return std::nullopt;
    return f->chosen();
}

void openCentreReports(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFRapports>()); }

void openEvolution(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFEvol>()); }

void openReferences(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFVisi97>()); }

}  // namespace pelo

// Entry pages.
#include "print/FibLayout.h"

namespace pelo {

void openNewSheet(AppContext& ctx, int centre, int number, std::function<void(int)> saved) {
    auto* page = ctx.forms.get<TFIB1>();
    page->showNumbers(centre, number);
    page->VisuFib1();
    ctx.forms.get<TFIB2>()->VisuFib2();
    page->newSheetSaved = std::move(saved);
    page->rememberLoaded();
    ctx.ui.showModal(page);
}

void openCalledUpSheet(AppContext& ctx, int centre, int number) {
    auto* page = ctx.forms.get<TFIB1>();
    page->showNumbers(centre, number);
    page->VisuFib1();
    ctx.forms.get<TFIB2>()->VisuFib2();
    page->runChecksSilently();
    page->rememberLoaded();
    ctx.ui.showModal(page);
}

void openEntryPage2(AppContext& ctx, QWidget* page1) { ctx.forms.get<TFIB2>()->enterFrom(page1); }

bool runEntryPage1Checks(AppContext& ctx) { return ctx.forms.get<TFIB1>()->runChecksSilently(); }

bool runEntryPage2Checks(AppContext& ctx) { return ctx.forms.get<TFIB2>()->runChecksSilently(); }

QString entryPage1Date(AppContext& ctx) { return ctx.forms.get<TFIB1>()->dateText(); }

std::pair<int, int> entryPage1Numbers(AppContext& ctx) { return ctx.forms.get<TFIB1>()->shownNumbers(); }

FibUnitLabels entryPage1UnitLabels(AppContext& ctx) { return ctx.forms.get<TFIB1>()->unitLabels(); }

void showRiskProfile(AppContext& ctx, int number) {
    auto* r = ctx.forms.get<TFRisque>();
    r->fillCurrent(number);
    ctx.ui.showModal(r);
}

std::uint16_t chooseFibNumber(AppContext& ctx, std::uint16_t count) {
    auto* dlg = ctx.forms.get<TNfibDlg>();
    dlg->prepare(count);
    ctx.ui.showModal(dlg);
    return dlg->chosen();
}

}  // namespace pelo
