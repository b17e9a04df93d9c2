#pragma once
// Quality screen: the numbers of the FIBs in three lists by state (complete,
// incomplete, to review) with their counts; a click on a number calls that
// FIB up on the entry pages for correction.

#include "eval/Quality.h"
#include "ui/Form.h"

class QLineEdit;

namespace pelo {

class LineList;

class TFQual : public Form {
    Q_OBJECT
public:
    TFQual(AppContext& ctx, CentreSession& session);

    // Fills the lists and counts (the screen is then shown by the caller).
    void fill(const QualityLists& lists);
    // Reads the current record file and shows the screen; false after a file error.
    bool review();

    void LValClick();
    void LSusClick();
    void LIncClick();
    void BitBtn1Click();

private:
    void callUp(LineList* list);

    LineList* LVal = nullptr;
    LineList* LSus = nullptr;
    LineList* LInc = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* EditAnnul = nullptr;  // sheets annulled, when there are some

private:
    CentreSession& session_;
};

}  // namespace pelo
