// The cost of the conversion cycle: idle ticks, a typical share text, and the
// worst texts a copy can bring.
#include <benchmark/benchmark.h>

#include "bench/bench_ports.h"
#include "bench/worst_texts.h"
#include "conversion/converter.h"

namespace zelvane::bench {
namespace {

struct Rig {
    Rig() {
        form.SetText(Control::编辑框1, Text(DEFAULT_DOMAIN));
        for (Control box : {Control::选择框3, Control::选择框4, Control::选择框5}) {
            form.SetChecked(box, true);
        }
    }
    ProgramState state;
    MemoryForm form;
    MemoryClipboard clipboard;
    CountingShell shell;
    Converter converter{state, form, clipboard, shell};
};

Text ShareTextOfSize(std::size_t bytes) {
    const Text share = TypicalShareText();
    return JoinTexts({share, Repeated("a", bytes > share.size() ? bytes - share.size() : 0)});
}

// A tick on a clipboard that has not changed since the last one.
void BM_IdleTick(benchmark::State& st) {
    Rig rig;
    rig.clipboard.Copy(ShareTextOfSize(static_cast<std::size_t>(st.range(0))));
    rig.converter.ConversionCycle();
    rig.converter.ConversionCycle();
    for (auto _ : st) rig.converter.ConversionCycle();
    st.SetLabel("clipboard unchanged");
}
BENCHMARK(BM_IdleTick)->Arg(1 << 10)->Arg(10 << 20);

// The same text copied again: the count moves, so the text is read and compared.
void BM_TickOnSameTextCopiedAgain(benchmark::State& st) {
    Rig rig;
    rig.clipboard.Copy(ShareTextOfSize(static_cast<std::size_t>(st.range(0))));
    rig.converter.ConversionCycle();
    for (auto _ : st) {
        rig.clipboard.Touch();
        rig.converter.ConversionCycle();
    }
    st.SetBytesProcessed(st.iterations() * st.range(0));
}
BENCHMARK(BM_TickOnSameTextCopiedAgain)->Arg(1 << 10)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);

// A new share text on every tick, converted, copied, opened, password copied.
void BM_ConvertTypicalShareText(benchmark::State& st) {
    Rig rig;
    const Text texts[2] = {TypicalShareText('a'), TypicalShareText('b')};
    std::size_t i = 0;
    for (auto _ : st) {
        rig.clipboard.Copy(texts[i++ % 2]);
        rig.converter.ConversionCycle();
    }
    if (rig.shell.opened != static_cast<std::uint64_t>(st.iterations())) st.SkipWithError("not every text was opened");
}
BENCHMARK(BM_ConvertTypicalShareText);

void BM_ConvertWorstText(benchmark::State& st) {
    const auto kind = static_cast<WorstCase>(st.range(0));
    const auto bytes = static_cast<std::size_t>(st.range(1));
    Rig rig;
    const Text texts[2] = {WorstText(kind, bytes, 'a'), WorstText(kind, bytes, 'b')};
    std::size_t i = 0;
    for (auto _ : st) {
        rig.clipboard.Copy(texts[i++ % 2]);
        rig.converter.ConversionCycle();
    }
    st.SetLabel(NameOf(kind));
    st.SetBytesProcessed(st.iterations() * st.range(1));
}
BENCHMARK(BM_ConvertWorstText)
    ->ArgsProduct({{static_cast<int>(WorstCase::Slashes), static_cast<int>(WorstCase::LinkThenSlashes),
                    static_cast<int>(WorstCase::LinkThenMima), static_cast<int>(WorstCase::LinkThenTiquma)},
                   {1 << 20, 10 << 20}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvane::bench

BENCHMARK_MAIN();
