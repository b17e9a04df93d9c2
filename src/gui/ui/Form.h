#pragma once
// Base of every form: a dialog designed in the 640 x 480 space, scaled once
// per run, painting the background gradient when asked to and the colour
// preference is on. Forms reach the run settings, the adapter and the other
// screens (ui/Navigation.h) through the AppContext they are given; a form
// that works on a session (ui/Sessions.h) is given it, and only it, when it
// is created.

#include <QDialog>
#include <QImage>
#include <functional>
#include <initializer_list>
#include <map>
#include <typeindex>
#include <vector>

#include "ui/Adapter.h"
#include "ui/Navigation.h"
#include "ui/Sessions.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace pelo {

class Forms;

struct AppContext {
    RunSettings& run;
    ui::Adapter& ui;
    Forms& forms;  // reached only where the forms are built and navigated (app/)
    Navigation& nav;
};

class Form : public QDialog {
    Q_OBJECT
public:
    Form(AppContext& ctx, const QString& className, const QString& caption, QWidget* parent = nullptr);

    AppContext& ctx() { return ctx_; }
    RunSettings& run() { return ctx_.run; }
    ui::Adapter& ui() { return ctx_.ui; }
    Navigation& nav() { return ctx_.nav; }

    // Scales the form and its controls once, by the factor of the run.
    void scaleOnce();
    // Makes the form one of those scaled with the screen.
    void setScalable(bool on) { scalable_ = on; }
    // Makes the form paint the background gradient while the preference is on.
    void setPaintsGradient(bool on) { paintsGradient_ = on; }

    // The factor of the run: the smaller of width / 640 and height / 480.
    static double scaleFactorFor(QSize screen);
    // The factor this form is drawn at: the run's if it scales, else 1.
    double factor() const;
    // Where a box meant for the design point (x, y) of this form goes on the
    // screen: over the form as it is scaled and placed, whatever the screen.
    QPoint boxPosition(int x, int y) const;

    // Shows an error box for a failed file action.
    void ioError(const struct IoError& e);

protected:
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    // Enter presses the button that has the focus.
    void keyPressEvent(QKeyEvent* e) override;

    // Controls placed in design coordinates.
    QLabel* addLabel(const QString& name, const QString& text, int x, int y, int w, int h);
    QPushButton* addButton(const QString& name, const QString& text, int x, int y, int w, int h);
    QLineEdit* addEdit(const QString& name, const QString& accessible, int x, int y, int w, int h);
    // Tab goes from each control of the list to the next.
    static void setTabChain(std::initializer_list<QWidget*> order);
    // A banner panel with a centred caption ("PELORAMIX").
    QLabel* addBanner(const QString& name, const QString& text, int x, int y, int w, int h, const QColor& bg);
    // The look of the centre's full-screen forms: 640 x 480 scaled with the
    // screen, navy under the background gradient.
    void setFullScreenNavy();
    // The same with the aqua banner "Panel1" across the top, in large bold type.
    QLabel* setFullScreenWithBanner(const QString& text = QStringLiteral("PELORAMIX"));

private:
    AppContext& ctx_;
    bool scalable_ = false;
    bool scaled_ = false;
    bool paintsGradient_ = false;
};

// Every form of the run, created once at start-up in a fixed order.
class Forms {
public:
    template <class T> T* get() const {
        auto it = byType_.find(std::type_index(typeid(T)));
        return it == byType_.end() ? nullptr : static_cast<T*>(it->second);
    }
    template <class T> T* add(T* form) {
        byType_[std::type_index(typeid(T))] = form;
        ordered_.push_back(form);
        return form;
    }
    const std::vector<QWidget*>& ordered() const { return ordered_; }
    ~Forms();

private:
    std::map<std::type_index, QWidget*> byType_;
    std::vector<QWidget*> ordered_;
};

// Creates the forms of the program in their start-up order, each given the
// sessions it works on; the first is the main window.
void createForms(AppContext& ctx, Sessions& sessions);

// Scales a widget tree: positions, sizes and font sizes multiplied by f.
void scaleWidgetTree(QWidget* w, double f);

}  // namespace pelo
