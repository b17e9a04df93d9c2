#include "ui/CountryWorkspace.h"

#include <QDir>

#include "ref/StoredSynthesis.h"

namespace pelo {

QString CountryWorkspace::shown() const { return QDir::toNativeSeparators(QString::fromStdString(folder_.shown())); }

QString CountryWorkspace::shownPathOf(const QString& name) const {
    return QDir::toNativeSeparators(QString::fromStdString(folder_.shownPathOf(name.toStdString())));
}

QString CountryWorkspace::errorText(const IoError& e) const { return QString::fromStdString(folder_.errorText(e)); }

QString CountryWorkspace::errorText(const QString& messages) const {
    return QString::fromStdString(folder_.errorText(messages.toStdString()));
}

IoStatus CountryWorkspace::openStored(const std::string& name, ref::StoredSynthesis& out) const {
    return folder_.openStored(name, out);
}

}  // namespace pelo
