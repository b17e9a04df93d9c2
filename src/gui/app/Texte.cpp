#include "app/Texte.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "entry/PageTexts.h"
#include "ui/Look.h"

namespace pelo {

TextPage::TextPage(AppContext& ctx, int page)
    : Form(ctx, QStringLiteral("TTTexte%1").arg(page), QString::fromStdString(pages::textPageTitle(page))) {
    Panel1 = setFullScreenWithBanner();
    Label1 = addLabel("Label1", windowTitle(), 20, 72, 600, 26);
    look::whiteText(Label1, 12, true);
    Label1->setAlignment(Qt::AlignCenter);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setAccessibleName(windowTitle());
    Memo1->setReadOnly(true);
    Memo1->setGeometry(40, 104, 560, 300);
    QFont f = Memo1->font();
    f.setPointSize(10);
    Memo1->setFont(f);
    Memo1->document()->setDocumentMargin(8);
    Memo1->setPlainText(QString::fromStdString(pages::textPageText(page)));

    BitBtn1 = addButton("BitBtn1", "Retour", 470, 420, 130, 40);
    look::boldFont(BitBtn1, 10);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TextPage::BitBtn1Click);
    setTabOrder(Memo1, BitBtn1);
}

QString TextPage::text() const { return Memo1->toPlainText(); }

void TextPage::BitBtn1Click() { close(); }

}  // namespace pelo
