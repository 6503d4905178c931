// tonel [--demo] [--port DEVICE]... [FILE.cfg], and Qt's own options

#include "app/Application.h"
#include "app/DisplayCheck.h"
#include "app/TerminationSignals.h"
#include "app/TonelOptions.h"

#include <QApplication>

#include <clocale>
#include <iostream>

namespace {
// Help, version or a wrong command line end the run before any window: true, with the exit code.
bool endsAtTheCommandLine(const tonel::TonelOptionsResult& parsed, int& code)
{
    if (!parsed.options) {
        std::cerr << parsed.error << '\n';
        code = 2;
    } else if (parsed.options->help) {
        std::cout << tonel::tonelHelpText();
        code = 0;
    } else if (parsed.options->version) {
        std::cout << tonel::tonelVersionText();
        code = 0;
    } else {
        return false;
    }
    return true;
}

tonel::TonelOptionsResult parseArguments(int argc, char** argv)
{
    return tonel::parseTonelOptions(std::vector<std::string>(argv + 1, argv + argc));
}
}  // namespace

int main(int argc, char** argv)
{
    using namespace tonel;
    int code = 0;
    if (const std::string noDisplay = missingDisplayMessage(argc, argv); !noDisplay.empty()) {
        // No window can open, but help and version need none.
        if (endsAtTheCommandLine(parseArguments(argc, argv), code))
            return code;
        std::cerr << noDisplay << '\n';
        return 1;
    }
    TerminationSignals::block();  // before Qt or the port start a thread

    QApplication application(argc, argv);  // takes Qt's own options (-platform, -style) out of argv
    std::setlocale(LC_NUMERIC, "C");       // Qt adopted the desktop's locale; numbers keep the point
    const TonelOptionsResult parsed = parseArguments(argc, argv);  // the bytes as given: names need not be UTF-8
    if (endsAtTheCommandLine(parsed, code))
        return code;
    Application tonel;
    TerminationSignals stopSignals([&tonel] {
        tonel.closeMainWindow();
        QApplication::exit(0);  // also ends a message box or file dialog that is open
    });
    QString error;
    if (!tonel.start(*parsed.options, &error)) {
        std::cerr << "tonel: " << error.toStdString() << '\n';
        return 1;
    }
    if (!tonel.mainWindow()->isVisible())
        return 0;  // a signal during start-up (a message box was open) already closed it
    return application.exec();
}
