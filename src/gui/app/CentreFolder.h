#pragma once
// Where the centre's files live. Started from a terminal in a folder that holds
// FIB.DAT, the program works there; otherwise in the folder remembered for this
// user (the program's one setting), asked for on the first start.

#include <QString>

class QTranslator;

namespace pelo::ui {
class Adapter;
}

namespace pelo::centrefolder {

// The user's settings file (QStandardPaths' configuration folder).
QString settingsFile();
// The folder offered on the first start: ~/PELORAMIX.
QString defaultFolder();

// The folder remembered in settings, empty when none.
QString remembered(const QString& settings);
// False when the settings file cannot be written.
bool remember(const QString& settings, const QString& folder);

// The folder to work in at start-up, from the current one: the current folder
// itself when it holds FIB.DAT, else the remembered one when it still exists,
// else the one the user accepts or picks (the default when the picker is
// cancelled). Empty: stay where we are.
QString startFolder(ui::Adapter& ui, const QString& current, const QString& settings, const QString& fallback);

// Makes folder (created when missing) the working folder and remembers it.
// False, after an error box, when it cannot be created or entered.
bool enter(ui::Adapter& ui, const QString& folder, const QString& settings);

// Loads Qt's French translation (standard buttons, print dialogs): from Qt's
// installed translations, failing that from beside the program (the build).
bool loadQtFrench(QTranslator& translator);

}  // namespace pelo::centrefolder
