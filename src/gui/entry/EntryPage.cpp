#include "entry/EntryPage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <map>

#include "entry/Choices.h"

namespace pelo {

namespace {

QColor toQColor(checks::Colour c) {
    switch (c) {
    case checks::Colour::Navy: return colours::Navy;
    case checks::Colour::Orange: return colours::Orange;
    case checks::Colour::Red: return colours::Red;
    }
    return colours::Navy;
}

bool insideYellowBlock(const QWidget* w) {
    const QString n = w->parentWidget() ? w->parentWidget()->objectName() : QString();
    return n == "PanelYeux" || n == "PanelInsuline";
}

}  // namespace

EntryPage::EntryPage(AppContext& ctx, CentreSession& session, const QString& className, const QString& caption,
                     int page)
    : Form(ctx, className, caption),
      session_(session),
      page_(page),
      items_(page == 1 ? entry::page1Items() : entry::page2Items()),
      table_(page == 1 ? entry::page1Controls() : entry::page2Controls()),
      routines_(page == 1 ? entry::page1Panels() : entry::page2Panels()),
      title_(caption) {
    panels_.resize(routines_.size(), nullptr);
}

void EntryPage::addPanel(int index, QPushButton* panel) {
    panels_[std::size_t(index)] = panel;
    connect(panel, &QPushButton::clicked, this, [this, index] { runPanel(index); });
}

void EntryPage::buildControls() {
    for (const entry::Item& it : items_) {
        QWidget* in = *it.in ? findChild<QWidget*>(QString::fromLatin1(it.in)) : this;
        const QString text = QString::fromUtf8(it.text);
        QWidget* w = nullptr;
        switch (it.widget) {
        case entry::Widget::Label: {
            auto* l = new QLabel(text, in);
            if (it.look & entry::look::Right) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (it.look & entry::look::Heading) {
                l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
                l->setFixedHeight(it.at.h);
            }
            w = l;
            break;
        }
        case entry::Widget::Entry: {
            auto* e = new QLineEdit(in);
            e->setTextMargins(0, 0, 0, 0);
            e->setText(text);
            if (it.look & entry::look::ReadOnly) {
                e->setReadOnly(true);
                e->setFocusPolicy(Qt::NoFocus);
            }
            w = e;
            break;
        }
        case entry::Widget::Check: w = new QCheckBox(text, in); break;
        case entry::Widget::Radio: w = new QRadioButton(text, in); break;
        case entry::Widget::Block: {
            auto* fr = new QFrame(in);
            fr->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            w = fr;
            break;
        }
        }
        w->setObjectName(QString::fromLatin1(it.name));
        w->setGeometry(it.at.x, it.at.y, it.at.w, it.at.h);
        if (*it.accessible) w->setAccessibleName(QString::fromUtf8(it.accessible));
        if (*it.tip) w->setToolTip(QString::fromUtf8(it.tip));
        if (it.look & entry::look::Small) {
            QFont f = font();
            f.setPointSize(7);
            w->setFont(f);
        }
        dress(w, it);
    }
}

QLineEdit* EntryPage::edit(const char* name) const { return findChild<QLineEdit*>(QString::fromLatin1(name)); }

// A page opens on its first entry, not on a button, so typing starts at once.
void EntryPage::showEvent(QShowEvent* e) {
    // Sheets typed for practice go to the practice file: the page says so.
    const bool practice = session().CurrentFile == kPracticeFile;
    setWindowTitle(practice ? title_ + QString::fromUtf8(" — Entraînement") : title_);
    if (practiceLabel_) practiceLabel_->setVisible(practice);
    Form::showEvent(e);
    if (firstStop_) firstStop_->setFocus(Qt::OtherFocusReason);
}

// Right and Down choose the next answer of a radio group, Left and Up the
// previous one, round the group: the focus moves to it and it is clicked, so
// its checks run as for a click. Space still ticks the focused one.
bool EntryPage::eventFilter(QObject* watched, QEvent* e) {
    // A masked entry reached from the keyboard shows its date selected, not
    // under a block cursor that hides its first digit; typing replaces it.
    if (e->type() == QEvent::FocusIn && static_cast<QFocusEvent*>(e)->reason() != Qt::MouseFocusReason) {
        if (auto* date = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, date, [date] {
                if (date->hasFocus()) date->selectAll();
            });
        return Form::eventFilter(watched, e);
    }
    if (e->type() != QEvent::KeyPress) return Form::eventFilter(watched, e);
    const auto* k = static_cast<QKeyEvent*>(e);
    int step = 0;
    if (k->key() == Qt::Key_Right || k->key() == Qt::Key_Down) step = 1;
    if (k->key() == Qt::Key_Left || k->key() == Qt::Key_Up) step = -1;
    if (step == 0 || (k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return Form::eventFilter(watched, e);
    for (const ChoiceGroup& g : choices_) {
        if (!g.radios) continue;
        const auto it = std::find(g.boxes.begin(), g.boxes.end(), watched);
        if (it == g.boxes.end()) continue;
        const auto n = std::ptrdiff_t(g.boxes.size());
        QAbstractButton* next = g.boxes[std::size_t(((it - g.boxes.begin()) + step + n) % n)];
        if (!next->isEnabled()) return true;
        next->setFocus(Qt::OtherFocusReason);
        if (!next->isChecked()) next->click();
        return true;
    }
    return Form::eventFilter(watched, e);
}

// Each group's check panel, then its help button, follow the group's last
// control in the Tab chain, so that its messages (Space or Enter on the
// panel) and its help are reached without a mouse.
void EntryPage::insertPanelsInto(std::vector<QWidget*>& order) {
    std::map<const QWidget*, int> groupOf;
    for (const entry::Item& it : items_)
        if (it.tab >= 0) groupOf[findChild<QWidget*>(QString::fromLatin1(it.name))] = it.group;
    const auto helps = findChildren<QPushButton*>();
    for (std::size_t p = 0; p < panels_.size(); ++p) {
        QPushButton* panel = panels_[p];
        if (!panel) continue;
        auto last = order.end();
        for (auto it = order.begin(); it != order.end(); ++it) {
            const auto g = groupOf.find(*it);
            if (g != groupOf.end() && g->second == int(p)) last = it;
        }
        std::vector<QWidget*> extra{panel};
        const QString group = panel->accessibleName().section(QStringLiteral(" : "), 1);
        for (QPushButton* h : helps)
            if (h->accessibleName() == QStringLiteral("Aide : ") + group) extra.push_back(h);
        for (QWidget* w : extra) w->setFocusPolicy(Qt::TabFocus);
        order.insert(last == order.end() ? order.end() : last + 1, extra.begin(), extra.end());
    }
}

void EntryPage::bindControls(const std::vector<QWidget*>& buttons) {
    // Tab order: the table's controls by their place, a group's boxes one after the other.
    std::vector<std::pair<int, std::vector<QWidget*>>> stops;
    edits_.assign(table_.size(), nullptr);
    for (std::size_t r = 0; r < table_.size(); ++r) {
        const entry::Control& row = table_[r];
        if (!row.isChoice()) {
            QLineEdit* e = edits_[r] = edit(row.name);
            if (row.length > 0) e->setMaxLength(row.length);
            if (row.kind == entry::Kind::Date) {
                e->setInputMask(entry::kDateMask);
                e->installEventFilter(this);
            }
            if (row.kind == entry::Kind::Letter)
                connect(e, &QLineEdit::textEdited, e, [e](const QString& t) {
                    const QString up = t.toUpper();
                    if (up != t) e->setText(up);
                });
            stops.push_back({row.tab, {e}});
            continue;
        }
        ChoiceGroup g{&row, {}, nullptr, false};
        for (std::size_t i = 0; i < row.boxCount(); ++i)
            g.boxes.push_back(findChild<QAbstractButton*>(QString::fromLatin1(row.boxes[i])));
        g.yellow = insideYellowBlock(g.boxes[0]);
        if (row.family == entry::Family::Radio) {
            g.radios = new QButtonGroup(this);
            for (auto* b : g.boxes) {
                g.radios->addButton(b);
                b->installEventFilter(this);
            }
        }
        const std::size_t gi = choices_.size();
        for (std::size_t i = 0; i < g.boxes.size(); ++i) {
            setBoxColour(g.boxes[i], false, g.yellow);
            connect(g.boxes[i], &QAbstractButton::clicked, this, [this, gi, i] { choiceClicked(gi, i); });
        }
        stops.push_back({row.tab, {g.boxes.begin(), g.boxes.end()}});
        choices_.push_back(std::move(g));
    }
    if (practicePlace_.isValid()) {
        practiceLabel_ =
            addLabel(QStringLiteral("LabEntrainement"), QString::fromUtf8("Entraînement"), practicePlace_.x(),
                     practicePlace_.y(), practicePlace_.width(), practicePlace_.height());
        practiceLabel_->setAlignment(Qt::AlignCenter);
        practiceLabel_->setAutoFillBackground(true);
        QPalette pal = practiceLabel_->palette();
        pal.setColor(QPalette::Window, colours::Orange);
        pal.setColor(QPalette::WindowText, colours::Navy);
        practiceLabel_->setPalette(pal);
        QFont f = practiceLabel_->font();
        f.setBold(true);
        practiceLabel_->setFont(f);
        practiceLabel_->hide();
    }
    std::stable_sort(stops.begin(), stops.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> order;
    for (const auto& s : stops) order.insert(order.end(), s.second.begin(), s.second.end());
    insertPanelsInto(order);
    if (!order.empty()) firstStop_ = order.front();
    order.insert(order.end(), buttons.begin(), buttons.end());
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

// ---------------------------------------------------------------------------
// Colours and choices

QColor EntryPage::colourOf(const QString& controlName) const {
    auto* w = findChild<QWidget*>(controlName);
    return w ? w->property("colour").value<QColor>() : QColor();
}

void EntryPage::syncGroup(const ChoiceGroup& g) {
    using entry::Family;
    const entry::Control& row = *g.row;
    const std::uint8_t v = session().buffer.get(Field<FieldType::U8>{row.field.offset, row.field.name});
    std::vector<bool> on(g.boxes.size(), false);
    switch (row.family) {
    case Family::Radio:
    case Family::Single:
    case Family::None:
        if (v >= 1 && v <= g.boxes.size()) on[v - 1] = true;
        break;
    case Family::Pair: {
        auto t = choices::pairTicks(v);
        on = {t[0], t[1]};
        break;
    }
    case Family::BeforeAfter: on = {v == 1 || v == 3, v == 2 || v == 3}; break;
    case Family::Complication: {
        auto t = choices::complicationTicks(v);
        on = {t[0], t[1], t[2]};
        break;
    }
    }
    if (g.radios) g.radios->setExclusive(false);
    for (std::size_t i = 0; i < g.boxes.size(); ++i) {
        g.boxes[i]->setChecked(on[i]);
        setBoxColour(g.boxes[i], on[i], g.yellow);
    }
    if (g.radios) g.radios->setExclusive(true);
}

void EntryPage::syncAllChoices() {
    for (const auto& g : choices_) syncGroup(g);
}

void EntryPage::syncGroupOf(const std::string& boxName) {
    for (const ChoiceGroup& g : choices_)
        for (std::size_t i = 0; i < g.row->boxCount(); ++i)
            if (boxName == g.row->boxes[i]) return syncGroup(g);
}

void EntryPage::runClickChecks(const entry::ClickChecks& c) {
    if (c.panels.empty()) return;
    if (c.silent) {
        runSilently(c.panels);
    } else {
        for (int p : c.panels) runPanel(p);
    }
}

void EntryPage::choiceClicked(std::size_t gi, std::size_t bi) {
    using entry::Family;
    const ChoiceGroup& g = choices_[gi];
    const Field<FieldType::U8> field{g.row->field.offset, g.row->field.name};
    QAbstractButton* b = g.boxes[bi];
    const auto code = static_cast<std::uint8_t>(bi + 1);
    switch (g.row->family) {
    case Family::Radio:
        runClickChecks(entry::clickChecks(page_, g.row->field, int(bi + 1)));
        session().buffer.set(field, code);
        b->setChecked(true);
        break;
    case Family::None:
    case Family::Single:
    case Family::Pair: session().buffer.set(field, choices::clickedCode(code, b->isChecked())); break;
    case Family::BeforeAfter: {
        const bool before = g.boxes[0]->isChecked(), after = g.boxes[1]->isChecked();
        session().buffer.set(field, before && after ? 3 : before ? 1 : after ? 2 : kEmptyU8);
        break;
    }
    case Family::Complication: {
        choices::RowTicks t{};
        for (int i = 0; i < 3; ++i) t[i] = g.boxes[i]->isChecked();
        session().buffer.set(field,
                             choices::complicationClick(g.row->exclusive, t, static_cast<choices::Box>(bi)).value);
        break;
    }
    }
    syncGroup(g);
    if (g.row->family == Family::Radio) afterRadio(g, b);
}

// ---------------------------------------------------------------------------
// Loading

void EntryPage::loadChoice(const ChoiceGroup& g) {
    syncGroup(g);
    if (g.row->family != entry::Family::Radio) return;
    const Field<FieldType::U8> field{g.row->field.offset, g.row->field.name};
    const std::uint8_t v = session().buffer.get(field);
    if (v < 1 || v > g.boxes.size()) return afterRadio(g, nullptr);
    if (auto click = entry::loadingClick(page_, *g.row, v)) {
        runClickChecks(click->checks);
        // The checks may have changed other fields, never this one.
        session().buffer.set(field, v);
        syncGroup(g);
    }
    afterRadio(g, g.boxes[v - 1]);
}

void EntryPage::loadRecord() {
    std::size_t gi = 0;
    for (std::size_t r = 0; r < table_.size(); ++r) {
        const entry::Control& row = table_[r];
        if (row.isChoice()) {
            loadChoice(choices_[gi++]);
            continue;
        }
        QLineEdit* e = edits_[r];
        const QString t = QString::fromStdString(entry::loadedText(row, session().buffer));
        // The length limits typing only: a longer stored value is shown whole.
        if (row.length > 0 && row.kind != entry::Kind::Date) e->setMaxLength(std::max(row.length, int(t.size())));
        e->setText(t);
    }
}

// ---------------------------------------------------------------------------
// Checks

checks::Entries EntryPage::entries() const {
    checks::Entries out;
    for (std::size_t r = 0; r < table_.size(); ++r)
        if (edits_[r]) out[table_[r].name] = edits_[r]->text().toStdString();
    return out;
}

checks::Context EntryPage::checkContext() {
    checks::Context c;
    c.currentYear = session().CurrentYear;
    c.units = session().UnitCodes;
    c.readPage2Entries = session().ReadPage2Entries;
    return c;
}

bool EntryPage::runPanel(int index) {
    const checks::PanelResult res = routines_[std::size_t(index)].routine(session().buffer, entries(), checkContext());
    beforeFindings(res);
    setPanelColour(panels_[std::size_t(index)], toQColor(res.colour));
    bool converted = true;
    for (const auto& f : res.findings) {
        const bool conversion = f.kind == checks::Kind::Conversion;
        if (conversion) converted = false;
        if (!session().ShowCheckMessages && !conversion) continue;
        std::optional<QPoint> pos;
        if (f.pos) pos = boxPosition(f.pos->first, f.pos->second);
        const QString msg = QString::fromStdString(f.message);
        const bool warning = f.kind == checks::Kind::Warning || f.kind == checks::Kind::SilentWarning;
        if (warning && !f.errorIcon) ui().warning(msg, pos);
        else ui().error(msg, pos);
    }
    afterFindings(res);
    return converted;
}

bool EntryPage::runSilently(const std::vector<int>& panels) {
    SilentChecks quiet(session());
    bool converted = true;
    for (int p : panels) converted = runPanel(p) && converted;
    return converted;
}

bool EntryPage::runAllSilently() {
    std::vector<int> all(routines_.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = int(i);
    return runSilently(all);
}

}  // namespace pelo
