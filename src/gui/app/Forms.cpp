#include "app/Aide.h"
#include "app/Menu1.h"
#include "app/Menu2.h"
#include "app/Nctr.h"
#include "app/Ndep.h"
#include "app/News.h"
#include "app/Nreg.h"
#include "app/Nspe.h"
#include "app/Sauv.h"
#include "ref/Varia.h"
#include "pool/GrpSyn.h"
#include "pool/Groupe.h"
#include "pool/NPays.h"
#include "pool/Quest.h"
#include "pool/Synt1.h"
#include "pool/Synt2.h"
#include "ref/Compar.h"
#include "ref/Indic.h"
#include "ref/Nsynth.h"
#include "ref/Vis97.h"
#include "ref/Visi97.h"
#include "app/Texte.h"
#include "app/Unite.h"
#include "store/Menu3.h"
#include "ui/Navigation.h"
#include "entry/Saisie2.h"
#include "eval/Eval.h"
#include "eval/Objectif.h"
#include "eval/Peval.h"
#include "ui/Form.h"
#include "entry/Saisie1.h"
#include "eval/Qual.h"
#include "eval/Risque.h"
#include "store/Nfib.h"

namespace pelo {

void createForms(AppContext& ctx) {
    Forms& f = ctx.forms;
    // Start-up order; the first form is the main window.
    f.add(new TTMenu1(ctx));
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
    f.add(new TFCompar(ctx));
    f.add(new TFEval(ctx));
    f.add(new TTMenu2(ctx));
    f.add(new TTMenu3(ctx));
    f.add(new TNctrDlg(ctx));
    f.add(new TNDepDlg(ctx));
    f.add(new TFNews(ctx));
    f.add(new TNfibDlg(ctx));
    f.add(new TFNPays(ctx));
    f.add(new TNRegDlg(ctx));
    f.add(new TFNScoll(ctx));
    f.add(new TNSpeDlg(ctx));
    f.add(new TFNSynth(ctx));
    f.add(new TTObjectif(ctx));
    f.add(new TFPeval(ctx));
    f.add(new TFQual(ctx));
    f.add(new TFQuest(ctx));
    f.add(new TFRisque(ctx));
    f.add(new TFIB1(ctx));
    f.add(new TFIB2(ctx));
    f.add(new TTTexte3(ctx));
    f.add(new TTTexte4(ctx));
    f.add(new TTTexte5(ctx));
    f.add(new TTTexte6(ctx));
    f.add(new TTTexte7(ctx));
    f.add(new TFUnite(ctx));
    f.add(new TFVaria(ctx));
    f.add(new TFVis97(ctx));
    f.add(new TFIndic(ctx));
    f.add(new TFVisi97(ctx));
    f.add(new TFSauv(ctx));
    f.add(new TForm1(ctx));
    f.add(new TFSynt2(ctx));
    f.add(new TFGroupe(ctx));
    f.add(new TFGrpSyn(ctx));
}

void openCentreMenu(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TTMenu2>()); }

void openEvaluationMenu(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFPeval>()); }

void openBackup(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TFSauv>()); }

void openCountrySynthesis(AppContext& ctx) { ctx.ui.showModal(ctx.forms.get<TForm1>()); }

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
    ctx.state.EditingExisting = false;
    page->newSheetSaved = std::move(saved);
    ctx.ui.showModal(page);
}

void openCalledUpSheet(AppContext& ctx, int centre, int number) {
    auto* page = ctx.forms.get<TFIB1>();
    page->showNumbers(centre, number);
    page->VisuFib1();
    ctx.forms.get<TFIB2>()->VisuFib2();
    page->runChecksSilently();
    ctx.ui.showModal(page);
}

void openEntryPage2(AppContext& ctx, QWidget* page1) { ctx.forms.get<TFIB2>()->enterFrom(page1); }

bool runEntryPage1Checks(AppContext& ctx) { return ctx.forms.get<TFIB1>()->runChecksSilently(); }

bool runEntryPage2Checks(AppContext& ctx) { return ctx.forms.get<TFIB2>()->runChecksSilently(); }

QString entryPage1Date(AppContext& ctx) { return ctx.forms.get<TFIB1>()->dateText(); }

FibUnitLabels entryPage1UnitLabels(AppContext& ctx) { return ctx.forms.get<TFIB1>()->unitLabels(); }

void showRiskProfile(AppContext& ctx, int number) {
    auto* r = ctx.forms.get<TFRisque>();
    r->fill(ctx.state.buffer, ctx.state.UnitCodes, number);
    ctx.ui.showModal(r);
}

void openQualityReview(AppContext& ctx) { ctx.forms.get<TFQual>()->review(); }

std::uint16_t chooseFibNumber(AppContext& ctx, std::uint16_t count) {
    auto* dlg = ctx.forms.get<TNfibDlg>();
    dlg->prepare(count);
    ctx.ui.showModal(dlg);
    return dlg->chosen();
}

}  // namespace pelo
