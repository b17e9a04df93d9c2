#pragma once
// Entry page 1 of a FIB: identification, contact, pregnancy, risk factors,
// self-monitoring, education, last measures and St-Vincent complications.
// Choice controls write their field of the current record at once; the text
// entries reach the record through the check panels, which call the core
// check routines and show their findings.

#include <QColor>
#include <array>
#include <functional>
#include <map>
#include <vector>

#include "entry/Checks.h"
#include "ui/Form.h"

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace pelo {

// Colours of the page (answer boxes and check panels).
namespace colours {
inline const QColor Aqua(0, 255, 255);
inline const QColor Light(227, 255, 255);
inline const QColor Navy(0, 0, 128);
inline const QColor Orange(255, 159, 64);
inline const QColor Red(255, 0, 0);
}  // namespace colours

class TFIB1 : public Form {
    Q_OBJECT
public:
    explicit TFIB1(AppContext& ctx);

    // Copies the current record into the controls.
    void VisuFib1();
    // Centre number and FIB number shown at the top of the sheet.
    void showNumbers(int centre, int fib);

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

    // Texts of the entries by control name, as the check routines read them.
    checks::Entries entries() const;
    // Colour of a check panel or of an answer box.
    QColor colourOf(const QString& controlName) const;

    // Set by entry page 2: loads it from the current record (with this page's
    // loading), and runs its checks (the save runs them silently).
    std::function<void()> loadPage2;
    std::function<bool()> runPage2Checks;  // false on an unreadable entry of page 2
    // Told the number of a new sheet once it is saved (the record menu shows the count).
    std::function<void(int)> newSheetSaved;

    // Escape or the window's close box: the sheet is never dropped silently,
    // the save question decides.
    void reject() override;

private:
    enum class Family { Radio, Single, Pair, Complication };
    struct ChoiceGroup {
        Family family;
        Field<FieldType::U8> field;
        std::vector<QAbstractButton*> boxes;  // in code order (row: recent, old, non)
        bool exclusive = false;               // complication rows of blindness and renal failure
        QButtonGroup* radios = nullptr;
    };

    // Layout helpers.
    QFrame* group(const QString& name, const QString& caption, int y, int h, int panelNo, int helpNo);
    QLabel* text(QWidget* parent, const QString& name, const QString& t, int x, int y, int w = -1);
    QLineEdit* entry(QWidget* parent, const QString& name, int x, int y, int w, int maxLen,
                     const QString& accessible);
    QAbstractButton* radio(QWidget* parent, const QString& name, const QString& t, int x, int y,
                           const QString& accessible = {});
    QAbstractButton* tick(QWidget* parent, const QString& name, const QString& t, int x, int y,
                          const QString& accessible = {});
    int advance(const QString& t) const;
    void addChoice(Family f, Field<FieldType::U8> field, std::vector<QAbstractButton*> boxes, bool exclusive = false);
    void buildPage();
    void buildTabOrder();

    void choiceClicked(std::size_t groupIndex, std::size_t boxIndex);
    // Ticks and colours of one group from its field, without side effects.
    void syncGroup(const ChoiceGroup& g);
    void syncAllChoices();
    // Loading of one choice group: the ticks of the stored code, then what a
    // click on the ticked box does besides writing the field.
    void loadChoice(const ChoiceGroup& g);
    void afterRadio(QAbstractButton* b);
    const ChoiceGroup* groupOf(Field<FieldType::U8> field) const;

    void openHelp(int page);
    bool runPanel(int index);  // false on an entry that is not a number
    bool runSilently(std::initializer_list<int> panels);
    void setPanelColour(QPushButton* panel, const QColor& c);
    void setBoxColour(QAbstractButton* b, bool chosen);
    void setUnitLabels();
    checks::Context checkContext();

    std::map<QString, QLineEdit*> edits_;
    std::vector<QLineEdit*> editOrder_;
    std::vector<ChoiceGroup> choices_;
    std::array<QPushButton*, 8> panels_{};  // Panel23, Panel22, Panel24 .. Panel29 in check order
    std::vector<QPushButton*> helpButtons_;
    std::vector<QWidget*> tabOrder_;
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
