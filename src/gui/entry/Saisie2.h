#pragma once
// Entry page 2 of a FIB: symptoms, eyes and feet, quality of life, the
// treatment of the diabetes and the associated treatments. Choice controls
// write their field of the current record at once; the text entries reach the
// record through the five check panels. The page also prints the sheet.

#include <QPointer>
#include <functional>
#include <utility>

#include "entry/EntryPage.h"

namespace pelo {

class TFIB2 : public EntryPage {
    Q_OBJECT
public:
    TFIB2(AppContext& ctx, CentreSession& session);

    // Copies the current record into the controls, in record order.
    void VisuFib2();

    // Check panels: each stores its group's entries (when ReadPage2Entries is
    // set), tests the group, colours itself and shows its findings when check
    // messages are on.
    void Panel13Click();
    void Panel15Click();
    void Panel16Click();
    void Panel17Click();
    void Panel18Click();
    // The five routines in their order, with check messages off.
    bool runChecksSilently();  // false when an entry is not a number
    // Colours the five panels aqua (a new sheet).
    void markPanelsUnchecked();
    // "SUITE" of page 1: a called-up sheet has its stored values checked as
    // they stand, a new one its panels marked unchecked; then the page shows over page 1.
    void enterFrom(QWidget* page1);

    void BitBtn1Click();  // "DEBUT"
    void Button2Click();  // "CTRL"
    void BImpClick();     // "Imprim."

    // Shows the page without blocking over entry page 1 (which may be modal)
    // and hides it with page 1.
    void showOver(QWidget* page1);

    // The full run of entry page 1's checks (through the navigation unless
    // replaced): false on an unreadable entry.
    std::function<bool()> runPage1ChecksSilently;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape or the window's close box return to page 1 as "DEBUT" does.
    void reject() override;

    void setPanelColour(QPushButton* panel, const QColor& c) override;
    void setBoxColour(QAbstractButton* b, bool chosen, bool yellow) override;
    void beforeFindings(const checks::PanelResult& res) override;
    void dress(QWidget* w, const entry::Item& item) override;

private:
    void groupFrame(int index);
    void buildPage();

    QPushButton* BitBtn1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* BImp = nullptr;
    QPointer<QWidget> page1_;
};

}  // namespace pelo
