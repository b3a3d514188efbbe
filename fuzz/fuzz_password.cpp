// ExtractPassword on arbitrary member lists. The input is cut into members at
// zero bytes (none in the clipboard's text, so they can only mean a cut), or,
// when its first byte is odd, split on "提取码" as the conversion cycle does.
#include <cstdint>
#include <string>
#include <vector>

#include "conversion/password.h"
#include "core/constants.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/password_reference.h"

namespace zelvane {
namespace {

using fuzz::Check;
using namespace reference;

const Text kColon(COLON);
const Text kFullWidthColon(FULL_WIDTH_COLON);

// True when the text has the character at a character start.
bool HasCharacter(const Text& text, const Text& character) {
    return ReferencePositionOf(text, character) != -1;
}

std::string Listed(const std::vector<Text>& members) {
    std::string out;
    for (const Text& member : members) out += "[" + member + "]";
    return out;
}

void CheckPassword(const Text& input, bool likeTheCycle) {
    const Text delimiter = likeTheCycle ? Text(KEYWORD_TIQUMA) : Text(1, '\0');
    const std::vector<Text> members = ReferenceSplit(input, delimiter);

    ProgramState state;
    state.partsArray = SplitOn(input, delimiter);
    Check(MemberCount(state.partsArray) == members.size(), "members of the input",
          {{"input", input}});

    const Text password = ExtractPassword(state);
    const Text expected = ReferenceExtractPassword(members);
    Check(password == expected, "ExtractPassword equals the reference",
          {{"members", Listed(members)}, {"password", password}, {"expected", expected}});
    Check(!HasCharacter(password, kColon) && !HasCharacter(password, kFullWidthColon),
          "no colon left in the password", {{"members", Listed(members)}, {"password", password}});
    Check(password.size() <= (members.empty() ? 0 : members.back().size()),
          "the password comes out of the last member", {{"members", Listed(members)}});

    // What it leaves in partsArray is its last split of the last member.
    const std::vector<Text> lastSplit =
        members.empty() ? std::vector<Text>{} : ReferenceSplitAtPasswordKeyword(members.back());
    Check(MemberCount(state.partsArray) == lastSplit.size() &&
              state.partsArray.Last() == (lastSplit.empty() ? Text() : lastSplit.back()),
          "partsArray holds the last split", {{"members", Listed(members)}});
}

}  // namespace
}  // namespace zelvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        zelvane::CheckPassword({}, false);
        return 0;
    }
    const bool likeTheCycle = (data[0] & 1) != 0;
    const zelvane::Text input(reinterpret_cast<const char*>(data + 1), size - 1);
    zelvane::CheckPassword(input, likeTheCycle);
    return 0;
}
