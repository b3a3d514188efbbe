// Figures of a running GUI program, measured from outside as a user would
// meet them:
//   probe.exe startup <runs> <program> [<baseline program>]
//       time from CreateProcess until the program's first window is visible,
//       median of <runs> starts (the two programs alternate), and the ratio
//   probe.exe rest <seconds> <program>
//       private memory, working set and handles once started and quiet, then
//       the CPU time it uses over <seconds> of rest
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct VisibleWindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<VisibleWindowSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !::IsWindowVisible(window)) return TRUE;
    search->found = true;
    return FALSE;
}

bool HasVisibleWindow(DWORD processId) {
    VisibleWindowSearch search{processId, false};
    ::EnumWindows(&MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A started program; ended when this goes.
class Started {
public:
    explicit Started(const std::wstring& program) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + program + L"\"";
        ok_ = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &info_) != FALSE;
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;
    ~Started() {
        if (!ok_) return;
        ::TerminateProcess(info_.hProcess, 0);
        ::WaitForSingleObject(info_.hProcess, 5000);
        ::CloseHandle(info_.hThread);
        ::CloseHandle(info_.hProcess);
    }
    bool Ok() const { return ok_; }
    HANDLE Process() const { return info_.hProcess; }
    // Milliseconds until its first window is visible; negative on time-out.
    double WaitForWindow(Clock::time_point since) const {
        while (Clock::now() - since < std::chrono::seconds(20)) {
            if (HasVisibleWindow(info_.dwProcessId)) {
                return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        return -1;
    }

private:
    PROCESS_INFORMATION info_{};
    bool ok_ = false;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double StartOnce(const std::wstring& program) {
    const Clock::time_point start = Clock::now();
    const Started started(program);
    return started.Ok() ? started.WaitForWindow(start) : -1;
}

int MeasureStartup(int runs, const std::wstring& program, const std::wstring& baseline) {
    std::vector<double> times;
    std::vector<double> baseTimes;
    for (int run = 0; run < runs; ++run) {
        const double time = StartOnce(program);
        if (time < 0) return std::printf("startup: no window from the program\n"), 1;
        times.push_back(time);
        if (baseline.empty()) continue;
        const double baseTime = StartOnce(baseline);
        if (baseTime < 0) return std::printf("startup: no window from the baseline\n"), 1;
        baseTimes.push_back(baseTime);
    }
    std::printf("startup to visible window over %d runs: median %.1f ms (min %.1f, max %.1f)\n", runs,
                Median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
    if (!baseline.empty()) {
        std::printf("baseline: median %.1f ms (min %.1f, max %.1f); ratio of medians %.2f\n", Median(baseTimes),
                    *std::min_element(baseTimes.begin(), baseTimes.end()),
                    *std::max_element(baseTimes.begin(), baseTimes.end()), Median(times) / Median(baseTimes));
    }
    return 0;
}

double CpuMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;  // 100 ns units
}

int MeasureRest(int seconds, const std::wstring& program) {
    const Clock::time_point start = Clock::now();
    const Started started(program);
    if (!started.Ok() || started.WaitForWindow(start) < 0) return std::printf("rest: no window\n"), 1;
    std::this_thread::sleep_for(std::chrono::seconds(5));  // start-up settles

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(started.Process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    DWORD handles = 0;
    ::GetProcessHandleCount(started.Process(), &handles);
    std::printf("at rest: private %.2f MB, working set %.2f MB, %lu handles, GDI %lu, USER %lu\n",
                static_cast<double>(memory.PrivateUsage) / 1048576.0,
                static_cast<double>(memory.WorkingSetSize) / 1048576.0, static_cast<unsigned long>(handles),
                static_cast<unsigned long>(::GetGuiResources(started.Process(), GR_GDIOBJECTS)),
                static_cast<unsigned long>(::GetGuiResources(started.Process(), GR_USEROBJECTS)));

    // Wine may report no CPU time for another process at all: the time since
    // the start tells whether the figure below means anything.
    const double before = CpuMilliseconds(started.Process());
    std::printf("CPU time reported since the start: %.1f ms%s\n", before,
                before == 0 ? " (none: this system does not report it; see the host's figure)" : "");
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double used = CpuMilliseconds(started.Process()) - before;
    std::printf("idle CPU over %d s: %.1f ms (%.3f %% of one core)\n", seconds, used,
                used / (seconds * 1000.0) * 100.0);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"startup" && argc >= 4) {
        return MeasureStartup(std::max(1, _wtoi(argv[2])), argv[3], argc > 4 ? argv[4] : L"");
    }
    if (mode == L"rest" && argc == 4) return MeasureRest(std::max(1, _wtoi(argv[2])), argv[3]);
    std::printf("usage: probe startup <runs> <program> [<baseline>] | probe rest <seconds> <program>\n");
    return 2;
}
