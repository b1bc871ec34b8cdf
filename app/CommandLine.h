#pragma once

#include <QString>
#include <QStringList>

// What the command line asks before anything starts: "--help" and "--version" (also "-h" and
// "-v") are answered with a text for standard output, and the program then ends. Everything else
// stays as it was: Qt's own options ("-platform", "-style", ...) go on to the application object
// and unknown ones are ignored. Returns the text, empty when the client is to start.
QString commandLineAnswer(const QStringList& arguments);
