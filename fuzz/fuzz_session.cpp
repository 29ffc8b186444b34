// Fuzz target for the graph work file's reader: any bytes are read without a crash, and a file
// it accepts is written back and read again to the same state, written the same way.

#include "fuzz_support.h"
#include "session/graph_session.h"

#include <string>
#include <string_view>
#include <variant>

using namespace quarnis;
using quarnis::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto first
        = readGraphSession(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto* session = std::get_if<GraphSession>(&first);
    if (!session) {
        const auto& error = std::get<GraphSessionError>(first);
        check(!error.reason.empty(), "a refusal says why");
        check(error.line > 0 || size > kMaxGraphSessionBytes, "a refusal names its line");
        return 0;
    }
    const std::string written = writeGraphSession(*session);
    const auto again = readGraphSession(written);
    const auto* back = std::get_if<GraphSession>(&again);
    check(back != nullptr, "what was accepted is written readably");
    check(back && *back == *session, "what was accepted reads back to the same state");
    check(back && writeGraphSession(*back) == written, "the same state is written the same way");
    return 0;
}
