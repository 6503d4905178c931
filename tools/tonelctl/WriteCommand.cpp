// write: one file to every processor named, or a folder of backups back to the rooms they came from.

#include "tools/tonelctl/Commands.h"
#include "tools/tonelctl/ImageFiles.h"
#include "tools/tonelctl/Outcomes.h"
#include "tools/tonelctl/Sessions.h"
#include "device/WireProtocol.h"
#include "model/ParameterChange.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace tonel::ctl {
namespace {

namespace fs = std::filesystem;

// Which file goes to which processor.
struct WritePlan {
    std::vector<PortTarget> targets;
    std::vector<std::string> files;  // one per target
    bool skipped = false;            // a file of the folder had no room
};

// The .cfg files in `folder`, by name.
std::vector<fs::path> imageFilesIn(const std::string& folder)
{
    std::vector<fs::path> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".cfg" && entry.is_regular_file(error))
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// A folder: with --port or --all, each target's file as read names it; otherwise every NAME.cfg
// of a room, in the order of the fleet file, and the files of no room reported and left out.
std::optional<WritePlan> folderPlan(const PortOptions& options, const std::string& folder, const Console& console,
                                    int& code)
{
    WritePlan plan;
    if (!options.ports.empty() || options.all) {
        auto targets = namedTargets(options, console, code);
        if (!targets)
            return std::nullopt;
        plan.targets = std::move(*targets);
        for (const PortTarget& target : plan.targets)
            plan.files.push_back((fs::path(folder) / target.fileName()).lexically_normal().string());
        return plan;
    }
    std::optional<Fleet> fleet;
    if (!loadChosenFleet(options, fleet, console, code))
        return std::nullopt;
    if (!fleet) {
        code = console.fail("a folder goes back to the rooms of a fleet file, and none is set up: give --fleet FILE, "
                            "or --port for each file",
                            kExitUsage);
        return std::nullopt;
    }
    const std::vector<fs::path> found = imageFilesIn(folder);
    for (const FleetEntry& entry : fleet->entries) {
        const auto file = std::find(found.begin(), found.end(), fs::path(folder) / (entry.name + ".cfg"));
        if (file != found.end()) {
            plan.targets.push_back({entry.name, entry.port});
            plan.files.push_back(file->lexically_normal().string());
        } else {
            console.err << "tonelctl: " << entry.name << ": no " << entry.name << ".cfg in " << printable(folder)
                        << "; left as it is\n";
        }
    }
    for (const fs::path& file : found) {
        if (!fleet->find(file.stem().string())) {
            console.fail(file.lexically_normal().string() + ": no room \"" + file.stem().string() + "\" in " +
                             fleet->source + "; not written",
                         kExitFailed);
            plan.skipped = true;
        }
    }
    if (plan.targets.empty()) {
        code = console.fail(folder + ": no NAME.cfg of a room of " + fleet->source, kExitFailed);
        return std::nullopt;
    }
    return plan;
}

// Every file loaded and checked before any port opens: bytes outside their ranges are listed,
// and refused unless forced (a processor given them would act on values no panel can show).
std::optional<std::map<std::string, ParameterImage>> loadChecked(const std::vector<std::string>& files, bool force,
                                                                 const Console& console, int& code)
{
    std::map<std::string, ParameterImage> images;
    bool outOfRange = false;
    for (const std::string& file : files) {
        if (images.contains(file))
            continue;
        ParameterImage image;
        if (std::string error = loadImageFile(file, image); !error.empty()) {
            code = console.fail(error, kExitFailed);
            return std::nullopt;
        }
        for (const std::string& fault : bytesOutOfRange(image))
            console.fail(file + ": " + fault, kExitFailed);
        outOfRange = outOfRange || !bytesOutOfRange(image).empty();
        images.emplace(file, image);
    }
    if (outOfRange && !force) {
        code = console.fail("nothing written: bytes lie outside their ranges (--force sends them as they are)",
                            kExitFailed);
        return std::nullopt;
    }
    return images;
}

// What a failed write to several ports leaves: which got the image and which did not.
void reportReach(const std::vector<PortTarget>& targets, const std::vector<PortOutcome>& outcomes,
                 const Console& console)
{
    std::string got, missed;
    std::size_t count = 0;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        (outcomes[i].ok ? got : missed) += " " + targets[i].label();
        count += outcomes[i].ok ? 1 : 0;
    }
    console.err << "tonelctl: the image reached " << count << " of " << targets.size()
                << " ports:" << printable(got.empty() ? " none" : got) << "; not:" << printable(missed) << '\n';
}

}  // namespace

int writeCommand(const PortOptions& options, const std::string& source, WriteChoices choices, const Console& console)
{
    int code = kExitOk;
    WritePlan plan;
    const bool fromFolder = isFolder(source);
    std::optional<std::map<std::string, ParameterImage>> images;
    if (fromFolder) {
        auto folder = folderPlan(options, source, console, code);
        if (!folder)
            return code;
        plan = std::move(*folder);
        images = loadChecked(plan.files, choices.force, console, code);
    } else {
        // The file is checked first: a bad one needs no port at all. It is read once, so "-" works.
        images = loadChecked({source}, choices.force, console, code);
        if (!images)
            return code;
        auto targets = chooseTargets(options, console, code);
        if (!targets)
            return code;
        plan.targets = std::move(*targets);
        plan.files.assign(plan.targets.size(), source);
    }
    if (!images)
        return code;

    const auto outcomes = runAndReport(plan.targets, options, console, [&](std::size_t i, const std::string& port) {
        const std::string& file = plan.files[i];
        const ParameterImage& image = images->at(file);
        return session(port, options, [&](ProcessorExchange& exchange) {
            if (options.dryRun) {
                ParameterImage current;
                if (std::string why = exchange.readImage(current); !why.empty())
                    return failure(why);
                std::vector<std::string> frames{wire::uploadFrame(image)};
                if (choices.store)
                    frames.emplace_back(wire::kStore);
                return success("dry run: " + file + " not sent", file, {}, Preview{frames, current, image});
            }
            if (std::string why = exchange.upload(image); !why.empty())
                return failure(why, file);
            const std::string from = fromFolder ? " from " + file : "";
            if (!choices.store)
                return success("image written" + from, file);
            exchange.send(std::string(wire::kStore));
            return success("image written and stored" + from, file);
        });
    }, code);
    if (code != kExitOk && plan.targets.size() > 1 && !options.dryRun)
        reportReach(plan.targets, outcomes, console);
    return plan.skipped ? kExitFailed : code;
}

}  // namespace tonel::ctl
