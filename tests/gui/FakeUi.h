#pragma once
// The adapter that GUI tests put in place of the real one: scripted answers,
// every message recorded in order, modal openings recorded and optionally
// handled by a scripted interaction instead of an event loop.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/Navigators.h"
#include "formats/RecordFile.h"
#include "store/Demo.h"
#include "ui/Adapter.h"
#include "ui/Form.h"

namespace pelo::test {

struct Message {
    ui::Icon icon;
    QString text;
    std::optional<QPoint> pos;
    bool question = false;
    ui::ButtonLabels buttons{};
};

class FakeUi : public ui::Adapter {
public:
    std::vector<Message> messages;
    std::deque<ui::Answer> answers;    // answers to confirm(), in order (default Yes)
    std::vector<QString> modalOpened;  // object names of forms shown modally
    std::vector<QString> modelessOpened;
    std::map<QString, std::function<int(QDialog*)>> onModal;  // by object name
    std::vector<PrintDocument> printed;
    std::deque<QString> folders, saveFiles, openFiles;
    QStringList saveSuggestions;  // what each file dialog proposed
    // Passphrases typed, in order (none left: the prompt is cancelled); each prompt's title recorded.
    std::deque<std::string> passphrases;
    std::vector<QString> passphrasePrompts;
    QSize screen{640, 480};
    // Progress dialogs opened (their titles) and every step told, "what" as given;
    // cancelAfterSteps >= 0 presses "Annuler" once that many steps were told.
    std::vector<QString> progressTitles;
    std::vector<std::string> progressSteps;
    int cancelAfterSteps = -1;

    void message(ui::Icon icon, const QString& text, std::optional<QPoint> pos = {}) override {
        messages.push_back({icon, text, pos, false});
    }
    ui::Answer confirm(const QString& text, bool, std::optional<QPoint> pos = {},
                       const ui::ButtonLabels& labels = {}) override {
        messages.push_back({ui::Icon::Question, text, pos, true, labels});
        if (answers.empty()) return ui::Answer::Yes;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    int showModal(QDialog* form) override {
        modalOpened.push_back(form->objectName());
        if (auto* f = qobject_cast<Form*>(form)) f->scaleOnce();
        auto it = onModal.find(form->objectName());
        if (it != onModal.end()) return it->second(form);
        return QDialog::Rejected;
    }
    void showModeless(QWidget* form) override { modelessOpened.push_back(form->objectName()); }
    QString chooseFolder(const QString&, const QString&) override { return pop(folders); }
    QString chooseSaveFile(const QString&, const QString& suggested, const QString&) override {
        saveSuggestions.push_back(suggested);
        return pop(saveFiles);
    }
    std::optional<seal::Secret> askPassphrase(const QString& title, const QString&, bool) override {
        passphrasePrompts.push_back(title);
        if (passphrases.empty()) return std::nullopt;
        auto s = seal::Secret::fromText(passphrases.front());
        passphrases.pop_front();
        return s;
    }
    QString chooseOpenFile(const QString&, const QString&) override { return pop(openFiles); }
    bool print(const PrintDocument& doc) override {
        printed.push_back(doc);
        return true;
    }
    Progress progress(const QString& title) override {
        progressTitles.push_back(title);
        return [this](std::uint32_t, std::uint32_t, const std::string& what) {
            progressSteps.push_back(what);
            return cancelAfterSteps < 0 || int(progressSteps.size()) < cancelAfterSteps;
        };
    }
    // Reports written (path, document).
    std::vector<std::pair<QString, PrintDocument>> pdfs;
    bool savePdf(const PrintDocument& doc, const QString& path, QString*) override {
        pdfs.emplace_back(path, doc);
        return true;
    }
    QSize screenSize() const override { return screen; }

    QStringList texts() const {
        QStringList out;
        for (const auto& m : messages) out << m.text;
        return out;
    }

private:
    static QString pop(std::deque<QString>& q) {
        if (q.empty()) return {};
        QString s = q.front();
        q.pop_front();
        return s;
    }
};

// Clicks the button `name` of a form, as the mouse does.
inline void click(QWidget* form, const char* name) {
    auto* b = form->findChild<QAbstractButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

// The bytes of a file; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A record file of n demo FIBs of the centre written at path; its bytes.
inline QByteArray writeDemoCentre(const QString& path, std::uint16_t centre, std::uint32_t n) {
    DemoCentre dc;
    dc.centre = centre;
    EXPECT_FALSE(recordfile::replaceWith(path.toStdString(), demoRecords(dc, n, centre)));
    return fileBytes(path);
}

// A run of the program in a fresh temporary folder, with its forms created.
class AppFixture {
public:
    AppFixture() : oldDir_(QDir::currentPath()), nav(fake, forms), ctx{run, fake, forms, nav} {
        QDir::setCurrent(dir_.path());
        createForms(ctx, sessions);
    }
    ~AppFixture() { QDir::setCurrent(oldDir_); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    template <class T> T* form() const { return forms.get<T>(); }
    // Whole content of a file of the working folder.
    static QByteArray fileBytesOf(const QString& name) {
        QFile f(name);
        if (!f.open(QIODevice::ReadOnly)) return {};
        return f.readAll();
    }

private:
    QTemporaryDir dir_;
    QString oldDir_;

public:
    Sessions sessions;
    RunSettings& run = sessions.run;
    CentreSession& centre = sessions.centre;
    EvaluationState& evaluation = sessions.evaluation;
    CountryWorkspace& country = sessions.country;
    FakeUi fake;
    Forms forms;
    FormNavigation nav;
    AppContext ctx;
};

}  // namespace pelo::test
