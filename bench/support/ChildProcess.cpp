#include "ChildProcess.h"

#include "BenchClock.h"

#include <QFile>
#include <QThread>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

ChildProcess::ChildProcess(const QString& program, const QStringList& arguments, const QStringList& extra)
{
    std::vector<std::string> args{program.toStdString()};
    for (const QString& argument : arguments) {
        args.push_back(argument.toStdString());
    }
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        env.emplace_back(*entry);
    }
    for (const QString& entry : extra) {
        env.push_back(entry.toStdString());
    }
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : env) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    started = BenchClock::wallMs();
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) {
        pid = -1;
    }
}

ChildProcess::~ChildProcess()
{
    terminate();
}

void ChildProcess::terminate()
{
    if (pid <= 0) {
        return;
    }
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = -1;
            return;
        }
        QThread::msleep(50);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

long ChildProcess::residentKiB() const
{
    return BenchClock::residentKiB(pid);
}

double ChildProcess::cpuMs() const
{
    // Fields 14 and 15 of /proc/PID/stat, after the parenthesised name: user and system ticks.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) {
        return 0;
    }
    return (fields.at(11).toDouble() + fields.at(12).toDouble()) * 1000.0 / sysconf(_SC_CLK_TCK);
}

bool ChildProcess::waitUntilIdle(int quietMs, int timeoutMs) const
{
    const double deadline = BenchClock::wallMs() + timeoutMs;
    double last = cpuMs();
    double quietSince = BenchClock::wallMs();
    while (BenchClock::wallMs() < deadline) {
        QThread::msleep(100);
        const double now = cpuMs();
        if (now != last) {
            last = now;
            quietSince = BenchClock::wallMs();
        } else if (BenchClock::wallMs() - quietSince >= quietMs) {
            return true;
        }
    }
    return false;
}
