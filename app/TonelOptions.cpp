#include "app/TonelOptions.h"

#include "app/NativeNames.h"

#include <QCommandLineParser>

namespace tonel {

namespace {
// The options, declared once for parsing and for the help text.
struct TonelParser {
    QCommandLineParser parser;
    const QCommandLineOption help{{"h", "help"}, QStringLiteral("Shows this help and exits.")};
    const QCommandLineOption version{{"v", "version"}, QStringLiteral("Shows the version and exits.")};
    const QCommandLineOption demo{"demo", QStringLiteral("Attaches the built-in virtual processor; no other port is tried.")};
    const QCommandLineOption port{"port",
                                  QStringLiteral("A port to try, in order (repeatable): a tty path, tcp://HOST:PORT or "
                                                 "rfc2217://HOST:PORT. Without it the machine's serial devices are tried."),
                                  QStringLiteral("PORT")};

    TonelParser()
    {
        parser.setApplicationDescription(
            QStringLiteral("Tonel Controller: the control panel of a Tonel karaoke processor.\n"
                           "Qt's own options (-platform NAME, -style NAME, ...) work as in every Qt program."));
        parser.addOptions({help, version, demo, port});
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
    QString text = parser.errorText();  // "Unexpected value after '--demo'."
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.left(1).toLower().toStdString() + text.mid(1).toStdString();
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
