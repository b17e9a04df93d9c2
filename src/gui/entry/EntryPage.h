#pragma once
// What the two entry pages share: their controls built from the page's core
// table and bound to it (entries, choice groups, Tab order), the loading of
// the current record, the click rules of the choice families, the runs of the
// check panels and their colours. A page builds its groups, then its controls
// from the table, then binds them.

#include <QColor>
#include <QRect>
#include <QString>
#include <vector>

#include "entry/Checks.h"
#include "entry/EntryTable.h"
#include "ui/Form.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pelo {

// Colours of the entry pages (answer boxes and check panels).
namespace colours {
inline const QColor Aqua(0, 255, 255);
inline const QColor Light(227, 255, 255);
inline const QColor LightYellow(255, 255, 217);
inline const QColor Navy(0, 0, 128);
inline const QColor Orange(255, 159, 64);
inline const QColor Red(255, 0, 0);
}  // namespace colours

class EntryPage : public Form {
    Q_OBJECT
public:
    // Texts of the entries by control name, as the check routines read them.
    checks::Entries entries() const;
    // Colour of a check panel or of an answer box.
    QColor colourOf(const QString& controlName) const;

protected:
    // `page` is 1 or 2: the table, the panels and the click checks of that page.
    EntryPage(AppContext& ctx, CentreSession& session, const QString& className, const QString& caption, int page);
    // The record file, the buffer and the flags the pages work on.
    CentreSession& session() { return session_; }

    struct ChoiceGroup {
        const entry::Control* row;
        std::vector<QAbstractButton*> boxes;  // in code order
        QButtonGroup* radios = nullptr;
        bool yellow = false;  // inside a light-yellow block of page 2
    };

    // The table's controls, each in its container (a group's frame or a block
    // built before it), in the table's order; `dress` gives each the page's look.
    void buildControls();
    virtual void dress(QWidget* w, const entry::Item& item) = 0;
    // After the layout: the table's entries get their length, its choice
    // groups their boxes and click rules, and the Tab order runs through the
    // table's controls, then through `buttons`.
    void bindControls(const std::vector<QWidget*>& buttons);
    void showEvent(QShowEvent* e) override;
    // The arrow keys choose within a radio group, as on every desktop; a
    // date entry reached from the keyboard is selected whole.
    bool eventFilter(QObject* watched, QEvent* e) override;
    // The check panel of run index `index`, placed by the layout.
    void addPanel(int index, QPushButton* panel);
    QLineEdit* edit(const char* name) const;

    // Loading of the current record, row by row in the table's order: an
    // entry shows its text in full, a choice ticks its boxes and does what
    // its loading click does.
    void loadRecord();
    // Run of one check routine: the panel coloured, the findings shown when
    // check messages are on (a conversion error always). False when an entry
    // is not a number.
    bool runPanel(int index);
    // The routines of `panels` in order with messages off.
    bool runSilently(const std::vector<int>& panels);
    bool runAllSilently();
    checks::Context checkContext();

    // Ticks and colours of one group from its field, without side effects.
    void syncGroup(const ChoiceGroup& g);
    void syncAllChoices();
    void syncGroupOf(const std::string& boxName);

    virtual void setPanelColour(QPushButton* panel, const QColor& c) = 0;
    virtual void setBoxColour(QAbstractButton* b, bool chosen, bool yellow) = 0;
    // Around the showing of a routine's findings: the controls re-synced
    // from the record.
    virtual void beforeFindings(const checks::PanelResult&) {}
    virtual void afterFindings(const checks::PanelResult&) {}
    // A radio button's code written, by a click or by the loading; null when
    // the loading found no code that a button shows.
    virtual void afterRadio(const ChoiceGroup&, QAbstractButton*) {}

    std::vector<QPushButton*> panels_;  // in the order of the full run
    void insertPanelsInto(std::vector<QWidget*>& order);
    QWidget* firstStop_ = nullptr;  // the sheet's first entry, focused when the page shows
    // Where the page's header says « Entraînement » on the practice file
    // (design coordinates, set before bindControls); none when empty.
    QRect practicePlace_;
    std::vector<ChoiceGroup> choices_;

private:
    CentreSession& session_;
    void choiceClicked(std::size_t groupIndex, std::size_t boxIndex);
    void loadChoice(const ChoiceGroup& g);
    void runClickChecks(const entry::ClickChecks& c);

    int page_;
    std::span<const entry::Item> items_;
    std::span<const entry::Control> table_;
    std::vector<QLineEdit*> edits_;  // per row of the table; null for a choice
    std::span<const entry::Panel> routines_;
    QString title_;
    QLabel* practiceLabel_ = nullptr;
};

}  // namespace pelo
