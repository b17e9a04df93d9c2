// PELORAMIX: quality audit of diabetes care.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTranslator>
#include <cstdio>
#include <exception>
#include <new>

#include "app/CentreFolder.h"
#include "app/Menu1.h"
#include "app/Navigators.h"
#include "store/Version.h"
#include "ui/Form.h"
#include "ui/Picture.h"
#include "ui/QtAdapter.h"
#include "ui/Scale.h"

namespace {

// An exception that escapes an action (memory exhausted on a huge file, a
// fault of the program) must not cross Qt's event loop, which would abort:
// the action ends with one French message and the program goes on.
class Application : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            report(QString::fromUtf8("Mémoire insuffisante : l'action n'a pas pu être terminée."));
        } catch (const std::exception& e) {
            report(QString::fromUtf8("Erreur interne : l'action n'a pas pu être terminée (%1).")
                       .arg(QString::fromLocal8Bit(e.what())));
        } catch (...) {
            report(QString::fromUtf8("Erreur interne : l'action n'a pas pu être terminée."));
        }
        return false;
    }

private:
    static void report(const QString& text) {
        QMessageBox box(QMessageBox::Critical, "PELORAMIX", text, QMessageBox::Ok, activeWindow());
        if (const QScreen* screen = primaryScreen()) {
            const QRect area = screen->availableGeometry();
            const double f = pelo::Form::scaleFactorFor(pelo::ui::usableWindowSize(area, pelo::ui::kFrameAllowance));
            pelo::ui::scaleMessageBox(box, f, area);
        }
        box.exec();
    }
};

int run(int argc, char** argv) {
    Application app(argc, argv);
    QApplication::setApplicationName("PELORAMIX");
    QApplication::setApplicationVersion(pelo::programVersion());
    QGuiApplication::setDesktopFileName("peloramix");
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The installed theme's icon; from the build, the program's own picture.
    QApplication::setWindowIcon(QIcon::fromTheme("peloramix", QIcon(pelo::look::diabetesPicture(QSize(64, 64)))));

    // Qt's own dialogs in French ("Oui", "Non", "Annuler", the print dialog).
    QTranslator qtFrench;
    if (pelo::centrefolder::loadQtFrench(qtFrench)) app.installTranslator(&qtFrench);

    QFont font("Arial");
    font.setPointSize(9);
    QApplication::setFont(font);

    pelo::Sessions sessions;
    pelo::ui::QtAdapter adapter;
    // Tooltips read at the size of the forms they stand over, and check boxes
    // are ticked on indicators of the size of their labels.
    const double factor = pelo::Form::scaleFactorFor(adapter.screenSize());
    pelo::ui::scaleToolTips(factor);
    pelo::ui::scaleIndicators(factor);

    // Started from the desktop menu the current folder is no centre's: work in
    // the folder chosen for this user.
    const QString settings = pelo::centrefolder::settingsFile();
    const QString folder =
        pelo::centrefolder::startFolder(adapter, QDir::currentPath(), settings, pelo::centrefolder::defaultFolder());
    // A folder that cannot be made (after its error box): the current folder, as before.
    if (!folder.isEmpty()) pelo::centrefolder::enter(adapter, folder, settings);

    pelo::Forms forms;
    pelo::FormNavigation nav(adapter, forms);
    pelo::AppContext ctx{sessions.run, adapter, forms, nav};
    pelo::createForms(ctx, sessions);

    auto* main = forms.get<pelo::TTMenu1>();
    main->scaleOnce();
    pelo::ui::centreOnScreen(main);
    main->show();
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("PELORAMIX : mémoire insuffisante\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "PELORAMIX : erreur interne : %s\n", e.what());
    } catch (...) {
        std::fputs("PELORAMIX : erreur interne inattendue\n", stderr);
    }
    return 1;
}
