#pragma once
// Backup screen: copies FIB.DAT to a folder the user picks (a USB key, a
// network share) and beside FIB.DAT as the centre's file, and changes the
// centre worked on: FIB.DAT set aside under the centre's own file, then an
// empty FIB.DAT for a new centre or the records of a centre set aside earlier.

#include <vector>

#include "store/FibRecord.h"
#include "ui/Form.h"

class QPushButton;
class QLabel;

namespace pelo {

class TFSauv : public Form {
    Q_OBJECT
public:
    TFSauv(AppContext& ctx, CentreSession& session);

    void BEdyClick();  // backup
    void BLdyClick();  // change of centre
    void BitBtn1Click();

    QLabel* Panel1;
    QPushButton* BEdy;
    QPushButton* BLdy;
    QPushButton* BitBtn1;

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    // Sets FIB.DAT aside; done receives what was done. False on an error (shown).
    bool setCurrentAside(QString& done, std::vector<FibRecord>& content);

private:
    CentreSession& session_;
};

}  // namespace pelo
