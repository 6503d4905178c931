#pragma once
// /metrics in Prometheus's text format, so a chain of venues watches every site with the
// Prometheus it already runs.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tonel::web {

struct ProcessorFigures {
    std::string name;
    std::string port;
    bool up = false;                         // connected, image read
    std::uint64_t reads = 0;                 // good image reads
    std::uint64_t framesSent = 0;
    std::uint64_t errors = 0;                // failed opens, lost lines, refused replies
    std::optional<double> lastReadSeconds;   // Unix time of the last good read
};

struct ServiceFigures {
    std::vector<ProcessorFigures> processors;
    std::size_t liveClients = 0;  // WebSocket clients
    std::size_t connections = 0;  // every open HTTP or WebSocket connection
};

std::string formatMetrics(const ServiceFigures& figures);

// A label value as the text format wants it: backslash, double quote and newline escaped.
std::string escapeLabelValue(const std::string& value);

}  // namespace tonel::web
