// Peak memory of one conversion cycle on a worst-case text:
//   worst_case <slashes|link+slashes|link+mima|link+tiquma> <megabytes>
// prints the text's size and how much the process's peak resident size grew
// while the cycle ran. The text is built in place and handed to the clipboard
// without a copy, so the peak before the cycle is the text plus the program.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/bench_ports.h"
#include "bench/worst_texts.h"
#include "conversion/converter.h"

namespace {

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool KindNamed(const char* name, zelvane::bench::WorstCase& kind) {
    using zelvane::bench::WorstCase;
    for (WorstCase k : {WorstCase::Slashes, WorstCase::LinkThenSlashes, WorstCase::LinkThenMima,
                        WorstCase::LinkThenTiquma}) {
        if (std::strcmp(zelvane::bench::NameOf(k), name) == 0) {
            kind = k;
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zelvane;
    bench::WorstCase kind{};
    if (argc != 3 || !KindNamed(argv[1], kind)) {
        std::fprintf(stderr, "usage: worst_case <slashes|link+slashes|link+mima|link+tiquma> <MB>\n");
        return 2;
    }
    const auto bytes = static_cast<std::size_t>(std::strtoul(argv[2], nullptr, 10)) << 20;

    ProgramState state;
    bench::MemoryForm form;
    bench::MemoryClipboard clipboard;
    bench::CountingShell shell;
    Converter converter(state, form, clipboard, shell);
    form.SetText(Control::编辑框1, Text(DEFAULT_DOMAIN));
    for (Control box : {Control::选择框3, Control::选择框4, Control::选择框5}) form.SetChecked(box, true);
    clipboard.Copy(bench::WorstText(kind, bytes));

    const long before = PeakResidentKiB();
    converter.ConversionCycle();
    const long after = PeakResidentKiB();

    const double textMiB = static_cast<double>(bytes) / (1 << 20);
    const double grownMiB = static_cast<double>(after - before) / 1024;
    std::printf("%-13s text %6.1f MiB  peak before cycle %7.1f MiB  grown by %7.1f MiB (%.1f x text)  shown %zu bytes\n",
                bench::NameOf(kind), textMiB, static_cast<double>(before) / 1024, grownMiB,
                grownMiB / textMiB, form.GetText(Control::编辑框_转换后).size());
    return 0;
}
