#include "app/ChoiceDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace pelo {

ChoiceDlg::ChoiceDlg(AppContext& ctx, const QString& className, const QString& caption, const QString& prompt,
                     const QString& listName, int visibleLines)
    : Form(ctx, className, caption) {
    setFixedSize(440, 150);
    setScalable(true);  // as large as the forms it opens over
    prompt_ = addLabel("Label1", prompt, 20, 16, 400, 22);
    QFont f = prompt_->font();
    f.setPointSize(10);
    prompt_->setFont(f);

    list_ = new QComboBox(this);
    list_->setObjectName(listName);
    list_->setAccessibleName(caption);
    list_->setGeometry(20, 44, 400, 26);
    list_->setMaxVisibleItems(visibleLines);
    list_->setFont(f);
    prompt_->setBuddy(list_);

    OKBtn = addButton("OKBtn", "OK", 210, 100, 100, 30);
    CancelBtn = addButton("CancelBtn", "Annuler", 320, 100, 100, 30);
    OKBtn->setDefault(true);

    connect(list_, &QComboBox::currentIndexChanged, this, &ChoiceDlg::selectionChanged);
    connect(OKBtn, &QPushButton::clicked, this, &ChoiceDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &ChoiceDlg::CancelBtnClick);
    setTabChain({list_, OKBtn, CancelBtn});
}

void ChoiceDlg::clearSelection() {
    const QSignalBlocker block(list_);
    list_->setCurrentIndex(-1);
    chosen_.reset();
}

void ChoiceDlg::setItems(const std::vector<std::string>& items) {
    const QSignalBlocker block(list_);
    list_->clear();
    for (const auto& s : items) list_->addItem(QString::fromStdString(s));
    list_->setCurrentIndex(-1);
    chosen_.reset();
}

void ChoiceDlg::selectionChanged(int index) {
    if (index >= 0) chosen_ = codeOf(index, list_->itemText(index));
}

void ChoiceDlg::OKBtnClick() { accept(); }

void ChoiceDlg::CancelBtnClick() { reject(); }

}  // namespace pelo
