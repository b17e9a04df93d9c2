#pragma once
// The one door between the forms and the platform: message boxes, modal
// showing, folder and file pickers and the printer. The real implementation
// talks to Qt; tests put a scripted fake in its place.

#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

#include "formats/Seal.h"
#include "print/Surface.h"
#include "store/Progress.h"

class QDialog;
class QWidget;

namespace pelo::ui {

enum class Answer { Ok, Yes, No, Retry, Cancel };
enum class Icon { Information, Warning, Error, Question };

// Labels of a question's buttons that say what each does; an empty label
// keeps the standard one ("Oui", "Non", "Réessayer"). The roles, and so the
// answers and the Escape key, stay those of Yes, No and Retry.
struct ButtonLabels {
    QString yes, no, retry;
};

class Adapter {
public:
    virtual ~Adapter() = default;

    // Message with an OK button, centred or with its top-left corner at pos.
    virtual void message(Icon icon, const QString& text, std::optional<QPoint> pos = {}) = 0;
    void information(const QString& text, std::optional<QPoint> pos = {}) { message(Icon::Information, text, pos); }
    void warning(const QString& text, std::optional<QPoint> pos = {}) { message(Icon::Warning, text, pos); }
    void error(const QString& text, std::optional<QPoint> pos = {}) { message(Icon::Error, text, pos); }

    // Question with Yes and No (and Retry when asked); the button chosen.
    virtual Answer confirm(const QString& text, bool withRetry = false, std::optional<QPoint> pos = {},
                           const ButtonLabels& labels = {}) = 0;

    // Shows a form modally and returns its result code.
    virtual int showModal(QDialog* form) = 0;
    // Shows a form without blocking.
    virtual void showModeless(QWidget* form) = 0;

    // Folder picker; empty when cancelled.
    virtual QString chooseFolder(const QString& caption, const QString& start) = 0;
    // Name of a file to write; empty when cancelled.
    virtual QString chooseSaveFile(const QString& caption, const QString& suggested, const QString& filter) = 0;
    // Name of an existing file to read; empty when cancelled.
    virtual QString chooseOpenFile(const QString& caption, const QString& filter) = 0;

    // A passphrase typed in a password field (no echo), explained by text;
    // a new one (confirm) is typed twice, both the same and not empty.
    // Nothing when cancelled. The text typed is wiped from the dialog.
    virtual std::optional<seal::Secret> askPassphrase(const QString& title, const QString& text, bool confirm) = 0;

    // Shows the pages in a preview, from which they are printed or saved as a
    // PDF file in the working folder. False when nothing was printed or saved.
    virtual bool print(const PrintDocument& doc) = 0;

    // Long work: a progress dialog titled `title` with the step at hand and
    // "Annuler". The callback returned updates it and answers false once
    // "Annuler" was pressed; the dialog closes with the callback's last copy.
    virtual Progress progress(const QString& title) = 0;
    // Writes the pages as a PDF file at this path (a report in a folder the
    // user chose); false with *error set when it could not be written.
    virtual bool savePdf(const PrintDocument& doc, const QString& path, QString* error) = 0;

    // Screen size in pixels.
    virtual QSize screenSize() const = 0;
};

}  // namespace pelo::ui
