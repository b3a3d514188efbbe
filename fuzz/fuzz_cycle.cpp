// A whole conversion cycle driven through the fakes by an arbitrary sequence
// of copies, domains typed into 编辑框1, option clicks, clipboard faults, copy
// button clicks and ticks. After every tick the window, the clipboard writes,
// the links handed to the shell and the share password must be what the text
// that was read calls for, worked out with the plain text reference.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <string>
#include <vector>

#include "conversion/converter.h"
#include "core/constants.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/password_reference.h"
#include "tests/fakes/fake_clipboard.h"
#include "tests/fakes/fake_form.h"
#include "tests/fakes/fake_shell.h"
#include "tests/reference/text_reference.h"

namespace zelvane {
namespace {

using fuzz::Check;
using namespace reference;

// Pieces of share texts, so that short inputs reach links of the service.
const std::array<Text, 30> kTokens = {
    "https://", "http://", "HTTPS://", "Http://", "http:/", "/", "//", "/s/abc",
    Text(DEFAULT_DOMAIN), "ww", Text(SERVICE_LABEL), ".com", "x1Y2",
    Text(KEYWORD_MIMA), Text(KEYWORD_TIQUMA), Text(KEYWORD_FENXIANGMA), Text(KEYWORD_FANGWENMA),
    ":", Text(FULL_WIDTH_COLON), " ", "\xA1\xA1" /* full-width space */, "\t", "\r\n", "\x0B", "\x7F",
    "\xC1\xB4\xBD\xD3\xA3\xBA",  // 链接：
    "\xB0\x2F",                  // a character whose trail byte is '/'
    "\xA1",                      // a lead byte that takes what follows as its trail byte
    "C:\\Windows\\notepad.exe ", "\x1B",
};

// A clipboard's text ends at its first zero byte.
Text WithoutZero(Text text) {
    const std::size_t zero = text.find('\0');
    if (zero != Text::npos) text.resize(zero);
    return text;
}

// Big enough to show a tick that grows faster than linearly, small enough to
// keep a few hundred ticks per input quick under the sanitizers: one text may
// reach 64 KiB, all texts of one input together 256 KiB.
constexpr std::size_t kMaxComposedText = 64 * 1024;
constexpr std::size_t kComposedBytesPerInput = 256 * 1024;

// Texts of pieces: tokens, short raw byte strings, and repeats of the piece
// before, so that even a short input can make a huge text ('/' * 100000).
class TextComposer {
public:
    Text Compose(FuzzedDataProvider& data, std::size_t maxPieces) {
        Text text;
        Text piece;
        const auto pieces = data.ConsumeIntegralInRange<std::size_t>(0, maxPieces);
        for (std::size_t p = 0; p < pieces && data.remaining_bytes() > 0; ++p) {
            const auto pick = data.ConsumeIntegralInRange<std::size_t>(0, kTokens.size() + 1);
            if (pick < kTokens.size()) {
                piece = kTokens[pick];
                text += piece;
            } else if (pick == kTokens.size()) {
                piece = data.ConsumeRandomLengthString(24);
                text += piece;
            } else {
                // Mostly a few repeats, now and then tens of thousands.
                const auto count = data.ConsumeIntegral<std::uint8_t>();
                const auto shift = data.ConsumeIntegralInRange<unsigned>(0, 8);
                const std::size_t times = std::size_t{count} << shift;
                for (std::size_t t = 0; t < times && text.size() < Limit(); ++t) text += piece;
            }
            if (text.size() >= Limit()) break;
        }
        used_ += text.size();
        return WithoutZero(text);
    }

private:
    std::size_t Limit() const {
        const std::size_t left = used_ < kComposedBytesPerInput ? kComposedBytesPerInput - used_ : 0;
        return std::min(kMaxComposedText, left);
    }

    std::size_t used_ = 0;
};

bool HasPasswordKeyword(const Text& text) {
    for (const Text& keyword : kKeywordsInSplitOrder) {
        if (ReferencePositionOf(text, keyword) != -1) return true;
    }
    return false;
}

bool Has(const Text& text, std::string_view sought) {
    return ReferencePositionOf(text, Text(sought)) != -1;
}

// The "/"-pieces of a text as the plain reference splits it, but no more than
// `limit` of them: a huge text of delimiters is not a link anyway.
std::vector<Text> FirstPieces(const Text& text, std::size_t limit) {
    std::vector<Text> pieces;
    std::size_t pieceBegin = 0;
    for (std::size_t i = 0; i < text.size() && pieces.size() < limit;) {
        if (text[i] == '/') {
            pieces.push_back(text.substr(pieceBegin, i - pieceBegin));
            pieceBegin = i + 1;
        }
        i += Width(text, i);
    }
    if (pieces.size() < limit && pieceBegin < text.size()) pieces.push_back(text.substr(pieceBegin));
    return pieces;
}

// The clipboard text with its third "/"-piece replaced by the domain and a
// final "/" dropped, when it is a link of the service; otherwise nothing.
std::optional<Text> ConvertedLink(const Text& text, const Text& domain) {
    if (!Has(text, "ww") || !Has(text, SERVICE_LABEL) || !Has(text, ".com") || !Has(text, "/")) {
        return std::nullopt;
    }
    const std::vector<Text> pieces = FirstPieces(text, 5);
    if (pieces.size() != 4) return std::nullopt;
    return pieces[0] + "/" + pieces[1] + "/" + domain + "/" + pieces[3];
}

bool IsSafeUrlByte(unsigned char byte) { return byte > 0x20 && byte != 0x7F; }

// What may reach the shell: one http(s) URL, nothing after the scheme that a
// shell could take for a break, and taken from the text the window shows.
void CheckOpenedUrl(const Text& url, const Text& shown) {
    const bool http = url.rfind("http://", 0) == 0 && url.size() > 7;
    const bool https = url.rfind("https://", 0) == 0 && url.size() > 8;
    Check(http || https, "the shell gets an http(s) URL", {{"url", url}});
    for (char byte : url) {
        Check(IsSafeUrlByte(static_cast<unsigned char>(byte)),
              "no space or control character in an opened URL", {{"url", url}});
    }
    Check(ReferencePositionOf(url, "\xA1\xA1") == -1, "no full-width space in an opened URL",
          {{"url", url}});
    Check(shown.find(url) != Text::npos, "the opened URL is part of the shown text",
          {{"url", url}, {"shown", shown}});
}

template <typename T>
std::vector<T> Since(const std::vector<T>& all, std::size_t before) {
    return std::vector<T>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
}

class Cycle {
public:
    void Run(FuzzedDataProvider& data) {
        form_.SetText(Control::编辑框1, Traced("domain", composer_.Compose(data, 4)));
        for (int step = 0; step < 256 && data.remaining_bytes() > 0; ++step) Act(data);
        TickAndCheck();
    }

private:
    void Act(FuzzedDataProvider& data) {
        switch (data.ConsumeIntegralInRange<int>(0, 15)) {
            case 0: case 1: clipboard_.Copy(Traced("copy", composer_.Compose(data, 12))); break;
            case 2: form_.Type(Control::编辑框1, Traced("domain", composer_.Compose(data, 4))); break;
            case 3: Trace("click 选择框3"); form_.Click(Control::选择框3); break;
            case 4: Trace("click 选择框4"); form_.Click(Control::选择框4); break;
            case 5: Trace("click 选择框5"); form_.Click(Control::选择框5); break;
            case 6: Trace("toggle readable"); clipboard_.readable = !clipboard_.readable; break;
            case 7: Trace("toggle writable"); clipboard_.writable = !clipboard_.writable; break;
            case 8: Trace("copy a picture"); clipboard_.CopyPicture(); break;
            case 9: Trace("same text copied again"); clipboard_.Touch(); break;
            case 10: Trace("copy button"); CopyButtonAndCheck(); break;
            case 11: form_.Type(Control::编辑框_转换后, Traced("type result", composer_.Compose(data, 6))); break;
            default: TickAndCheck(); break;
        }
    }

    // ZELVANE_FUZZ_TRACE=1 lists the actions of an input, to read a finding.
    static void Trace(const char* action, const Text& text = {}) {
        static const bool tracing = std::getenv("ZELVANE_FUZZ_TRACE") != nullptr;
        if (!tracing) return;
        const std::string shown = text.size() > 200 ? fuzz::Printable(text.substr(0, 200)) + "...(" +
                                                          std::to_string(text.size()) + " bytes)"
                                                    : fuzz::Printable(text);
        std::fprintf(stderr, "%s '%s'\n", action, shown.c_str());
    }
    static Text Traced(const char* action, Text text) {
        Trace(action, text);
        return text;
    }

    void TickAndCheck() {
        const Text clip = clipboard_.text;
        const Text lastBefore = state_.lastClipboardText;
        const Text passwordBefore = state_.sharePassword;
        const Text shownBefore = form_.GetText(Control::编辑框_转换后);
        const Text domain = form_.GetText(Control::编辑框1);
        const bool copy = form_.IsChecked(Control::选择框3);
        const bool open = form_.IsChecked(Control::选择框4);
        const bool copyPassword = form_.IsChecked(Control::选择框5);
        const std::size_t formWrites = form_.textWrites.size();
        const std::size_t clipboardWrites = clipboard_.writes.size();
        const std::size_t opens = shell_.opened.size();

        Trace("tick");
        converter_.ConversionCycle();

        std::vector<Text> shownWrites;
        for (const auto& write : Since(form_.textWrites, formWrites)) {
            Check(write.control == Control::编辑框_转换后, "the tick writes only the result box");
            shownWrites.push_back(write.text);
        }
        const std::vector<Text> written = Since(clipboard_.writes, clipboardWrites);
        const std::vector<Text> opened = Since(shell_.opened, opens);
        const Text shown = form_.GetText(Control::编辑框_转换后);

        // The brief form of the whole check: what the window may show.
        const std::optional<Text> converted = ConvertedLink(clip, domain);
        Check(shown == NO_LINK_TEXT || shown == shownBefore || shown == converted,
              "shown text is Unkonw, unchanged or the converted clipboard text",
              {{"clipboard", clip}, {"domain", domain}, {"shown", shown}});
        for (const Text& url : opened) CheckOpenedUrl(url, shown);

        const bool changed = clipboard_.readable && clip != lastBefore;
        if (!changed) {
            Check(shownWrites.empty() && written.empty() && opened.empty(),
                  "an unchanged or unreadable clipboard does nothing", {{"clipboard", clip}});
            Check(state_.sharePassword == passwordBefore && state_.lastClipboardText == lastBefore,
                  "an unchanged clipboard keeps the state", {{"clipboard", clip}});
            return;
        }

        const Text password = HasPasswordKeyword(clip)
                                  ? ReferenceExtractPassword(ReferenceSplit(clip, Text(KEYWORD_TIQUMA)))
                                  : passwordBefore;
        Check(state_.sharePassword == password, "share password of a new text",
              {{"clipboard", clip}, {"password", state_.sharePassword}, {"expected", password}});

        const bool scheme = Has(clip, "https://") || Has(clip, "http://");
        std::vector<Text> expectedShown;
        std::vector<Text> expectedWritten;
        if (!scheme) {
            expectedShown = {Text(NO_LINK_TEXT)};
        } else if (converted) {
            expectedShown = {*converted};
            if (copy && clipboard_.writable) expectedWritten.push_back(*converted);
            if (open && copyPassword && clipboard_.writable) expectedWritten.push_back(password);
        }
        Check(shownWrites == expectedShown, "what the tick shows",
              {{"clipboard", clip}, {"domain", domain}, {"shown", shown}});
        Check(written == expectedWritten, "what the tick copies", {{"clipboard", clip}});
        Check(opened.size() <= ((scheme && converted && open) ? 1u : 0u),
              "at most one link opened, only for a converted link with 选择框4",
              {{"clipboard", clip}});
        const Text last = written.empty() ? clip : written.back();
        Check(state_.lastClipboardText == last, "the text last seen is the last one known",
              {{"clipboard", clip}, {"last", state_.lastClipboardText}});
    }

    void CopyButtonAndCheck() {
        const Text shown = form_.GetText(Control::编辑框_转换后);
        const std::size_t writes = clipboard_.writes.size();
        const std::size_t opens = shell_.opened.size();
        converter_.OnCopyButtonClicked();
        std::vector<Text> expected;
        if (!shown.empty() && shown != NO_LINK_TEXT && clipboard_.writable) expected = {shown};
        Check(Since(clipboard_.writes, writes) == expected, "the copy button copies the shown text",
              {{"shown", shown}});
        Check(shell_.opened.size() == opens, "the copy button opens nothing");
    }

    TextComposer composer_;
    ProgramState state_;
    testing::FakeForm form_;
    testing::FakeClipboard clipboard_;
    testing::FakeShell shell_;
    Converter converter_{state_, form_, clipboard_, shell_};
};

}  // namespace
}  // namespace zelvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    zelvane::Cycle cycle;
    cycle.Run(provider);
    return 0;
}
