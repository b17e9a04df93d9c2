#pragma once
// A read-only list of text lines followed by numbers (FIB numbers), shown
// through one model: a list of 25,000 numbers is a vector, not 25,000 widget
// items, so filling it costs next to nothing, with a screen reader too.

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace pelo {

class LineListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Lines first (a list's title, the synthesis), then the numbers.
    void setContents(QStringList lines, std::vector<std::uint32_t> numbers, bool lineTooltips = false);
    QString text(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QStringList lines_;
    std::vector<std::uint32_t> numbers_;
    bool tooltips_ = false;
};

class LineList : public QListView {
    Q_OBJECT
public:
    explicit LineList(QWidget* parent = nullptr);

    void setContents(QStringList lines, std::vector<std::uint32_t> numbers = {}, bool lineTooltips = false);
    void clear() { setContents({}, {}); }
    int count() const { return model_->rowCount(); }
    QString text(int row) const { return model_->text(row); }
    QString toolTip(int row) const;
    int currentRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }
    void setCurrentRow(int row);
    // Lines wider than the list wrap onto the rows below instead of being
    // cut (for short lists: each row is measured).
    void setWrapped(bool on);

signals:
    // A row clicked, or chosen with Enter.
    void rowActivated(int row);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    LineListModel* model_;
};

}  // namespace pelo
