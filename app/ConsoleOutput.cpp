#include "app/ConsoleOutput.h"

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cstdio>
#endif

#ifdef Q_OS_WIN

namespace {

HANDLE streamHandle(ConsoleStream stream)
{
    const DWORD which = stream == ConsoleStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
    HANDLE handle = GetStdHandle(which);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        return handle; // redirected by the caller, or a console of our own
    }
    // Already attached (a first call did it) or attached now: the parent's console.
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) {
        return nullptr;
    }
    handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    SetStdHandle(which, handle);
    return handle;
}

} // namespace

void writeToConsole(ConsoleStream stream, const QString& text)
{
    HANDLE handle = streamHandle(stream);
    if (!handle) {
        return;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, reinterpret_cast<const wchar_t*>(text.utf16()), DWORD(text.size()), &written,
                      nullptr);
        return;
    }
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) {
        codePage = GetACP();
    }
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const auto* wide = reinterpret_cast<const wchar_t*>(lines.utf16());
    const int size = WideCharToMultiByte(codePage, 0, wide, lines.size(), nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return;
    }
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(codePage, 0, wide, lines.size(), bytes.data(), size, nullptr, nullptr);
    WriteFile(handle, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
}

#else

void writeToConsole(ConsoleStream stream, const QString& text)
{
    FILE* file = stream == ConsoleStream::Output ? stdout : stderr;
    std::fputs(text.toLocal8Bit().constData(), file);
    std::fflush(file);
}

#endif
