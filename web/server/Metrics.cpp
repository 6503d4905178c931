#include "web/server/Metrics.h"

#include <cstdio>
#include <functional>

namespace tonel::web {
namespace {

void family(std::string& out, const char* name, const char* type, const char* help)
{
    out += std::string("# HELP ") + name + " " + help + "\n# TYPE " + name + " " + type + "\n";
}

std::string labels(const ProcessorFigures& p)
{
    return "{name=\"" + escapeLabelValue(p.name) + "\",port=\"" + escapeLabelValue(p.port) + "\"}";
}

void perProcessor(std::string& out, const ServiceFigures& figures, const char* name, const char* type,
                  const char* help, const std::function<std::optional<std::string>(const ProcessorFigures&)>& value)
{
    family(out, name, type, help);
    for (const ProcessorFigures& p : figures.processors) {
        if (const std::optional<std::string> v = value(p))
            out += name + labels(p) + " " + *v + "\n";
    }
}

std::string count(std::uint64_t n) { return std::to_string(n); }

}  // namespace

std::string escapeLabelValue(const std::string& value)
{
    std::string out;
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string formatMetrics(const ServiceFigures& figures)
{
    std::string out;
    perProcessor(out, figures, "tonel_processor_up", "gauge",
                 "1 while the processor's line is connected and its settings read, else 0.",
                 [](const ProcessorFigures& p) { return std::optional(std::string(p.up ? "1" : "0")); });
    perProcessor(out, figures, "tonel_processor_reads_total", "counter", "Good reads of the processor's settings.",
                 [](const ProcessorFigures& p) { return std::optional(count(p.reads)); });
    perProcessor(out, figures, "tonel_processor_frames_sent_total", "counter", "Frames sent to the processor.",
                 [](const ProcessorFigures& p) { return std::optional(count(p.framesSent)); });
    perProcessor(out, figures, "tonel_processor_errors_total", "counter",
                 "Failed opens, lost lines and refused replies.",
                 [](const ProcessorFigures& p) { return std::optional(count(p.errors)); });
    perProcessor(out, figures, "tonel_processor_last_read_timestamp_seconds", "gauge",
                 "Unix time of the last good read of the processor's settings.",
                 [](const ProcessorFigures& p) -> std::optional<std::string> {
                     if (!p.lastReadSeconds)
                         return std::nullopt;
                     char text[32];
                     std::snprintf(text, sizeof text, "%.3f", *p.lastReadSeconds);
                     return std::string(text);
                 });
    family(out, "tonel_web_live_clients", "gauge", "Browsers and scripts following a processor live.");
    out += "tonel_web_live_clients " + std::to_string(figures.liveClients) + "\n";
    family(out, "tonel_web_connections", "gauge", "Open HTTP and WebSocket connections.");
    out += "tonel_web_connections " + std::to_string(figures.connections) + "\n";
    return out;
}

}  // namespace tonel::web
