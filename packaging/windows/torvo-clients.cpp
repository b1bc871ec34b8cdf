// torvo-clients.exe: what the installer and the uninstaller need done to the running clients and
// NSIS cannot do itself. Packed into them and run from their temporary folder, never installed;
// linked statically, so it needs no DLL beside it.
//
//   end SECONDS             Asks every torvo-gui.exe on the machine (every session, every account)
//                           to end, ends those that have not after a grace period, and waits, for
//                           SECONDS at most in all. Prints the sessions that had a client. Exit 0
//                           when none runs any more, 1 when one still does.
//   start PROGRAM SESSION…  Starts PROGRAM in each session ("current": this one) as the session's
//                           user, with that user's own rights (never the installer's elevated
//                           ones). Exit 0.
//   run SECONDS COMMAND…    Runs COMMAND (the rest of the command line, as written) and ends it if
//                           it takes longer than SECONDS. Its exit code, or 124 when it was ended.
#include "app/EndRequestEvent.h"

// clang-format off
#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <userenv.h>
#include <wtsapi32.h>
// clang-format on

#include <cstdio>
#include <cwchar>

namespace {

constexpr int maxClients = MAXIMUM_WAIT_OBJECTS;
constexpr int maxSessions = 256;

// The sessions' numbers in the order first seen.
struct Sessions
{
    DWORD ids[maxSessions];
    int count = 0;

    void add(DWORD id)
    {
        for (int i = 0; i < count; ++i) {
            if (ids[i] == id) {
                return;
            }
        }
        if (count < maxSessions) {
            ids[count++] = id;
        }
    }
};

// Administrators may end another account's process only with this privilege switched on.
void enableDebugPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return;
    }
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, SE_DEBUG_NAME, &privileges.Privileges[0].Luid)) {
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(token);
}

// Every torvo-gui.exe now running: their handles (those that could be opened) and their sessions.
// Returns how many run, opened or not.
int findClients(HANDLE* handles, int& opened, Sessions& sessions)
{
    opened = 0;
    int running = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"torvo-gui.exe") != 0) {
            continue;
        }
        ++running;
        DWORD session = 0;
        if (ProcessIdToSessionId(entry.th32ProcessID, &session)) {
            sessions.add(session);
        }
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
        if (process && opened < maxClients) {
            handles[opened++] = process;
        } else if (process) {
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
    return running;
}

int endClients(DWORD seconds)
{
    enableDebugPrivilege();
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG deadline = start + ULONGLONG(seconds) * 1000;
    // Long enough for a client to finish what it writes; a hung one is ended after it.
    const ULONGLONG graceEnd = start + ULONGLONG(seconds < 30 ? seconds / 2 : 15) * 1000;
    // Null when made by a client under a security that does not name this account: asking is not
    // possible then, ending still is.
    HANDLE request = openEndRequestEvent(EVENT_MODIFY_STATE);
    if (request) {
        SetEvent(request);
    }
    Sessions sessions;
    int left = 0;
    for (;;) {
        HANDLE handles[maxClients];
        int opened = 0;
        left = findClients(handles, opened, sessions);
        const ULONGLONG now = GetTickCount64();
        if (left == 0 || now >= deadline) {
            for (int i = 0; i < opened; ++i) {
                CloseHandle(handles[i]);
            }
            break;
        }
        if (now >= graceEnd) {
            for (int i = 0; i < opened; ++i) {
                TerminateProcess(handles[i], 1);
            }
        }
        // Woken by the first client to end, or after a moment for those that could not be opened.
        const DWORD wait = DWORD(deadline - now < 250 ? deadline - now : 250);
        if (opened > 0) {
            WaitForMultipleObjects(DWORD(opened), handles, FALSE, wait);
        } else {
            Sleep(wait);
        }
        for (int i = 0; i < opened; ++i) {
            CloseHandle(handles[i]);
        }
    }
    if (request) {
        // Withdrawn, so that the clients started after the installation stay.
        ResetEvent(request);
        CloseHandle(request);
    }
    for (int i = 0; i < sessions.count; ++i) {
        std::printf("%s%lu", i ? " " : "", sessions.ids[i]);
    }
    std::printf("\n");
    if (left > 0) {
        std::fprintf(stderr, "%d torvo-gui.exe still running after %lu s\n", left, seconds);
        return 1;
    }
    return 0;
}

bool startAs(HANDLE token, const wchar_t* program, const wchar_t* folder)
{
    void* environment = nullptr;
    CreateEnvironmentBlock(&environment, token, FALSE);
    wchar_t commandLine[MAX_PATH + 3];
    std::swprintf(commandLine, MAX_PATH + 3, L"\"%ls\"", program);
    wchar_t desktop[] = L"winsta0\\default";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktop;
    PROCESS_INFORMATION process = {};
    const BOOL started =
        CreateProcessAsUserW(token, program, commandLine, nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                             environment, folder, &startup, &process);
    if (environment) {
        DestroyEnvironmentBlock(environment);
    }
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return started;
}

// An administrator's installer, elevated, cannot take another session's user: in its own session
// the desktop's shell, which runs with the user's own rights, starts the program.
bool startThroughShell(const wchar_t* program, const wchar_t* folder)
{
    bool started = false;
    const HRESULT initialized = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellWindows* windows = nullptr;
    if (SUCCEEDED(
            CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&windows)))) {
        VARIANT desktop = {};
        desktop.vt = VT_I4;
        desktop.lVal = CSIDL_DESKTOP;
        VARIANT empty = {};
        long window = 0;
        IDispatch* dispatch = nullptr;
        IServiceProvider* services = nullptr;
        IShellBrowser* browser = nullptr;
        IShellView* view = nullptr;
        IDispatch* background = nullptr;
        IShellFolderViewDual* folderView = nullptr;
        IDispatch* application = nullptr;
        IShellDispatch2* shell = nullptr;
        if (windows->FindWindowSW(&desktop, &empty, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &dispatch) ==
                S_OK &&
            SUCCEEDED(dispatch->QueryInterface(IID_PPV_ARGS(&services))) &&
            SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(&browser))) &&
            SUCCEEDED(browser->QueryActiveShellView(&view)) &&
            SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(&background))) &&
            SUCCEEDED(background->QueryInterface(IID_PPV_ARGS(&folderView))) &&
            SUCCEEDED(folderView->get_Application(&application)) &&
            SUCCEEDED(application->QueryInterface(IID_PPV_ARGS(&shell)))) {
            BSTR file = SysAllocString(program);
            VARIANT directory = {};
            directory.vt = VT_BSTR;
            directory.bstrVal = SysAllocString(folder);
            started = SUCCEEDED(shell->ShellExecute(file, empty, directory, empty, empty));
            VariantClear(&directory);
            SysFreeString(file);
        }
        IUnknown* const objects[] = {shell,   application, folderView, background, view,
                                     browser, services,    dispatch,   windows};
        for (IUnknown* object : objects) {
            if (object) {
                object->Release();
            }
        }
    }
    if (SUCCEEDED(initialized)) {
        CoUninitialize();
    }
    return started;
}

int startClients(const wchar_t* program, int count, wchar_t** sessionArguments)
{
    wchar_t folder[MAX_PATH];
    std::wcsncpy(folder, program, MAX_PATH - 1);
    folder[MAX_PATH - 1] = 0;
    if (wchar_t* slash = std::wcsrchr(folder, L'\\')) {
        *slash = 0;
    }
    DWORD ownSession = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &ownSession);
    for (int i = 0; i < count; ++i) {
        const DWORD session = std::wcscmp(sessionArguments[i], L"current") == 0
                                  ? ownSession
                                  : std::wcstoul(sessionArguments[i], nullptr, 10);
        HANDLE token = nullptr;
        bool started = false;
        const char* how = "as the session's user";
        // Only the system may take a session's user (a deployment tool's installer).
        if (WTSQueryUserToken(session, &token)) {
            started = startAs(token, program, folder);
            CloseHandle(token);
        } else if (session == ownSession) {
            how = "through the desktop's shell";
            started = startThroughShell(program, folder);
        } else {
            how = "not possible without the system's rights; it starts at the next log-on";
        }
        std::printf("session %lu: %s %s\n", session, started ? "started" : "not started,", how);
    }
    return 0;
}

// The command line after `skip` arguments, as it was written (NSIS's uninstaller takes its "_?="
// from the raw line, unquoted).
const wchar_t* rawTail(const wchar_t* line, int skip)
{
    for (int i = 0; i < skip; ++i) {
        while (*line == L' ' || *line == L'\t') {
            ++line;
        }
        bool quoted = false;
        while (*line && (quoted || (*line != L' ' && *line != L'\t'))) {
            if (*line == L'"') {
                quoted = !quoted;
            }
            ++line;
        }
    }
    while (*line == L' ' || *line == L'\t') {
        ++line;
    }
    return line;
}

int runBounded(DWORD seconds, const wchar_t* command)
{
    const size_t length = std::wcslen(command);
    wchar_t* commandLine =
        static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(wchar_t)));
    std::wcscpy(commandLine, command);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process);
    HeapFree(GetProcessHeap(), 0, commandLine);
    if (!started) {
        std::fprintf(stderr, "cannot run %ls: error %lu\n", command, GetLastError());
        return 127;
    }
    CloseHandle(process.hThread);
    DWORD code = 124;
    if (WaitForSingleObject(process.hProcess, seconds * 1000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 124);
        std::fprintf(stderr, "ended after %lu s: %ls\n", seconds, command);
    }
    CloseHandle(process.hProcess);
    return int(code);
}

int usage()
{
    std::fprintf(stderr,
                 "usage: torvo-clients end SECONDS | start PROGRAM SESSION... | run SECONDS COMMAND...\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 3 && std::wcscmp(argv[1], L"end") == 0) {
        return endClients(std::wcstoul(argv[2], nullptr, 10));
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"start") == 0) {
        return startClients(argv[2], argc - 3, argv + 3);
    }
    if (argc >= 4 && std::wcscmp(argv[1], L"run") == 0) {
        return runBounded(std::wcstoul(argv[2], nullptr, 10), rawTail(GetCommandLineW(), 3));
    }
    return usage();
}
