#include "ChildProcess.h"

#include <climits>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

std::string ProgramDir()
{
    std::string self(PATH_MAX, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    self.resize(n > 0 ? size_t(n) : 0);
    return self.substr(0, self.rfind('/') + 1);
}

int Run(const std::vector<std::string>& arguments, long* pPeakKb)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage {
    };
    if (failed != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status))
        return -1;
    if (pPeakKb != nullptr)
        *pPeakKb = usage.ru_maxrss;
    return WEXITSTATUS(status);
}
