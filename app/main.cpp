// tonel [--demo] [--port DEVICE]... [FILE.cfg]

#include "app/Application.h"
#include "app/DisplayCheck.h"
#include "app/TerminationSignals.h"
#include "app/TonelOptions.h"

#include <QApplication>

#include <clocale>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace tonel;
    const TonelOptionsResult parsed = parseTonelOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::cerr << parsed.error << '\n';
        return 2;
    }
    if (parsed.options->help) {
        std::cout << kTonelUsage << '\n';
        return 0;
    }
    if (const std::string noDisplay = missingDisplayMessage(); !noDisplay.empty()) {
        std::cerr << noDisplay << '\n';
        return 1;
    }
    TerminationSignals::block();  // before Qt or the port start a thread

    int qtArgc = 1;  // the command line is ours alone
    QApplication application(qtArgc, argv);
    std::setlocale(LC_NUMERIC, "C");  // Qt adopted the desktop's locale; numbers keep the point
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
