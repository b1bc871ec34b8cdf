#pragma once

#include <QString>

// Text for standard output or standard error, as a console program would write it. A Windows GUI
// program started from cmd.exe has neither stream: it takes the console of the process that started
// it. Into a console the text goes as UTF-16, whatever its code page; into a file or a pipe, in
// the console's code page (the ANSI one without a console), with Windows' line ends.
enum class ConsoleStream
{
    Output,
    Error
};

void writeToConsole(ConsoleStream stream, const QString& text);
