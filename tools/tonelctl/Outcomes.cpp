#include "tools/tonelctl/Outcomes.h"

#include "tools/tonelctl/Listing.h"

#include <nlohmann/json.hpp>
#include <sstream>

namespace tonel::ctl {
namespace {

using Json = nlohmann::ordered_json;

template <class T>
Json orNull(const std::optional<T>& value)
{
    return value ? Json(*value) : Json(nullptr);
}

// The differences as diff --json gives them, so a script reads a dry run like a diff.
Json differencesJson(const Preview& preview)
{
    std::ostringstream listed;
    printDifferences(listed, preview.before, preview.after, true);
    return Json::parse(listed.str());
}

}  // namespace

OutcomeReport::OutcomeReport(const std::vector<PortTarget>& targets, bool json, const Console& console)
    : targets_(targets), json_(json), console_(console)
{
}

void OutcomeReport::printPreview(const PortTarget& target, const Preview& preview) const
{
    const std::string label = printable(target.label());
    console_.out << "# " << label << ": " << preview.frames.size() << " frame"
                 << (preview.frames.size() == 1 ? "" : "s") << " would be sent\n";
    for (const std::string& frame : preview.frames)
        console_.out << printable(frame) << '\n';
    console_.out << "# " << label << ": what they would change (processor -> after)\n";
    printDifferences(console_.out, preview.before, preview.after, false);
}

void OutcomeReport::operator()(std::size_t index, const PortOutcome& outcome)
{
    const PortTarget& target = targets_.at(index);
    if (json_) {
        Json line = {{"port", target.port},
                     {"name", target.name.empty() ? Json(nullptr) : Json(target.name)},
                     {"ok", outcome.ok},
                     {"detail", outcome.detail},
                     {"file", orNull(outcome.file)},
                     {"changes", orNull(outcome.changes)}};
        if (outcome.preview) {
            line["frames"] = outcome.preview->frames;
            line["differences"] = differencesJson(*outcome.preview);
        }
        // Names and details are the user's bytes: never let an invalid sequence end the output.
        console_.out << line.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
    } else {
        if (outcome.preview)
            printPreview(target, *outcome.preview);
        console_.out << printable(target.label()) << '\t' << (outcome.ok ? "ok" : "failed") << '\t'
                     << printable(outcome.detail) << '\n';
    }
    console_.out.flush();  // a script reading the pipe sees each room as it finishes
    if (!outcome.ok)
        code_ = console_.fail(target.described() + ": " + outcome.detail, kExitFailed);
}

std::vector<PortOutcome> runAndReport(const std::vector<PortTarget>& targets, const PortOptions& options,
                                      const Console& console, const PortJob& job, int& code)
{
    OutcomeReport report(targets, options.json, console);
    std::vector<PortOutcome> outcomes =
        runOnPorts(portsOf(targets), job, [&report](std::size_t i, const PortOutcome& o) { report(i, o); });
    code = report.exitCode();
    return outcomes;
}

}  // namespace tonel::ctl
