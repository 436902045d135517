#pragma once

#include <QByteArray>
#include <functional>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs work in a child process, so what it does to memory or to the process
// stays there. Returns what work returned in the child.
inline QByteArray runInChild(const std::function<QByteArray()>& work, const std::function<void()>& setUp = {})
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "<no pipe>";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        if (setUp)
            setUp();
        const QByteArray answer = work();
        for (qsizetype done = 0; done < answer.size();) {
            const ssize_t n = write(pipeEnds[1], answer.constData() + done, size_t(answer.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        _exit(0);
    }
    close(pipeEnds[1]);
    QByteArray answer;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, n);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? answer : QByteArray("<child failed>");
}

// Runs work in a child process whose files may not grow beyond limit bytes.
// SIGXFSZ is ignored there, so a write past the limit fails the way it does
// on a full disk, for any user.
inline QByteArray runWithFileSizeLimit(rlim_t limit, const std::function<QByteArray()>& work)
{
    return runInChild(work, [limit] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit rl{limit, limit};
        setrlimit(RLIMIT_FSIZE, &rl);
    });
}
