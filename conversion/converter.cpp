#include "conversion/converter.h"

#include <array>
#include <string_view>

#include "conversion/password.h"
#include "conversion/url_to_open.h"
#include "core/constants.h"

namespace zelvane {
namespace {

constexpr std::array<std::string_view, 4> kPasswordKeywords = {
    KEYWORD_TIQUMA, KEYWORD_MIMA, KEYWORD_FENXIANGMA, KEYWORD_FANGWENMA};

bool ContainsPasswordKeyword(std::string_view text) {
    for (std::string_view keyword : kPasswordKeywords) {
        if (Contains(text, keyword)) return true;
    }
    return false;
}

bool HasScheme(std::string_view text) {
    return Contains(text, "https://") || Contains(text, "http://");
}

// Each marker is looked for on its own, anywhere in the text.
bool HasServiceMarkers(std::string_view text) {
    return Contains(text, "ww") && Contains(text, SERVICE_LABEL) && Contains(text, ".com") &&
           Contains(text, "/");
}

}  // namespace

Converter::Converter(ProgramState& state, Form& form, Clipboard& clipboard, Shell& shell)
    : state_(state), form_(form), clipboard_(clipboard), shell_(shell) {}

void Converter::ConversionCycle() {
    state_.partsArray = {};
    std::optional<Text> read = ReadChangedClipboard();
    if (!read) return;
    Reassign(state_.clipboardText, std::move(*read));
    if (CompareBytewise(state_.clipboardText, state_.lastClipboardText) == 0) return;
    Reassign(state_.lastClipboardText, state_.clipboardText);

    TakeSharePassword();
    state_.partsArray = {};
    Reassign(state_.rebuiltLink, Text());  // lets a huge link of an earlier tick go

    if (!HasScheme(state_.clipboardText)) {
        form_.SetText(Control::编辑框_转换后, Text(NO_LINK_TEXT));
        return;
    }
    if (!HasServiceMarkers(state_.clipboardText)) return;
    if (!RebuildLinkWithDomain()) return;
    ShowRebuiltLink();
    const Text linkToOpen = LinkBeforePasswordKeyword();
    CopyConvertedLinkIfChosen();
    OpenLinkIfChosen(linkToOpen);
}

void Converter::OnCopyButtonClicked() {
    const Text shown = form_.GetText(Control::编辑框_转换后);
    if (shown.empty() || shown == NO_LINK_TEXT) return;
    WriteClipboard(shown);
}

// Nothing when the clipboard could not be read, or when its change count
// shows that it still holds the text read last time: an idle tick then costs
// the same whatever the clipboard holds. A failed read records no count, so
// the next tick reads again.
std::optional<Text> Converter::ReadChangedClipboard() {
    const std::uint32_t count = clipboard_.ChangeCount();
    if (knownChangeCount_ == count) return std::nullopt;
    std::optional<Text> text = clipboard_.ReadText();
    if (text) knownChangeCount_ = count;
    return text;
}

// What the program writes itself is not a new copy: the next tick finds the
// text it wrote and ends there.
void Converter::WriteClipboard(Text text) {
    if (clipboard_.WriteText(text)) Reassign(state_.lastClipboardText, std::move(text));
}

// Runs for every changed text, link or not. The text is split on "提取码"
// whichever keyword it holds.
void Converter::TakeSharePassword() {
    if (!ContainsPasswordKeyword(state_.clipboardText)) return;
    state_.partsArray = SplitOn(state_.clipboardText, KEYWORD_TIQUMA);
    Reassign(state_.sharePassword, ExtractPassword(state_));
}

// A share link has exactly four "/"-separated pieces: scheme, empty, host,
// share code. Only the host changes, to the text of 编辑框1 whatever it is.
// Splits are let go as soon as they are used: with a huge text, every copy
// alive at once counts.
bool Converter::RebuildLinkWithDomain() {
    state_.partsArray = SplitOn(state_.clipboardText, "/");
    if (MemberCount(state_.partsArray) != 4) return false;
    const Text domain = form_.GetText(Control::编辑框1);
    const TextArray& parts = state_.partsArray;
    Reassign(state_.rebuiltLink, JoinTexts({parts.Member(1), "/", parts.Member(2), "/", domain, "/",
                                            parts.Member(4), "/"}));
    state_.partsArray = {};
    return true;
}

// The rebuilt link without its final "/"; then the text as the box holds it.
void Converter::ShowRebuiltLink() {
    const auto length = static_cast<std::int64_t>(ByteLength(state_.rebuiltLink));
    form_.SetText(Control::编辑框_转换后, LeftBytes(state_.rebuiltLink, length - 1));
    Reassign(state_.clipboardText, form_.GetText(Control::编辑框_转换后));
}

// The part of the converted text before its password keyword, or empty.
Text Converter::LinkBeforePasswordKeyword() {
    if (!ContainsPasswordKeyword(state_.rebuiltLink)) return {};
    state_.partsArray = SplitAtPasswordKeyword(state_.clipboardText);
    Text link = state_.partsArray.Member(1);  // empty when there is no member
    state_.partsArray = {};
    return link;
}

void Converter::CopyConvertedLinkIfChosen() {
    if (form_.IsChecked(Control::选择框3)) WriteClipboard(form_.GetText(Control::编辑框_转换后));
}

// Only an http(s) URL is handed to the shell, never a program path that a
// share text may begin with.
void Converter::OpenLinkIfChosen(const Text& linkToOpen) {
    if (!form_.IsChecked(Control::选择框4)) return;
    if (form_.IsChecked(Control::选择框5)) WriteClipboard(state_.sharePassword);
    const Text url = DropSpaces(linkToOpen).empty()
                         ? UrlToOpen(form_.GetText(Control::编辑框_转换后))
                         : UrlToOpen(linkToOpen);
    if (!url.empty()) shell_.ShellOpen(url);
}

}  // namespace zelvane
