// lumarc-peak-rss COMMAND [ARG...]: runs the command and prints its peak resident set size in
// bytes on stderr's last line as "peak: N"; the exit status is the command's.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "Aufruf: lumarc-peak-rss BEFEHL [ARGUMENT...]\n");
        return 2;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        ::execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (::wait4(child, &status, 0, &usage) < 0) {
        std::perror("wait4");
        return 1;
    }
    std::fprintf(stderr, "peak: %ld\n", usage.ru_maxrss * 1024L);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
