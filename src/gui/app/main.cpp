// PELORAMIX: quality audit of diabetes care.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <QTranslator>

#include "app/CentreFolder.h"
#include "app/Menu1.h"
#include "ui/Form.h"
#include "ui/Picture.h"
#include "ui/QtAdapter.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("PELORAMIX");
    QApplication::setApplicationVersion(PELO_VERSION);
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

    pelo::RunState state;
    pelo::ui::QtAdapter adapter;

    // Started from the desktop menu the current folder is no centre's: work in
    // the folder chosen for this user.
    const QString settings = pelo::centrefolder::settingsFile();
    const QString folder =
        pelo::centrefolder::startFolder(adapter, QDir::currentPath(), settings, pelo::centrefolder::defaultFolder());
    // A folder that cannot be made (after its error box): the current folder, as before.
    if (!folder.isEmpty()) pelo::centrefolder::enter(adapter, folder, settings);

    pelo::Forms forms;
    pelo::AppContext ctx{state, adapter, forms};
    pelo::createForms(ctx);

    auto* main = forms.get<pelo::TTMenu1>();
    main->show();
    return app.exec();
}
