#pragma once
// Base of the centre's choice dialogs (region, department, structure): a
// prompt, a drop-down list, OK and Cancel. A choice is taken as soon as the
// list selection changes, so Cancel after a choice keeps it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/Form.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace pelo {

class ChoiceDlg : public Form {
    Q_OBJECT
public:
    ChoiceDlg(AppContext& ctx, const QString& className, const QString& caption, const QString& prompt,
              const QString& listName, int visibleLines);

    QComboBox* list() const { return list_; }
    // No item selected; takes no choice.
    void clearSelection();
    // The code of the item chosen since the last clearing; nothing when none was.
    std::optional<std::uint16_t> chosen() const { return chosen_; }
    // Replaces the items; nothing selected, no choice taken.
    void setItems(const std::vector<std::string>& items);

    void OKBtnClick();
    void CancelBtnClick();

    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    // The code of item index (0-based) of the list.
    virtual std::uint16_t codeOf(int index, const QString& text) const = 0;

private:
    void selectionChanged(int index);
    QLabel* prompt_;
    QComboBox* list_;
    std::optional<std::uint16_t> chosen_;
};

}  // namespace pelo
