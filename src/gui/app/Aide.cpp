#include "app/Aide.h"

#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "entry/PageTexts.h"

namespace pelo {

HelpPage::HelpPage(AppContext& ctx, int page)
    : Form(ctx, QStringLiteral("TTAide%1").arg(page), QString::fromStdString(pages::helpCaption(page))), page_(page) {
    // Drawn on the forms' design and scaled with them, so that the text
    // reads at the size of the page that opened it.
    setScalable(true);
    setFixedSize(600, 450);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setAccessibleName(windowTitle());
    Memo1->setReadOnly(true);
    Memo1->setGeometry(10, 10, 580, 380);
    Memo1->setLineWrapMode(QTextEdit::WidgetWidth);
    QFont f = Memo1->font();
    f.setPointSize(10);
    Memo1->setFont(f);
    Memo1->setPlainText(QString::fromStdString(pages::helpText(page)));

    // The legend in the colours it describes.
    QTextCursor c(Memo1->document());
    const QColor colours[2] = {QColor(224, 112, 0), QColor(208, 0, 0)};
    for (int i = 0; i < 2; ++i) {
        QTextBlock b = Memo1->document()->findBlockByNumber(i);
        c.setPosition(b.position());
        c.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
        QTextCharFormat fmt;
        fmt.setForeground(colours[i]);
        fmt.setFontWeight(QFont::Bold);
        c.mergeCharFormat(fmt);
    }

    Button1 = addButton("Button1", "Retour", 480, 404, 110, 34);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &HelpPage::Button1Click);
    setTabOrder(Memo1, Button1);
}

QString HelpPage::text() const { return Memo1->toPlainText(); }

void HelpPage::Button1Click() { close(); }

HelpPage* helpPage(const Forms& forms, int page) {
    for (QWidget* w : forms.ordered())
        if (auto* h = qobject_cast<HelpPage*>(w); h && h->page() == page) return h;
    return nullptr;
}

}  // namespace pelo
