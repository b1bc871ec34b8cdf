#pragma once

#include <QString>

// The one style sheet of the client, set on the main window; dialogs parented to it inherit it.
QString applicationStyleSheet();
