// PELORAMIX: quality audit of diabetes care.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/Menu1.h"
#include "ui/Form.h"
#include "ui/QtAdapter.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("PELORAMIX");
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // Qt's own dialogs in French ("Oui", "Non", "Annuler", the print dialog).
    QTranslator qtFrench;
    if (qtFrench.load(QLocale(QLocale::French), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFrench);

    QFont font("Arial");
    font.setPointSize(9);
    QApplication::setFont(font);

    pelo::RunState state;
    pelo::ui::QtAdapter adapter;
    pelo::Forms forms;
    pelo::AppContext ctx{state, adapter, forms};
    pelo::createForms(ctx);

    auto* main = forms.get<pelo::TTMenu1>();
    main->scaleOnce();
    pelo::ui::centreOnScreen(main);
    main->show();
    return app.exec();
}
