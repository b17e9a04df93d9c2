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
    f.add(new TNctrDlg(ctx));
    f.add(new TNDepDlg(ctx));
    f.add(new TFNews(ctx));
    f.add(new TNfibDlg(ctx));
    f.add(new TFNPays(ctx));
    f.add(new TNRegDlg(ctx));
    f.add(new TFNScoll(ctx));
    f.add(new TNSpeDlg(ctx));
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
    f.add(new TFUnite(ctx));
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

}  // namespace pelo
