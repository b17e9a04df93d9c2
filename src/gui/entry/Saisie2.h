#pragma once
// Entry page 2 of a FIB: symptoms, eyes and feet, quality of life, the
// treatment of the diabetes and the associated treatments. Choice controls
// write their field of the current record at once; the text entries reach the
// record through the five check panels. The page also prints the sheet.

#include <QColor>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <vector>

#include "entry/Checks.h"
#include "print/FibLayout.h"
#include "ui/Form.h"

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pelo {

class TFIB1;

class TFIB2 : public Form {
    Q_OBJECT
public:
    explicit TFIB2(AppContext& ctx);

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

    void BitBtn1Click();  // "DEBUT"
    void Button2Click();  // "CTRL"
    void BImpClick();     // "Imprim."

    // Shows the page without blocking over entry page 1 (which may be modal)
    // and hides it with page 1.
    void showOver(QWidget* page1);

    // Texts of the entries by control name, as the check routines read them.
    checks::Entries entries() const;
    // Colour of a check panel or of an answer box.
    QColor colourOf(const QString& controlName) const;

    // What the page needs from entry page 1, set when both pages exist.
    std::function<bool()> runPage1ChecksSilently;  // the eight checks of page 1, silently; false on an unreadable entry
    std::function<QString()> page1Date;            // the date text of the sheet
    std::function<FibUnitLabels()> page1UnitLabels;  // units shown beside the laboratory values

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape or the window's close box return to page 1 as "DEBUT" does.
    void reject() override;

private:
    enum class Family { Pair, Radio, BeforeAfter };
    struct ChoiceGroup {
        Family family;
        Field<FieldType::U8> field;
        std::array<QAbstractButton*, 2> boxes;  // oui/non or avant/après
        bool yellow = false;                    // inside the light-yellow eye or insulin block
        QButtonGroup* radios = nullptr;
    };
    struct EntryField {
        QLineEdit* edit;
        FieldType type;  // U8 or I32
        std::uint16_t offset;
        int maxLength;
    };

    // Layout helpers.
    QFrame* block(const QString& name, int x, int y, int w, int h, const QColor& bg);
    QLabel* text(QWidget* parent, const QString& t, int x, int y, int w, int h = 15, bool dark = false);
    QLineEdit* entry(QWidget* parent, const QString& name, int x, int y, int w, int maxLength,
                     const QString& accessible);
    QAbstractButton* box(QWidget* parent, const QString& name, int x, int y, const QString& accessible,
                         const QString& caption = {});
    QAbstractButton* radio(QWidget* parent, const QString& name, const QString& caption, int x, int y,
                           const QString& accessible);
    void pair(Family f, Field<FieldType::U8> field, QAbstractButton* a, QAbstractButton* b, bool yellow = false);
    void groupFrame(int panelNo, int helpNo, int helpPage, const QString& caption, int y, int h);
    void intEntry(QLineEdit* e, Field<FieldType::I32> f, int maxLength);
    void byteEntry(QLineEdit* e, Field<FieldType::U8> f, int maxLength);
    void buildPage();

    void choiceClicked(std::size_t groupIndex, std::size_t boxIndex);
    void loadChoice(const ChoiceGroup& g);
    void setBoxColour(QAbstractButton* b, bool chosen, bool yellow);
    void setPanelColour(QPushButton* panel, const QColor& c);
    void syncChoice(const ChoiceGroup& g);
    bool runPanel(int index);  // false on an entry that is not a number
    checks::Context checkContext();

    std::vector<ChoiceGroup> choices_;
    std::vector<EntryField> entries_;
    std::array<QPushButton*, 5> panels_{};  // Panel13, Panel15 .. Panel18
    std::vector<QWidget*> tabOrder_;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* BImp = nullptr;
    QPointer<QWidget> page1_;
};

// Lets the two entry pages reach each other: page 1 loads and checks page 2
// with the sheet, page 2 checks page 1 and prints with its date and units.
void connectEntryPages(TFIB1& page1, TFIB2& page2);

}  // namespace pelo
