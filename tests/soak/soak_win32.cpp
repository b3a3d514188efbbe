// Soak: the real zelvane.exe with every option on takes many clipboard changes
// of every kind (share texts, passwords, junk, 10 MB texts, malformed GBK,
// lone surrogates, pictures) while options are clicked, domains typed and the
// window toggled through the tray. Each change is followed until Zelvane has
// handled it, and each share link's conversion is checked. At the end: it
// still converts, no link was opened twice and every link that should open
// did, and its handles and private memory are back near where they started.
//
//   soak.exe [--changes N] [--seed S]      exit code 0 when everything held
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/encoding_win32.h"
#include "core/handles_win32.h"
#include "tests/e2e/browser_log_win32.h"
#include "tests/e2e/clipboard_content_win32.h"
#include "tests/e2e/harness_win32.h"
#include "tests/e2e/share_links_win32.h"

namespace zelvane::soak {
namespace {

using namespace zelvane::e2e;
using namespace std::chrono_literals;
using enum Control;

const std::wstring kNoLink = L"Unkonw";
constexpr std::size_t kHugeChars = 10 * 1024 * 1024;  // 10 MB of code page 936 text

struct Figures {
    DWORD handles = 0;        // GetProcessHandleCount
    ULONG listedHandles = 0;  // the system's process list
    SIZE_T listedPrivate = 0;  // the process list's private pages, in bytes
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
    int changesMade = 0;  // clipboard changes made before the figures were taken
};

// The process's entry in the system's process list, which Wine fills from
// its server rather than from the process itself.
void MeasureFromProcessList(DWORD processId, Figures& figures) {
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    while (::NtQuerySystemInformation(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                      &needed) == static_cast<NTSTATUS>(0xC0000004L)) {  // length mismatch
        buffer.resize(std::max<std::size_t>(needed, buffer.size() * 2));
    }
    for (std::size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        if (reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId) == processId) {
            figures.listedHandles = entry->HandleCount;
            figures.listedPrivate = entry->PrivatePageCount;
            return;
        }
        if (entry->NextEntryOffset == 0) return;
        offset += entry->NextEntryOffset;
    }
}

Figures Measure(HANDLE process) {
    Figures figures;
    MeasureFromProcessList(::GetProcessId(process), figures);
    ::GetProcessHandleCount(process, &figures.handles);
    figures.gdiObjects = ::GetGuiResources(process, GR_GDIOBJECTS);
    figures.userObjects = ::GetGuiResources(process, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
        figures.privateBytes = memory.PrivateUsage;
        figures.workingSet = memory.WorkingSetSize;
    }
    return figures;
}

void Print(const char* when, const Figures& f) {
    std::printf("%-14s handles %lu (listed %lu)  GDI %lu  USER %lu  private %.1f MB (listed %.1f MB)  working "
                "set %.1f MB\n",
                when, static_cast<unsigned long>(f.handles), static_cast<unsigned long>(f.listedHandles),
                static_cast<unsigned long>(f.gdiObjects), static_cast<unsigned long>(f.userObjects),
                static_cast<double>(f.privateBytes) / 1048576.0, static_cast<double>(f.listedPrivate) / 1048576.0,
                static_cast<double>(f.workingSet) / 1048576.0);
    std::fflush(stdout);
}

// A picture as programs copy one: a 32-bit device-independent bitmap.
std::string DibBytes(int side, std::mt19937& random) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = side;
    header.biHeight = side;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    bytes.resize(sizeof(header) + static_cast<std::size_t>(side) * static_cast<std::size_t>(side) * 4,
                 static_cast<char>(random() & 0xFF));
    return bytes;
}

enum class Kind { ShareText, PlainLink, Password, Junk, Surrogates, MalformedGbk, Picture, Huge };

struct Change {
    Kind kind;
    std::vector<ClipboardFormat> formats;
    std::wstring code;           // share code of a link, empty otherwise
    std::wstring expectedShown;  // what the result box must show; empty: not checked
    bool opens = false;          // a share link that 选择框4 opens
};

class Soak {
public:
    Soak(int changes, unsigned seed) : changes_(changes), seed_(seed), random_(seed) {}

    int Run() {
        ClearClipboard();
        ZelvaneRun run;
        if (!run.Started()) return Fail("zelvane.exe did not start: " + run.Failure());
        run_ = &run;
        process_.Reset(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, run.ProcessId()));
        if (!process_) return Fail("cannot query the process");
        const Figures atStart = Measure(process_.Get());

        // Every option on: 选择框4, 选择框7, a domain of our own; 选择框3 and
        // 选择框5 take turns, as they exclude each other.
        run.Click(选择框4);
        run.Click(选择框7);
        run.Click(选择框3);
        TypeDomain(L"pan.example.net");
        if (!BrowserLog().Available()) return Fail("needs the fake browser of scripts/wine-session.sh");
        const BrowserLog opened;

        // The result box holds text from here on, for the markers below.
        owner_.Put({UnicodeFormat(L"start")});
        if (!WaitUntil([&] { return run.Text(编辑框_转换后) == kNoLink; })) return Fail("no first change");

        const auto started = std::chrono::steady_clock::now();
        Figures afterWarmUp = atStart;
        std::optional<Figures> afterFirstHuge;
        for (int index = 0; index < changes_; ++index) {
            if (index == kWarmUp) afterWarmUp = Settled("after warm-up");
            // After each 10 MB text: whatever it made grow must not grow again.
            if (index % 2000 == 1100) {
                const Figures figures = Settled(("after change " + std::to_string(index)).c_str());
                if (!afterFirstHuge) afterFirstHuge = figures;
            }
            Act(index);
            if (!Copy(MakeChange(index), index)) break;
            if ((index + 1) % 1000 == 0) {
                const double seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
                std::printf("%6d changes, %.0f s, %.1f changes/s, %zu failures\n", index + 1, seconds,
                            (index + 1) / seconds, failures_.size());
                std::fflush(stdout);
            }
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("%d clipboard changes in %.0f s (%.1f/s); %d option clicks, %d domains typed, %d tray "
                    "toggles\n",
                    made_, seconds, made_ / seconds, clicks_, domainsTyped_, trayToggles_);

        CheckStillConverts();
        CheckOpenedOnce(opened);
        const Figures atEnd = Settled("at the end");
        Print("at start", atStart);
        CheckBounds(afterWarmUp, atEnd, kShownTextSlack);
        if (afterFirstHuge) CheckBounds(*afterFirstHuge, atEnd, 0);

        // Out of hide mode a close ends the program, with 0.
        if (run.IsChecked(选择框7)) run.Click(选择框7);
        run.PostClose();
        const std::optional<int> exitCode = run.WaitForExit();
        if (exitCode != 0) Record("closing did not end the program with 0");
        for (const std::string& failure : failures_) std::printf("FAILED: %s\n", failure.c_str());
        std::printf(failures_.empty() ? "soak: PASSED\n" : "soak: FAILED (%zu)\n", failures_.size());
        return failures_.empty() ? 0 : 1;
    }

private:
    static constexpr int kWarmUp = 300;

    int Fail(const std::string& why) {
        std::printf("soak: %s\n", why.c_str());
        return 2;
    }
    void Record(const std::string& failure) {
        if (failures_.size() < 50) failures_.push_back(failure);
        else if (failures_.size() == 50) failures_.push_back("... more failures");
    }

    // Unique within the session's browser log, whatever ran before.
    std::wstring NextCode() { return L"k" + std::to_wstring(runId_) + L"x" + std::to_wstring(++codes_); }

    std::wstring Converted(const std::wstring& text) const {
        std::wstring converted = text;
        converted.replace(converted.find(kHost), kHost.size(), domain_);
        return converted;
    }

    std::wstring Password() {
        static const wchar_t kChars[] = L"abcdefghijkmnpqrstuvwxyz23456789";
        std::wstring password;
        for (int i = 0; i < 4; ++i) password.push_back(kChars[random_() % 32]);
        return password;
    }

    std::wstring Junk(std::size_t maxLength) {
        std::wstring junk;
        const std::size_t length = 1 + random_() % maxLength;
        for (std::size_t i = 0; i < length; ++i) {
            const unsigned pick = random_() % 10;
            if (pick < 5) junk.push_back(static_cast<wchar_t>(0x20 + random_() % 0x5F));  // ASCII
            else if (pick < 8) junk.push_back(static_cast<wchar_t>(0x4E00 + random_() % 0x5000));  // CJK
            else if (pick < 9) junk.push_back(static_cast<wchar_t>(1 + random_() % 0x1F));  // controls
            else junk.push_back(static_cast<wchar_t>(0xA0 + random_() % 0x2000));  // anything else
        }
        return junk;
    }

    Change Link(Kind kind, std::wstring text, std::wstring code) {
        Change change{kind, {UnicodeFormat(text)}, code, Converted(text), true};
        return change;
    }

    Change MakeChange(int index) {
        // A handful of 10 MB texts spread over the run.
        if (index % 2000 == 1000) return Huge(index);
        const unsigned pick = random_() % 100;
        const std::wstring code = NextCode();
        if (pick < 35) {
            const std::wstring text = L"链接：https://" + kHost + L"/" + code + L" 提取码：" + Password() +
                                      L" 复制这段内容后打开百度网盘手机App，操作更方便哦";
            return Link(Kind::ShareText, text, code);
        }
        if (pick < 50) return Link(Kind::PlainLink, L"https://" + kHost + L"/" + code, code);
        if (pick < 60) {
            return Change{Kind::Password, {UnicodeFormat(L"账户密码：" + Password() + L"!" + Password())}, {},
                          kNoLink};
        }
        if (pick < 80) {
            std::wstring junk = Junk(200);
            // Junk without a scheme shows "Unkonw"; with one it is not checked.
            const bool scheme = junk.find(L"http://") != std::wstring::npos ||
                                junk.find(L"https://") != std::wstring::npos;
            return Change{Kind::Junk, {UnicodeFormat(junk)}, {}, scheme ? L"" : kNoLink};
        }
        if (pick < 87) {
            // Lone halves of surrogate pairs, in and around a share link.
            const std::wstring text = std::wstring(1, L'\xDC01') + L"https://" + kHost + L"/" + code +
                                      std::wstring(1, L'\xD83D') + L" 密码:" + Password();
            return Change{Kind::Surrogates, {UnicodeFormat(text)}, code, {}, false};
        }
        if (pick < 94) {
            // Bytes that are no GBK: lead bytes without trail bytes, 0x80, 0xFF.
            std::string bytes = "\x81 https://" + win32::Utf8FromWide(kHost) + "/" + win32::Utf8FromWide(code) +
                                " \xFF\x80\xA3 \xFE";
            bytes.push_back('\0');
            return Change{Kind::MalformedGbk,
                          {{CF_TEXT, bytes}, {CF_LOCALE, DwordBytes(0x0804)}},
                          code,
                          {},
                          false};
        }
        return Change{Kind::Picture, {{CF_DIB, DibBytes(random_() % 4 == 0 ? 512 : 16, random_)}}, {}, kNoLink};
    }

    Change Huge(int index) {
        const std::wstring code = NextCode();
        if (index % 4000 == 1000) {
            // A share link followed by 10 MB without a "/" or space.
            std::wstring text = L"https://" + kHost + L"/" + code + L" ";
            text.append(kHugeChars - text.size(), L'x');
            Change change = Link(Kind::Huge, text, code);
            change.expectedShown.clear();  // checked by its length and start below
            return change;
        }
        std::wstring text(kHugeChars / 2, L'\x4E2D');  // 中, two bytes each: 10 MB
        return Change{Kind::Huge, {UnicodeFormat(text)}, {}, kNoLink};
    }

    // --- the user's other actions ---

    void Act(int index) {
        if (index % 500 == 250) SwapCopyAndPassword();
        if (index % 300 == 150) ChangeDomain();
        if (index % 200 == 100) ToggleWindow();
        if (index % 1000 == 700) {
            // Hide mode off and on again: the icon is removed and added.
            run_->Click(选择框7);
            run_->Click(选择框7);
            clicks_ += 2;
        }
    }

    void SwapCopyAndPassword() {
        const bool copyOn = run_->IsChecked(选择框3);
        run_->Click(copyOn ? 选择框3 : 选择框5);
        run_->Click(copyOn ? 选择框5 : 选择框3);
        clicks_ += 2;
        if (run_->IsChecked(选择框3) == run_->IsChecked(选择框5)) Record("选择框3 and 选择框5 are not exclusive");
    }

    void ChangeDomain() {
        static const wchar_t* const kDomains[] = {L"pan.example.net", L"中文.example", L"wwy.example.com:8080"};
        if (run_->IsChecked(选择框1) || random_() % 4 != 0) {
            if (run_->IsChecked(选择框1)) {
                run_->Click(选择框1);
                ++clicks_;
            }
            TypeDomain(kDomains[random_() % 3]);
            return;
        }
        run_->Click(选择框1);  // back to the default domain
        ++clicks_;
        domain_ = run_->Text(编辑框1);
        if (domain_ != kDefaultDomain) Record("选择框1 did not restore the default domain");
    }

    void TypeDomain(const std::wstring& domain) {
        if (run_->IsChecked(选择框1)) run_->Click(选择框1);
        run_->SetText(编辑框1, domain);
        ++domainsTyped_;
        domain_ = run_->Text(编辑框1);
        if (domain_ != domain) Record("the typed domain did not stay in the box");
    }

    void ToggleWindow() {
        if (!run_->IsChecked(选择框7)) return;
        const bool visible = run_->IsWindowVisible();
        run_->PostTrayCallback(WM_LBUTTONUP);
        run_->PostTrayCallback(WM_LBUTTONDBLCLK);
        run_->PostTrayCallback(WM_LBUTTONUP);
        ++trayToggles_;
        if (!run_->WaitFor([&] { return run_->IsWindowVisible() != visible; }, 5s)) {
            Record("a tray double-click did not toggle the window");
        }
    }

    // --- one clipboard change, followed until Zelvane has handled it ---

    // Zelvane handles WM_CLIPBOARDUPDATE from its queue in order: a selection
    // posted to its result box after the change is taken after the change has
    // been handled.
    bool WaitUntilHandled() {
        marker_ = marker_ % 5 + 1;
        const HWND result = run_->ControlWindow(编辑框_转换后);
        ::PostMessageW(result, EM_SETSEL, static_cast<WPARAM>(marker_), static_cast<LPARAM>(marker_));
        return WaitUntil(
            [&] {
                DWORD_PTR selection = 0;
                ::SendMessageTimeoutW(result, EM_GETSEL, 0, 0, SMTO_NORMAL, 30000, &selection);
                return LOWORD(selection) == marker_;
            },
            60s);
    }

    bool Copy(const Change& change, int index) {
        if (!owner_.Put(change.formats)) {
            Record("change " + std::to_string(index) + ": the clipboard could not be written");
            return true;
        }
        ++made_;
        if (!WaitUntilHandled()) {
            Record("change " + std::to_string(index) + ": Zelvane did not take it within 60 s");
            return run_->IsRunning();
        }
        if (!run_->IsRunning()) {
            Record("zelvane.exe ended at change " + std::to_string(index));
            return false;
        }
        if (change.opens && run_->IsChecked(选择框4)) {
            expectedOpen_.insert(change.code);
            madeAt_[change.code] = "change " + std::to_string(index) + (run_->IsChecked(选择框3) ? ", 选择框3" : ", 选择框5") +
                                   ", domain " + win32::Utf8FromWide(domain_) + ", kind " +
                                   std::to_string(static_cast<int>(change.kind));
        }
        if (!change.code.empty() && !change.opens) mayOpen_.insert(change.code);
        if (change.kind == Kind::Huge && !change.code.empty()) {
            const std::wstring shown = run_->Text(编辑框_转换后);
            const std::wstring start = L"https://" + domain_ + L"/" + change.code + L" xxx";
            if (shown.size() < kHugeChars - 100 || shown.compare(0, start.size(), start) != 0) {
                Record("change " + std::to_string(index) + ": the 10 MB link was not converted");
            }
            return true;
        }
        if (!change.expectedShown.empty()) {
            const std::wstring shown = run_->Text(编辑框_转换后);
            if (shown != change.expectedShown) {
                Record("change " + std::to_string(index) + ": shows '" + win32::Utf8FromWide(shown.substr(0, 120)) +
                       "', expected '" + win32::Utf8FromWide(change.expectedShown.substr(0, 120)) + "'");
            }
        }
        return true;
    }

    // --- afterwards ---

    // A small text, an empty clipboard, a few quiet seconds: what was big is
    // let go, then the figures.
    Figures Settled(const char* when) {
        owner_.Put({UnicodeFormat(L"settle")});
        WaitUntilHandled();
        ClearClipboard();
        WaitUntilHandled();
        Pause(3s);
        Figures figures = Measure(process_.Get());
        figures.changesMade = made_;
        Print(when, figures);
        return figures;
    }

    void CheckStillConverts() {
        const std::wstring code = NextCode();
        const std::wstring text = L"链接：https://" + kHost + L"/" + code + L" 提取码：last";
        owner_.Put({UnicodeFormat(text)});
        if (!WaitUntil([&] { return run_->Text(编辑框_转换后) == Converted(text); })) {
            Record("after the soak a share text was not converted");
        }
        expectedOpen_.insert(code);
    }

    void CheckOpenedOnce(const BrowserLog& opened) {
        // The fake browser is a process of its own per link: let the last ones
        // write down their URL.
        WaitUntil([&] { return opened.Since().size() >= expectedOpen_.size(); }, 60s);
        Pause(5s);
        std::map<std::wstring, int> seen;  // share code -> times opened
        for (const std::wstring& url : opened.Since()) {
            // The code is the letters and digits after the last "/": a text
            // with lone surrogates ends it in a "?".
            const std::size_t slash = url.rfind(L'/');
            std::wstring code = slash == std::wstring::npos ? url : url.substr(slash + 1);
            code.erase(std::find_if(code.begin(), code.end(), [](wchar_t c) { return !::IsCharAlphaNumericW(c); }),
                       code.end());
            ++seen[code];
        }
        int twice = 0;
        int unexpected = 0;
        for (const auto& [code, times] : seen) {
            if (times > 1 && ++twice <= 5) Record("opened " + std::to_string(times) + " times: " + win32::Utf8FromWide(code));
            if (!expectedOpen_.count(code) && !mayOpen_.count(code)) ++unexpected;
        }
        int missing = 0;
        for (const std::wstring& code : expectedOpen_) {
            if (!seen.count(code) && ++missing <= 5) {
                Record("never opened: " + win32::Utf8FromWide(code) + " (" + madeAt_[code] + ")");
            }
        }
        std::printf("links opened: %zu URLs for %zu share codes; %zu links had to open, %d missing, %d opened "
                    "twice, %d from malformed texts\n",
                    opened.Since().size(), seen.size(), expectedOpen_.size(), missing, twice, unexpected);
        if (unexpected > 0) Record(std::to_string(unexpected) + " opened links were never copied");
    }

    // An edit box keeps the buffer of the longest text it has shown (Wine's
    // never shrinks): a 10 MB link in the result box is 20 MB of UTF-16 there
    // for the rest of the run. That much growth is allowed once, from the
    // figures before any huge text; none at all after the first.
    static constexpr SIZE_T kShownTextSlack = kHugeChars * sizeof(wchar_t);
    // Wine 8 keeps about 1 KB in the reading process for every
    // GetClipboardData of another process's text (a ten-line program that
    // only writes and reads the clipboard grows by 10 MB in 10,000 reads),
    // and a little for every ShellExecute. Zelvane reads once per change.
    static constexpr SIZE_T kWineBytesPerChange = 1536;

    void CheckBounds(const Figures& before, const Figures& after, SIZE_T shownTextSlack) {
        constexpr DWORD kHandleSlack = 10;
        constexpr SIZE_T kMemorySlack = 4 * 1024 * 1024;
        const std::string when = shownTextSlack > 0 ? " since the warm-up" : " since the first 10 MB text";
        if (after.handles > before.handles + kHandleSlack) Record("handles grew" + when);
        if (after.listedHandles > before.listedHandles + kHandleSlack) Record("listed handles grew" + when);
        if (after.gdiObjects > before.gdiObjects + kHandleSlack) Record("GDI objects grew" + when);
        if (after.userObjects > before.userObjects + kHandleSlack) Record("USER objects grew" + when);
        const auto changes = static_cast<SIZE_T>(after.changesMade - before.changesMade);
        const SIZE_T memorySlack = kMemorySlack + shownTextSlack + changes * kWineBytesPerChange;
        if (after.privateBytes > before.privateBytes + memorySlack) Record("private memory grew" + when);
        if (after.listedPrivate > before.listedPrivate + memorySlack) Record("listed private memory grew" + when);
        if (after.workingSet > before.workingSet + memorySlack) Record("the working set grew" + when);
    }

    int changes_;
    unsigned seed_;
    std::mt19937 random_;
    unsigned long long runId_ = ::GetTickCount64();
    ZelvaneRun* run_ = nullptr;
    win32::OwnedKernelHandle process_;
    ClipboardOwnerWindow owner_;
    std::wstring domain_ = kDefaultDomain;
    unsigned marker_ = 0;
    int codes_ = 0;
    int made_ = 0;
    int clicks_ = 0;
    int domainsTyped_ = 0;
    int trayToggles_ = 0;
    std::set<std::wstring> expectedOpen_;
    std::set<std::wstring> mayOpen_;
    std::map<std::wstring, std::string> madeAt_;  // for a link that must open: when and how
    std::vector<std::string> failures_;
};

}  // namespace
}  // namespace zelvane::soak

int main(int argc, char** argv) {
    int changes = 10000;
    unsigned seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--changes") == 0) changes = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--seed") == 0) seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    }
    std::printf("soak: %d clipboard changes, seed %u\n", changes, seed);
    return zelvane::soak::Soak(changes, seed).Run();
}
