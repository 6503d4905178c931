#pragma once
// Each port's outcome as it finishes: the line "LABEL<TAB>ok|failed<TAB>DETAIL" on stdout (LABEL
// the room, else the port), failures also on stderr; with --json one object per port as one line
// instead: {"port", "name", "ok", "detail", "file", "changes"}. A dry run adds the frames it would
// send and what they would change, before the line (text) or inside the object (JSON).

#include "tools/tonelctl/PortRunner.h"
#include "tools/tonelctl/Targets.h"

#include <vector>

namespace tonel::ctl {

class OutcomeReport {
public:
    OutcomeReport(const std::vector<PortTarget>& targets, bool json, const Console& console);

    // A PortFinished: called one port at a time; writes and flushes that port's report.
    void operator()(std::size_t index, const PortOutcome& outcome);
    // 0 when every port succeeded so far, 1 otherwise.
    int exitCode() const { return code_; }

private:
    void printPreview(const PortTarget& target, const Preview& preview) const;

    const std::vector<PortTarget>& targets_;
    bool json_;
    const Console& console_;
    int code_ = kExitOk;
};

// `job` on every target at once, each reported as it finishes; the outcomes in target order and
// the exit code in `code`.
std::vector<PortOutcome> runAndReport(const std::vector<PortTarget>& targets, const PortOptions& options,
                                      const Console& console, const PortJob& job, int& code);

}  // namespace tonel::ctl
