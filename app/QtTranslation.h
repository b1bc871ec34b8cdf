#pragma once

#include <QString>
#include <QStringList>

// Where Qt's Russian translation is looked for, in order: beside the program (the Windows build
// ships it there), then among Qt's own translations.
QStringList qtTranslationFolders();

// Qt's own texts (the buttons of question boxes, the folder chooser, network errors) in Russian,
// like every other text of the client. The first file of `folders` that loads is installed into
// the application and its path returned; without one Qt speaks English, which is logged, not fatal.
QString installQtTranslation(const QStringList& folders = qtTranslationFolders());
