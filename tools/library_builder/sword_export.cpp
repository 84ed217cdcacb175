// The mod2imp runner and reader.
#include "tools/library_builder/sword_export.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/exception.h"

extern char** environ;

namespace kvx::library {

std::vector<TImpEntry> ParseImp(std::string_view output) {
    std::vector<TImpEntry> entries;
    size_t pos = 0;
    bool continuation = false;  // the current entry already has a text line
    while (pos < output.size()) {
        size_t end = output.find('\n', pos);
        if (end == std::string_view::npos) end = output.size();
        std::string_view line = output.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() >= 3 && line.substr(0, 3) == "$$$") {
            entries.push_back({std::string(line.substr(3)), {}});
            continuation = false;
            continue;
        }
        if (entries.empty()) continue;
        if (continuation) {
            if (line.empty()) continue;
            entries.back().Text += ' ';
        }
        entries.back().Text.append(line);
        continuation = true;
    }
    return entries;
}

std::string FindProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0 ? name : std::string();
    const char* path = std::getenv("PATH");
    std::string dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t pos = 0;
    while (pos <= dirs.size()) {
        size_t end = dirs.find(':', pos);
        if (end == std::string::npos) end = dirs.size();
        // An empty entry of PATH means the current folder.
        std::string candidate = end > pos ? dirs.substr(pos, end - pos) : std::string(".");
        pos = end + 1;
        candidate += "/";
        candidate += name;
        struct stat st {};
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

namespace {

// Closes a descriptor when it goes out of scope.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) close(fd);
    }
    void Close() {
        if (fd >= 0) close(fd);
        fd = -1;
    }
};

}  // namespace

std::string RunModToImp(const std::string& program, const std::string& module, const std::string& swordPath) {
    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are allowed.
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string_view v(*e);
        if (v.rfind("LANG=", 0) == 0 || v.rfind("LC_", 0) == 0 || v.rfind("LANGUAGE=", 0) == 0 ||
            v.rfind("SWORD_PATH=", 0) == 0)
            continue;
        env.emplace_back(v);
    }
    env.push_back("LANG=C");
    env.push_back("LC_ALL=C");
    env.push_back("SWORD_PATH=" + swordPath);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string programCopy = program, moduleCopy = module;
    char* argv[] = {programCopy.data(), moduleCopy.data(), nullptr};

    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0) throw Exception(Format("Cannot run %s (%d)", program.c_str(), errno));
    Fd outRead{out[0]}, outWrite{out[1]};
    if (pipe2(err, O_CLOEXEC) != 0) throw Exception(Format("Cannot run %s (%d)", program.c_str(), errno));
    Fd errRead{err[0]}, errWrite{err[1]};

    pid_t pid = fork();
    if (pid < 0) throw Exception(Format("Cannot run %s (%d)", program.c_str(), errno));
    if (pid == 0) {
        int devNull = open("/dev/null", O_RDONLY);
        if (devNull >= 0) dup2(devNull, 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        if (chdir(swordPath.c_str()) != 0) _exit(126);
        execve(argv[0], argv, envp.data());
        _exit(127);
    }
    outWrite.Close();
    errWrite.Close();

    std::string output, errors;
    pollfd fds[2] = {{outRead.fd, POLLIN, 0}, {errRead.fd, POLLIN, 0}};
    int openPipes = 2;
    char buffer[1 << 16];
    while (openPipes > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                fds[i].fd = -1;
                --openPipes;
                continue;
            }
            (i == 0 ? output : errors).append(buffer, static_cast<size_t>(n));
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::string first = errors.substr(0, errors.find('\n'));
        int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        throw Exception(Format("%s %s failed (exit status %d)%s%s", program.c_str(), module.c_str(), code,
                               first.empty() ? "" : ": ", first.c_str()));
    }
    return output;
}

}  // namespace kvx::library
