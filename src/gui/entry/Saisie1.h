#pragma once
// Entry page 1 of a FIB: identification, contact, pregnancy, risk factors,
// self-monitoring, education, last measures and St-Vincent complications.
// Choice controls write their field of the current record at once; the text
// entries reach the record through the check panels, which call the core
// check routines and show their findings.

#include <functional>
#include <vector>

#include "entry/EntryPage.h"

class QFrame;
class QLabel;

namespace pelo {

class TFIB1 : public EntryPage {
    Q_OBJECT
public:
    TFIB1(AppContext& ctx, CentreSession& session);

    // Copies the current record into the controls.
    void VisuFib1();
    // Centre number and FIB number of the sheet, shown at its top.
    void showNumbers(int centre, int fib);
    // The date as typed.
    QString dateText() const;

    // Check panels: each stores its group's entries, tests the group, colours
    // itself and shows its findings when check messages are on.
    void Panel23Click();
    void Panel22Click();
    void Panel24Click();
    void Panel25Click();
    void Panel26Click();
    void Panel27Click();
    void Panel28Click();
    void Panel29Click();
    // The eight routines in their order, with check messages off. False when
    // an entry is not a number (its error is shown all the same).
    bool runChecksSilently();

    void BitBtn1Click();   // "SUITE"
    void BitBtn11Click();  // "Menu": save
    void Button2Click();   // "CTRL"
    void Button3Click();   // "Risques"

    // The record as it stood when the sheet opened: abandoning a sheet that
    // differs from it is asked twice.
    void rememberLoaded();
    bool hasChangesSinceLoaded();

    // Told the number of a new sheet once it is saved (the record menu shows the count).
    std::function<void(int)> newSheetSaved;

    // Escape or the window's close box: the sheet is never dropped silently,
    // the save question decides.
    void reject() override;

protected:
    void setPanelColour(QPushButton* panel, const QColor& c) override;
    void setBoxColour(QAbstractButton* b, bool chosen, bool yellow) override;
    void afterFindings(const checks::PanelResult& res) override;
    void afterRadio(const ChoiceGroup& g, QAbstractButton* b) override;
    void dress(QWidget* w, const entry::Item& item) override;

private:
    FibRecord loaded_{};

    QFrame* group(int index);
    void buildPage();

    void openHelp(int page);
    void setUnitLabels();

    QFrame* Panel10 = nullptr;
    QLabel* Label81 = nullptr;
    QLabel* Label86 = nullptr;
    QLabel* Label87 = nullptr;
    QLabel* Label90 = nullptr;
    QLabel* Label91 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn11 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
};

}  // namespace pelo
