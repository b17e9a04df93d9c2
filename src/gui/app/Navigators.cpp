#include "app/Navigators.h"

#include "app/Aide.h"
#include "app/Apropos.h"
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
#include "ref/Centres.h"
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

#include <QLineEdit>

#include "store/Centre.h"

namespace pelo {

namespace {

// What every navigator works with: the forms and the adapter that shows them.
struct Base {
    ui::Adapter& ui;
    Forms& forms;
};

class Centre final : public CentreNavigation {
public:
    explicit Centre(Base b) : b_(b) {}

    void openCentreMenu() override { b_.ui.showModal(b_.forms.get<TTMenu2>()); }
    void openAbout() override {
        auto* about = b_.forms.get<TFApropos>();
        about->refresh();
        b_.ui.showModal(about);
    }
    void openBackup() override { b_.ui.showModal(b_.forms.get<TFSauv>()); }
    void openNews() override { b_.ui.showModal(b_.forms.get<TFNews>()); }
    void openTextPage(int page) override {
        Forms& f = b_.forms;
        QWidget* w = nullptr;
        switch (page) {
        case 3: w = f.get<TTTexte3>(); break;
        case 4: w = f.get<TTTexte4>(); break;
        case 5: w = f.get<TTTexte5>(); break;
        case 6: w = f.get<TTTexte6>(); break;
        case 7: w = f.get<TTTexte7>(); break;
        default: return;
        }
        b_.ui.showModeless(w);
    }
    void openHelp(int page) override {
        if (HelpPage* p = helpPage(b_.forms, page)) b_.ui.showModal(p);
    }

    std::optional<std::uint16_t> askRegion() override {
        auto* dlg = b_.forms.get<TNRegDlg>();
        dlg->clearSelection();
        b_.ui.showModal(dlg);
        return dlg->chosen();
    }
    std::optional<std::uint16_t> askDepartment(int regionCode) override {
        auto* dlg = b_.forms.get<TNDepDlg>();
        dlg->setItems(centre::departmentTexts(regionCode));
        b_.ui.showModal(dlg);
        return dlg->chosen();
    }
    std::optional<std::uint16_t> askStructure() override {
        auto* dlg = b_.forms.get<TNSpeDlg>();
        dlg->clearSelection();
        b_.ui.showModal(dlg);
        return dlg->chosen();
    }
    std::optional<std::uint16_t> askCentreNumber() override {
        auto* dlg = b_.forms.get<TNctrDlg>();
        dlg->clear();
        b_.ui.showModal(dlg);
        return dlg->chosen();
    }
    bool identifyCentre() override { return b_.forms.get<TTMenu2>()->identify(); }
    std::array<std::uint16_t, 7> askUnits(std::uint16_t centreNumber,
                                          const std::array<std::uint16_t, 7>& codes) override {
        auto* units = b_.forms.get<TFUnite>();
        units->prepare(centreNumber, codes);
        b_.ui.showModal(units);
        return units->codes();
    }

private:
    Base b_;
};

class Entry final : public EntryNavigation {
public:
    explicit Entry(Base b) : b_(b) {}

    void openRecordMenu() override {
        auto* menu = b_.forms.get<TTMenu3>();
        menu->fillIdentification();
        b_.ui.showModal(menu);
    }
    void openPracticeRecordMenu() override {
        auto* menu = b_.forms.get<TTMenu3>();
        menu->fillPractice();
        b_.ui.showModal(menu);
    }
    void openSheet(const NewSheet& sheet) override {
        auto* page = load(sheet.centre, sheet.number);
        page->newSheetSaved = sheet.saved;
        page->rememberLoaded();
        b_.ui.showModal(page);
    }
    void openSheet(const CalledUpSheet& sheet) override {
        auto* page = load(sheet.centre, sheet.number);
        page->runChecksSilently();
        page->rememberLoaded();
        b_.ui.showModal(page);
    }
    void openPage2(QWidget* page1) override { b_.forms.get<TFIB2>()->enterFrom(page1); }
    bool runPage1Checks() override { return b_.forms.get<TFIB1>()->runChecksSilently(); }
    bool runPage2Checks() override { return b_.forms.get<TFIB2>()->runChecksSilently(); }
    void callUpFib() override { b_.forms.get<TTMenu3>()->AppelFib(); }
    std::uint16_t chooseFibNumber(std::uint16_t count) override {
        auto* dlg = b_.forms.get<TNfibDlg>();
        dlg->prepare(count);
        b_.ui.showModal(dlg);
        return dlg->chosen();
    }
    void showRiskProfile(int number) override {
        auto* r = b_.forms.get<TFRisque>();
        r->fillCurrent(number);
        b_.ui.showModal(r);
    }

private:
    // Both pages loaded from the buffer, page 1 showing the sheet's numbers.
    TFIB1* load(int centre, int number) {
        auto* page = b_.forms.get<TFIB1>();
        page->showNumbers(centre, number);
        page->VisuFib1();
        b_.forms.get<TFIB2>()->VisuFib2();
        return page;
    }
    Base b_;
};

class Evaluation final : public EvaluationNavigation {
public:
    explicit Evaluation(Base b) : b_(b) {}

    void openMenu() override { b_.ui.showModal(b_.forms.get<TFPeval>()); }
    void showSynthesis(const eval::SynthesisResult& r) override {
        auto* screen = b_.forms.get<TFEval>();
        screen->prepareForSynthesis();
        screen->showSynthesis(r);
        b_.forms.get<TTObjectif>()->writeResults(r);
        b_.ui.showModal(screen);
    }
    void openObjectives() override {
        auto* chart = b_.forms.get<TTObjectif>();
        chart->writeHeadings();
        b_.ui.showModal(chart);
    }
    void reviewRisks() override { b_.forms.get<TFRisque>()->reviewAll(); }
    void reviewQuality() override { b_.forms.get<TFQual>()->review(); }

private:
    Base b_;
};

class Country final : public CountryNavigation {
public:
    explicit Country(Base b) : b_(b) {}

    void openTitle() override { b_.ui.showModal(b_.forms.get<TForm1>()); }
    void openWindow() override { b_.ui.showModal(b_.forms.get<TFSynt2>()); }
    std::string askPoolFileName(const std::string& proposed) override {
        return askName(b_.forms.get<TFNPays>(), proposed);
    }
    std::string askSubCollectionName(const std::string& proposed) override {
        return askName(b_.forms.get<TFNScoll>(), proposed);
    }
    bool askQuery() override {
        auto* quest = b_.forms.get<TFQuest>();
        quest->prepare();
        return b_.ui.showModal(quest) == QDialog::Accepted;
    }
    void openGroups(const std::string& folder, const std::vector<pool::GroupeRecord>& groups) override {
        auto* dlg = b_.forms.get<TFGroupe>();
        dlg->load(folder, groups);
        b_.ui.showModal(dlg);
    }
    void openGroupSyntheses(const std::string& folder, const std::vector<pool::GroupeRecord>& groups) override {
        auto* dlg = b_.forms.get<TFGrpSyn>();
        dlg->load(folder, groups);
        b_.ui.showModal(dlg);
    }
    void openComparison() override { b_.ui.showModal(b_.forms.get<TFCentres>()); }

private:
    std::string askName(NameDialog* dlg, const std::string& proposed) {
        dlg->propose(QString::fromStdString(proposed));
        b_.ui.showModal(dlg);
        return dlg->typed();
    }
    Base b_;
};

class References final : public ReferenceNavigation {
public:
    explicit References(Base b) : b_(b) {}

    void openMenu() override { b_.ui.showModal(b_.forms.get<TFVisi97>()); }
    void openStoredSynthesis(const std::string& file, const std::string& title) override {
        auto* screen = b_.forms.get<TFVis97>();
        screen->choose(file, title);
        b_.ui.showModal(screen);
    }
    std::string askSynthesisName(const std::string& proposed) override {
        auto* dlg = b_.forms.get<TFNSynth>();
        dlg->prepare(proposed);
        b_.ui.showModal(dlg);
        return dlg->NomP->text().trimmed().toStdString();
    }
    void openComparison() override { b_.ui.showModal(b_.forms.get<TFCompar>()); }
    void openEvolution() override { b_.ui.showModal(b_.forms.get<TFEvol>()); }
    void openVariability() override { b_.ui.showModal(b_.forms.get<TFVaria>()); }
    void openStandardIndicators() override { b_.ui.showModal(b_.forms.get<TFIndic>()); }
    std::optional<AlertChoice> openAlerts() override {
        auto* f = b_.forms.get<TFAlertes>();
        if (b_.ui.showModal(f) != QDialog::Accepted) return std::nullopt;
        return f->chosen();
    }
    void openIndicatorFunnel(int indicator, std::int32_t centre) override {
        auto* f = b_.forms.get<TFCentres>();
        f->preselect(indicator, centre);
        b_.ui.showModal(f);
    }
    void openCentreReports() override { b_.ui.showModal(b_.forms.get<TFRapports>()); }

private:
    Base b_;
};

}  // namespace

struct FormNavigation::Parts {
    Centre centre;
    Entry entry;
    Evaluation evaluation;
    Country country;
    References references;
};

FormNavigation::FormNavigation(ui::Adapter& ui, Forms& forms) {
    const Base b{ui, forms};
    parts_ = std::make_unique<Parts>(Parts{Centre(b), Entry(b), Evaluation(b), Country(b), References(b)});
}

FormNavigation::~FormNavigation() = default;

CentreNavigation& FormNavigation::centre() { return parts_->centre; }
EntryNavigation& FormNavigation::entry() { return parts_->entry; }
EvaluationNavigation& FormNavigation::evaluation() { return parts_->evaluation; }
CountryNavigation& FormNavigation::country() { return parts_->country; }
ReferenceNavigation& FormNavigation::references() { return parts_->references; }

}  // namespace pelo
