// Starting the desktop program on the full default library: the time from starting
// the process to its first painted main window, and the memory it holds then. The
// program runs offscreen in a screenshot run, which reports the moment it first
// painted on standard output.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "app/screenshot_report.h"
#include "modules/strongs_data_writer.h"
#include "platform/file_util.h"
#include "platform/user_folders.h"
#include "tests/support/fixtures.h"

extern char** environ;

namespace kvx {
namespace {

namespace fs = std::filesystem;

// The default library in the programs' folder, with a Strong's data file of no words
// when the library has none yet; empty when there is no library.
struct TBenchInstall {
    test::TempDir dir;
    std::string program;  // the program folder
    std::string config;   // the user's configuration folder
    bool ready = false;

    TBenchInstall() {
        const std::string library = ProgramFolder();
        if (!FileExists(library + "Modules/KJV.zb5bible") || !FileExists(library + "pmap.dat")) return;
        program = dir.Path() + "/program/";
        config = dir.Path() + "/config/";
        fs::create_directories(config);
        fs::create_directories(program);
        fs::create_symlink(library + "Modules", program + "Modules");
        fs::create_symlink(library + "pmap.dat", program + "pmap.dat");
        if (FileExists(library + "stgdat.zb4")) fs::create_symlink(library + "stgdat.zb4", program + "stgdat.zb4");
        else WriteStrongsData(program + "stgdat.zb4", {}, {});
        for (const char* optional : {"User", "devotion.dys", "Images", "help"})
            if (fs::exists(library + optional)) fs::create_symlink(library + optional, program + optional);
        ready = true;
    }
};

struct TStart {
    double seconds = 0;  // to the first paint
    long residentKb = 0;
    bool ok = false;
};

// One screenshot run; the clock stops when the program reports its first paint.
TStart StartOnce(const TBenchInstall& install) {
    TStart result;
    const std::string program = ProgramFolder() + "karvelindorax";
    const std::string shot = install.dir.Path() + "/shot.png";
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + install.config,
                                    "HOME=" + install.dir.Path()};
    if (const char* path = std::getenv("PATH")) env.push_back(std::string("PATH=") + path);
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) env.push_back(std::string("XDG_RUNTIME_DIR=") + runtime);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = {program, "--program-folder", install.program, "--screenshot", shot};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe(out) != 0) return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return result;
    }
    FILE* stream = ::fdopen(out[0], "r");
    char line[512];
    const std::string report = kPaintedReport;
    while (std::fgets(line, sizeof line, stream)) {
        const std::string text = line;
        if (text.rfind(report, 0) == 0) {
            result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            result.residentKb = std::strtol(text.c_str() + report.size(), nullptr, 10);
            result.ok = true;
            break;
        }
    }
    while (std::fgets(line, sizeof line, stream)) {
    }
    std::fclose(stream);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.ok = result.ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

void BM_StartToFirstPaint(benchmark::State& state) {
    static TBenchInstall install;
    if (!install.ready) {
        state.SkipWithError("no default library in the programs' folder; run kvx build-library there");
        return;
    }
    // The first start writes the settings and the layout; the timed ones start as a
    // user does every day.
    StartOnce(install);
    long resident = 0;
    for (auto _ : state) {
        const TStart run = StartOnce(install);
        if (!run.ok) {
            state.SkipWithError("karvelindorax did not start and close cleanly");
            return;
        }
        state.SetIterationTime(run.seconds);
        resident = std::max(resident, run.residentKb);
    }
    state.counters["resident_MB"] = static_cast<double>(resident) / 1024.0;
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvx
