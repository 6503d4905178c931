#include "tools/tonelctl/Sessions.h"

namespace tonel::ctl {

PortOutcome session(const std::string& port, const PortOptions& options, const SessionWork& work)
{
    ProcessorExchange exchange(port, options.timing);
    if (std::string why = exchange.greet(); !why.empty())
        return failure(why);
    PortOutcome outcome = work(exchange);
    if (std::string why = exchange.finish(); !why.empty() && outcome.ok) {
        outcome.ok = false;
        outcome.detail = why;
    }
    return outcome;
}

PortOutcome readSession(const std::string& port, const PortOptions& options, ParameterImage& image)
{
    return session(port, options, [&](ProcessorExchange& exchange) {
        const std::string why = exchange.readImage(image);
        return why.empty() ? success({}) : failure(why);
    });
}

}  // namespace tonel::ctl
