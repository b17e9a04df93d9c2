#include "eval/LineList.h"

#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace pelo {

namespace {
// Word wrap at the width of the list's viewport: the row is as high as its
// wrapped text.
class WrappingDelegate : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QListView* view) : QStyledItemDelegate(view), view_(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(wrapped(option), index);
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, wrapped(option), index);
    }

private:
    QStyleOptionViewItem wrapped(const QStyleOptionViewItem& option) const {
        QStyleOptionViewItem o(option);
        o.features |= QStyleOptionViewItem::WrapText;
        o.textElideMode = Qt::ElideNone;
        o.rect.setWidth(view_->viewport()->width());
        if (o.rect.height() <= 0) o.rect.setHeight(1);
        return o;
    }
    QListView* view_;
};
}  // namespace

void LineListModel::setContents(QStringList lines, std::vector<std::uint32_t> numbers, bool lineTooltips) {
    beginResetModel();
    lines_ = std::move(lines);
    numbers_ = std::move(numbers);
    tooltips_ = lineTooltips;
    endResetModel();
}

int LineListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(lines_.size() + qsizetype(numbers_.size()));
}

QString LineListModel::text(int row) const {
    if (row < 0) return {};
    if (row < lines_.size()) return lines_[row];
    const auto k = std::size_t(row - lines_.size());
    return k < numbers_.size() ? QString::number(numbers_[k]) : QString();
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return text(index.row());
    case Qt::ToolTipRole: {
        // Lines wider than the list read whole in their tooltip.
        if (!tooltips_ || index.row() >= lines_.size()) return {};
        const QString t = lines_[index.row()].simplified();
        return t.isEmpty() ? QVariant() : QVariant(t);
    }
    default: return {};
    }
}

LineList::LineList(QWidget* parent) : QListView(parent), model_(new LineListModel(this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row one line high: the view lays out 65,535 rows without measuring them.
    setUniformItemSizes(true);
    connect(this, &QListView::clicked, this, [this](const QModelIndex& i) { emit rowActivated(i.row()); });
}

void LineList::setContents(QStringList lines, std::vector<std::uint32_t> numbers, bool lineTooltips) {
    model_->setContents(std::move(lines), std::move(numbers), lineTooltips);
}

void LineList::setWrapped(bool on) {
    setUniformItemSizes(!on);
    setWordWrap(on);
    setTextElideMode(on ? Qt::ElideNone : Qt::ElideRight);
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    // A new width wraps the lines again.
    setResizeMode(on ? QListView::Adjust : QListView::Fixed);
    if (on) setItemDelegate(new WrappingDelegate(this));
}

QString LineList::toolTip(int row) const { return model_->data(model_->index(row), Qt::ToolTipRole).toString(); }

void LineList::setCurrentRow(int row) {
    setCurrentIndex(row >= 0 && row < count() ? model_->index(row) : QModelIndex());
}

// Enter on a row does what a click does, for the keyboard.
void LineList::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentRow() >= 0) {
        e->accept();
        emit rowActivated(currentRow());
        return;
    }
    QListView::keyPressEvent(e);
}

}  // namespace pelo
