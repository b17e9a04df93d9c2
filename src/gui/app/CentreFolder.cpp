#include "app/CentreFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>

#include "ui/Adapter.h"
#include "ui/Sessions.h"

namespace pelo::centrefolder {

namespace {
const char* kKey = "dossierCentre";
}

QString settingsFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("peloramix.conf"));
}

QString defaultFolder() { return QDir::home().filePath(QStringLiteral("PELORAMIX")); }

QString remembered(const QString& settings) {
    QSettings s(settings, QSettings::IniFormat);
    return s.value(kKey).toString();
}

bool remember(const QString& settings, const QString& folder) {
    QSettings s(settings, QSettings::IniFormat);
    s.setValue(kKey, folder);
    s.sync();
    return s.status() == QSettings::NoError;
}

QString startFolder(ui::Adapter& ui, const QString& current, const QString& settings, const QString& fallback) {
    if (QFileInfo::exists(QDir(current).filePath(QString::fromStdString(kFibFile)))) return {};
    const QString known = remembered(settings);
    if (!known.isEmpty()) {
        if (QFileInfo(known).isDir()) return known;
        // A key or a share that is not there today: say so rather than start an empty centre.
        ui.warning(QString::fromUtf8("Le dossier du centre %1 est introuvable.").arg(QDir::toNativeSeparators(known)));
    }
    const QString offered = known.isEmpty() ? fallback : known;
    const auto answer = ui.confirm(QString::fromUtf8("Dossier des fichiers du centre (FIB.DAT, ESSAIFIB.DAT…) :\n%1\n\n"
                                                     "Utiliser ce dossier ?  « Non » pour en choisir un autre.")
                                       .arg(QDir::toNativeSeparators(offered)));
    if (answer == ui::Answer::Yes) return offered;
    const QString picked = ui.chooseFolder(QString::fromUtf8("Dossier du centre"), QDir::homePath());
    return picked.isEmpty() ? offered : picked;
}

bool enter(ui::Adapter& ui, const QString& folder, const QString& settings) {
    const QString abs = QDir(folder).absolutePath();
    if (!QDir().mkpath(abs) || !QDir::setCurrent(abs)) {
        ui.error(QString::fromUtf8("Impossible d'utiliser le dossier %1").arg(QDir::toNativeSeparators(abs)));
        return false;
    }
    if (!remember(settings, abs))
        ui.warning(QString::fromUtf8("Le choix du dossier n'a pas pu être enregistré dans %1")
                       .arg(QDir::toNativeSeparators(settings)));
    return true;
}

bool loadQtFrench(QTranslator& translator) {
    const QLocale fr(QLocale::French, QLocale::France);
    const QString appDir = QCoreApplication::applicationDirPath();
    for (const QString& dir :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath), QStringLiteral("/usr/share/qt6/translations"),
          appDir + QStringLiteral("/translations"), appDir + QStringLiteral("/../translations")})
        if (translator.load(fr, QStringLiteral("qtbase"), QStringLiteral("_"), dir)) return true;
    return false;
}

}  // namespace pelo::centrefolder
