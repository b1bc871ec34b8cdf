// What the client does on Windows alone: the configuration folder from the shell and shared with
// every account, the one-instance pipe per user and logon session, the installer's request to end,
// and the end of the Windows session.
#include "app/EndRequest.h"
#include "app/EndRequestEvent.h"
#include "app/Settings.h"
#include "app/SharedFolder.h"
#include "app/SingleInstance.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// clang-format off
#include <windows.h>
#include <aclapi.h>
// clang-format on

namespace {

// Through the C runtime's wide table, which qEnvironmentVariable reads: a Cyrillic name may have
// no letters in the 8-bit code page.
void setUser(const QString& name)
{
    _wputenv_s(L"USERNAME", reinterpret_cast<const wchar_t*>(name.utf16()));
}

QProcessEnvironment clientEnvironment(const QString& user)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("USERNAME"), user);
    return env;
}

struct WindowSearch
{
    DWORD pid;
    HWND found;
};

// A named function, not a lambda: on 32-bit Windows the callback is __stdcall, which GCC does not
// convert a lambda to.
BOOL CALLBACK matchMainWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t title[16] = {};
    GetWindowTextW(window, title, 16);
    if (owner == search->pid && QString::fromWCharArray(title) == QLatin1String("Torvo")) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The client's main window: the process's top-level window titled "Torvo", shown or hidden.
HWND mainWindowOf(qint64 pid)
{
    WindowSearch search{DWORD(pid), nullptr};
    EnumWindows(matchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

class WindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void folderFromTheShell_data();
    void folderFromTheShell();
    void folderSharedWithUsers();
    void pipePerUser_data();
    void pipePerUser();
    void sessionEndIsNotVetoed_data();
    void sessionEndIsNotVetoed();
    void installerAsksToEnd();

private:
    QString machineData;
    QString user;
};

void WindowsTest::initTestCase()
{
    // Windows names the machine-wide data folder in the environment too.
    machineData = qEnvironmentVariable("ALLUSERSPROFILE");
    user = qEnvironmentVariable("USERNAME");
    QVERIFY(!machineData.isEmpty());
}

void WindowsTest::folderFromTheShell_data()
{
    QTest::addColumn<QByteArray>("programData");
    QTest::newRow("as Windows sets it") << qgetenv("PROGRAMDATA");
    QTest::newRow("elsewhere") << QByteArray("C:\\elsewhere");
    QTest::newRow("empty") << QByteArray();
}

// The folder is the shell's, whatever the environment says, in Windows' own separators.
void WindowsTest::folderFromTheShell()
{
    QFETCH(QByteArray, programData);
    const QByteArray saved = qgetenv("PROGRAMDATA");
    qputenv("PROGRAMDATA", programData);
    const QString config = Settings::getPathConfig();
    qputenv("PROGRAMDATA", saved);
    QCOMPARE(config, QDir::toNativeSeparators(machineData) + QStringLiteral("\\zel\\torvo\\torvo-gui"));
    QCOMPARE(Settings::getLoggingConfig(), config + QStringLiteral("\\gui_log.properties"));
}

// Every account may change what the first one made: the Users group (S-1-5-32-545), "Modify",
// inherited by files and folders.
void WindowsTest::folderSharedWithUsers()
{
    QTemporaryDir folder;
    QVERIFY(shareWithUsers(folder.path()));
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
        QSKIP("Wine accepts a file's security and keeps none: only Windows shows the grant");
    }
    PACL acl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    QCOMPARE(GetNamedSecurityInfoW(
                 reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(folder.path()).utf16()),
                 SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &acl, nullptr, &descriptor),
             DWORD(ERROR_SUCCESS));
    BYTE users[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof users;
    QVERIFY(CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &size));
    bool granted = false;
    for (DWORD i = 0; acl && i < acl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        if (GetAce(acl, i, reinterpret_cast<void**>(&ace)) &&
            ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && EqualSid(&ace->SidStart, users)) {
            granted = ace->Mask == 0x1301bf &&
                      (ace->Header.AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE)) ==
                          (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
        }
    }
    LocalFree(descriptor);
    QVERIFY(granted);
}

void WindowsTest::pipePerUser_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("latin") << QStringLiteral("operator");
    QTest::newRow("cyrillic") << QStringLiteral("Кассир");
    QTest::newRow("with a space") << QStringLiteral("Иван Петров");
}

// One client per user: a second start by the same user hands over through the pipe and exits 0;
// another user's client does not meet this one.
void WindowsTest::pipePerUser()
{
    QFETCH(QString, name);
    setUser(name);
    const QString pipe = SingleInstance::defaultServerName();
    SingleInstance first(pipe);
    setUser(QStringLiteral("someone else"));
    SingleInstance other;
    setUser(user);
    QVERIFY(pipe.contains(name));
    QCOMPARE(first.claim(), SingleInstance::First);
    QCOMPARE(other.claim(), SingleInstance::First);
    QVERIFY(first.listenError().isEmpty());
    QSignalSpy shown(&first, &SingleInstance::activationRequested);

    QProcess second;
    second.setProcessEnvironment(clientEnvironment(name));
    second.start(QStringLiteral(TORVO_GUI_PATH), QStringList());
    QVERIFY(second.waitForStarted(60000));
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 120000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(shown.count(), 1);
}

void WindowsTest::sessionEndIsNotVetoed_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("window shown") << false;
    QTest::newRow("window hidden to the tray") << true;
}

// Log-off and shut-down ask every window; the client, which ignores a close while its tray icon
// shows, must not refuse, and ends.
void WindowsTest::sessionEndIsNotVetoed()
{
    QFETCH(bool, hidden);
    QProcess client;
    QProcessEnvironment env = clientEnvironment(user);
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // real windows, on the run's display
    client.setProcessEnvironment(env);
    client.start(QStringLiteral(TORVO_GUI_PATH), QStringList());
    QVERIFY(client.waitForStarted(60000));
    HWND window = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((window = mainWindowOf(client.processId())) && IsWindowVisible(window), 120000);
    if (hidden) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!IsWindowVisible(window), 60000);
        QCOMPARE(client.state(), QProcess::Running);
    }

    DWORD_PTR mayEnd = FALSE;
    QVERIFY(SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 60000,
                                &mayEnd));
    QCOMPARE(mayEnd, DWORD_PTR(TRUE));
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 60000, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(client.state() == QProcess::NotRunning, 60000);
    QCOMPARE(client.exitStatus(), QProcess::NormalExit);
}

// The installer's request reaches a running client, and one started while it stands.
void WindowsTest::installerAsksToEnd()
{
    EndRequest running;
    QSignalSpy asked(&running, &EndRequest::requested);
    HANDLE request = OpenEventW(EVENT_MODIFY_STATE, FALSE, TORVO_END_REQUEST_EVENT);
    if (!request && GetLastError() == ERROR_ACCESS_DENIED) {
        QSKIP("Only administrators and the system may set the request: run elevated");
    }
    QVERIFY(request);
    QVERIFY(SetEvent(request));
    QVERIFY(asked.wait(60000));
    EndRequest late;
    QSignalSpy lateAsked(&late, &EndRequest::requested);
    QVERIFY(lateAsked.wait(60000));
    ResetEvent(request);
    CloseHandle(request);
}

QTEST_GUILESS_MAIN(WindowsTest)
#include "tst_windows.moc"
