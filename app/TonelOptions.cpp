#include "app/TonelOptions.h"

#include "app/NativeNames.h"
#include "device/Fleet.h"

#include <QCommandLineParser>

#include <algorithm>

namespace tonel {

namespace {
// The options, declared once for parsing and for the help text.
struct TonelParser {
    QCommandLineParser parser;
    const QCommandLineOption help{{"h", "help"}, QStringLiteral("Shows this help and exits.")};
    const QCommandLineOption version{{"v", "version"}, QStringLiteral("Shows the version and exits.")};
    const QCommandLineOption demo{"demo", QStringLiteral("Attaches the built-in virtual processor; no other port is tried.")};
    const QCommandLineOption port{"port",
                                  QStringLiteral("A port to try, in order (repeatable): a tty path, tcp://HOST:PORT, "
                                                 "rfc2217://HOST:PORT or a room of the fleet file. Without it the "
                                                 "machine's serial devices are tried."),
                                  QStringLiteral("PORT")};
    const QCommandLineOption fleet{"fleet",
                                   QStringLiteral("The fleet file naming the venue's rooms (default: $TONEL_FLEET, else "
                                                  "~/.config/tonel/fleet, else /etc/tonel/fleet)."),
                                   QStringLiteral("FILE")};

    TonelParser()
    {
        parser.setApplicationDescription(
            QStringLiteral("Tonel Controller: the control panel of a Tonel karaoke processor.\n"
                           "Qt's own options (-platform NAME, -style NAME, ...) work as in every Qt program."));
        parser.addOptions({help, version, demo, fleet, port});
        parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A parameter file to load at start."),
                                     QStringLiteral("[FILE.cfg]"));
    }
};

TonelOptionsResult failure(const std::string& why)
{
    return {std::nullopt, "tonel: " + why + "; " + kTonelUsage};
}

std::string parseError(const QCommandLineParser& parser)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        return "unknown option '" + std::string(name.size() == 1 ? "-" : "--") + nativeNameBytes(name) + "'";
    }
    if (parser.errorText().contains(QStringLiteral("'--port'")))
        return "--port needs a device";
    if (parser.errorText().contains(QStringLiteral("'--fleet'")))
        return "--fleet needs a file";
    QString text = parser.errorText();  // "Unexpected value after '--demo'."
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.left(1).toLower().toStdString() + text.mid(1).toStdString();
}

// Replaces each room name among the ports by its port. The fleet file is read only when --fleet
// names one or a port is not a path or URL, so a machine without a fleet starts as before.
std::string resolveRooms(TonelOptions& options, const std::optional<std::string>& fleetFile)
{
    const bool roomNamed = std::any_of(options.ports.begin(), options.ports.end(),
                                       [](const std::string& port) { return namesARoom(port); });
    if (!fleetFile && !roomNamed)
        return {};
    const FleetLoad load = loadLocatedFleet(fleetFile);
    if (!load.error.empty())
        return load.error;
    const std::optional<Fleet>& fleet = load.fleet;
    for (std::size_t i = 0; i < options.ports.size(); ++i) {
        const ResolvedPort resolved = resolvePort(options.ports[i], fleet ? &*fleet : nullptr);
        if (!resolved.error.empty())
            return resolved.error;
        options.ports[i] = resolved.port;
    }
    return {};
}
}  // namespace

TonelOptionsResult parseTonelOptions(const std::vector<std::string>& args)
{
    QStringList texts{QStringLiteral("tonel")};
    for (const std::string& arg : args)
        texts += nativeNameText(arg);
    TonelParser p;
    if (!p.parser.parse(texts))
        return failure(parseError(p.parser));

    TonelOptions options;
    options.help = p.parser.isSet(p.help);
    options.version = p.parser.isSet(p.version);
    options.demo = p.parser.isSet(p.demo);
    for (const QString& port : p.parser.values(p.port)) {
        if (port.isEmpty())
            return failure("--port needs a device");
        options.ports.push_back(nativeNameBytes(port));
    }
    const QStringList files = p.parser.positionalArguments();
    if (files.size() > 1)
        return failure("more than one file given ('" + nativeNameBytes(files[1]) + "')");
    if (!files.isEmpty() && files[0].isEmpty())
        return failure("the file name is empty");
    if (!files.isEmpty())
        options.file = nativeNameBytes(files[0]);
    if (p.parser.isSet(p.fleet) && p.parser.value(p.fleet).isEmpty())
        return failure("--fleet needs a file");
    const std::optional<std::string> fleetFile =
        p.parser.isSet(p.fleet) ? std::optional(nativeNameBytes(p.parser.value(p.fleet))) : std::nullopt;
    if (std::string why = resolveRooms(options, fleetFile); !why.empty())
        return failure(why);
    return {options, {}};
}

std::string tonelHelpText()
{
    const QString text = TonelParser().parser.helpText();
    // The usage line names the program as it is installed, not as this run was started.
    return "Usage: tonel [options] [FILE.cfg]" + text.mid(text.indexOf(QLatin1Char('\n'))).toStdString();
}

std::string tonelVersionText() { return std::string("tonel ") + TONEL_VERSION + "\n"; }

}  // namespace tonel
