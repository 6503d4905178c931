#pragma once
// One proper session with a processor around a piece of work: greeting, the work, goodbye.

#include "tools/tonelctl/Commands.h"
#include "tools/tonelctl/PortRunner.h"
#include "tools/tonelctl/ProcessorExchange.h"

#include <functional>
#include <string>

namespace tonel::ctl {

using SessionWork = std::function<PortOutcome(ProcessorExchange&)>;

// Greets, runs `work` and says goodbye; the first failure is the outcome.
PortOutcome session(const std::string& port, const PortOptions& options, const SessionWork& work);

// A session that reads the processor's image into `image`.
PortOutcome readSession(const std::string& port, const PortOptions& options, ParameterImage& image);

inline PortOutcome success(std::string detail, std::optional<std::string> file = {},
                           std::optional<std::size_t> changes = {}, std::optional<Preview> preview = {})
{
    return {true, std::move(detail), std::move(file), changes, std::move(preview)};
}
inline PortOutcome failure(std::string why, std::optional<std::string> file = {})
{
    return {false, std::move(why), std::move(file), {}, {}};
}

// A count with its noun: "1 command", "3 commands".
inline std::string counted(std::size_t n, const std::string& noun)
{
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

}  // namespace tonel::ctl
