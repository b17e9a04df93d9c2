#include "app/Unite.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "store/Centre.h"
#include "store/Text.h"
#include "ui/Look.h"

namespace pelo {

namespace {
constexpr int kCols = 7, kRows = 8;

QString cellText(QTableWidget* t, int r, int c) {
    auto* it = t->item(r, c);
    return it ? it->text() : QString();
}
}  // namespace

TFUnite::TFUnite(AppContext& ctx) : Form(ctx, "TFUnite", "UNITES") {
    setFixedSize(600, 330);
    setScalable(true);  // as large as the forms it opens over
    auto* prompt =
        addLabel("Label1", QString::fromUtf8("Choisir les unités ligne par ligne en cliquant sur les unités proposées"),
                 20, 12, 560, 22);
    look::boldFont(prompt, 10);

    SUni = new QTableWidget(kRows, kCols, this);
    SUni->setObjectName("SUni");
    SUni->setAccessibleName(QString::fromUtf8("Unités"));
    SUni->setGeometry(20, 42, 560, 226);
    SUni->horizontalHeader()->hide();
    SUni->verticalHeader()->hide();
    SUni->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SUni->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SUni->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    const int widths[kCols] = {130, 100, 70, 75, 75, 75, 31};
    for (int c = 0; c < kCols; ++c) SUni->setColumnWidth(c, widths[c]);
    SUni->horizontalHeader()->setStretchLastSection(true);
    SUni->setSelectionMode(QAbstractItemView::SingleSelection);
    // The arrows move from unit to unit; Tab leaves the grid for "Sauver".
    SUni->setTabKeyNavigation(false);
    // Read-only: a unit is chosen (click, Space or Enter), never typed over.
    SUni->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SUni->installEventFilter(this);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            auto* it = new QTableWidgetItem;
            if (r == 0 || c == 0) {
                // Fixed row and column: neither typed into nor chosen, and
                // passed over by the arrows (they skip disabled cells).
                it->setFlags(Qt::NoItemFlags);
                it->setBackground(QColor(192, 192, 192));
                it->setForeground(QColor(0, 0, 0));
            }
            SUni->setItem(r, c, it);
        }

    Button1 = addButton("Button1", "Sauver", 340, 284, 110, 32);
    BitBtn1 = addButton("BitBtn1", "Fermer", 470, 284, 110, 32);
    Button1->setDefault(true);
    connect(SUni, &QTableWidget::cellClicked, this, &TFUnite::SUniMouseUp);
    connect(Button1, &QPushButton::clicked, this, &TFUnite::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFUnite::BitBtn1Click);
    setTabChain({SUni, Button1, BitBtn1});
    prepare(0);
    SUni->setCurrentItem(nullptr);
}

void TFUnite::prepare(std::uint16_t centreNumber, const std::array<std::uint16_t, 7>& codes) {
    codes_ = codes;
    SUni->item(0, 0)->setText(" UNITES");
    SUni->item(0, 1)->setText(" Centre " + QString::number(centreNumber));
    SUni->item(0, 2)->setText(QString::fromUtf8(" No unité"));
    SUni->item(0, 3)->setText(" O M S");
    for (int r = 1; r < kRows; ++r) {
        SUni->item(r, 0)->setText(QString::fromStdString(units::rowName(r - 1)));
        for (int code = 3; code <= 5; ++code)
            SUni->item(r, code)->setText(QString::fromStdString(units::text(r - 1, code)));
    }
}

void TFUnite::SUniMouseUp(int row, int col) {
    if (row < 0 || row >= kRows || col < 0 || col >= kCols) return;
    const QString text = cellText(SUni, row, col);
    // Only an offered unit of a value row is a choice: the headers and the
    // empty cells change nothing.
    if (row < 1 || col <= 2 || text.trimmed().isEmpty()) return;
    lastChosen_ = text;
    SUni->item(row, 1)->setText(text);
    SUni->item(row, 2)->setText(QString::number(col));
}

void TFUnite::Button1Click() {
    QStringList missing;
    for (int r = 1; r < kRows; ++r) {
        const QString typed = cellText(SUni, r, 2);
        if (!typed.trimmed().isEmpty()) {
            const auto parsed = parseIntegerEntry(typed.toStdString());
            if (!ok(parsed)) {
                ui().error(QString::fromStdString(std::get<ConversionError>(parsed).message));
                return;
            }
            const int code = std::get<std::int32_t>(parsed);
            // A typed code that the row does not offer is no unit at all.
            if (units::offered(r - 1, code)) {
                codes_[std::size_t(r - 1)] = static_cast<std::uint16_t>(code);
                continue;
            }
        }
        missing << QString::fromStdString(units::rowName(r - 1)).trimmed();
    }
    // One message naming every row still without its unit.
    if (missing.isEmpty()) accept();
    else ui().information(QString::fromUtf8("Unités incomplètes : %1").arg(missing.join(QStringLiteral(", "))));
}

void TFUnite::BitBtn1Click() { reject(); }

// Without the mouse: the arrows go to a unit and Space or Enter chooses it, as
// a click does, instead of pressing "Sauver" on a grid half filled.
bool TFUnite::eventFilter(QObject* watched, QEvent* event) {
    // The grid is entered on a unit that can be chosen: the first row's
    // chosen one, or its first offered one; the cursor shows where it is.
    if (watched == SUni && event->type() == QEvent::FocusIn && (SUni->currentRow() < 1 || SUni->currentColumn() < 1)) {
        const int chosen = cellText(SUni, 1, 2).trimmed().toInt();
        SUni->setCurrentCell(1, chosen >= 3 && chosen <= 5 ? chosen : 3);
    }
    if (watched == SUni && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (SUni->currentRow() >= 0 && SUni->currentColumn() >= 0)
                SUniMouseUp(SUni->currentRow(), SUni->currentColumn());
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void TFUnite::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && focusWidget() == SUni) {
        e->accept();
        if (SUni->currentRow() >= 0 && SUni->currentColumn() >= 0)
            SUniMouseUp(SUni->currentRow(), SUni->currentColumn());
        return;
    }
    Form::keyPressEvent(e);
}

}  // namespace pelo
