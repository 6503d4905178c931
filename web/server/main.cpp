// tonel-web: holds the venue's processor lines and serves them over HTTP and WebSocket.

#include "web/server/EventLoop.h"
#include "web/server/HttpServer.h"
#include "web/server/ProcessorHub.h"
#include "web/server/WebApi.h"
#include "web/server/WebOptions.h"

#include <boost/asio/signal_set.hpp>

#include <csignal>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace tonel::web;
    std::signal(SIGPIPE, SIG_IGN);  // a client or a device server that drops must not end the service
    const ParsedWebOptions parsed = parseWebOptions(argc, argv);
    if (!parsed.options) {
        (parsed.exitCode == 0 ? std::cout : std::cerr) << parsed.text;
        return parsed.exitCode;
    }
    const WebOptions& options = *parsed.options;

    EventLoop loop;
    ProcessorHub hub(loop, options.processors);
    std::unique_ptr<HttpServer> server;
    WebApi api(hub, options.token ? AccessPolicy(*options.token) : AccessPolicy(), StaticFiles(options.panelFolder),
               [&server] { return server ? server->connections() : 0; });
    try {
        server = std::make_unique<HttpServer>(loop, options.host, options.port, api);
    } catch (const std::exception& e) {
        std::cerr << "tonel-web: " << e.what() << "\n";
        return 1;
    }

    // Stopping: no new clients, a goodbye to every processor, and out within a second whatever
    // a line does.
    boost::asio::signal_set signals(loop.context(), SIGTERM, SIGINT);
    EventLoop::Timer deadline(loop);
    signals.async_wait([&](const boost::system::error_code& error, int) {
        if (error)
            return;
        server->stop();
        deadline.start(std::chrono::milliseconds(900), [&loop] { loop.stop(); });
        hub.finish([&loop] { loop.stop(); });
    });

    hub.start();
    std::cout << "tonel-web: serving " << options.processors.size() << " processor(s) on http://"
              << (options.host.find(':') != std::string::npos ? "[" + options.host + "]" : options.host) << ":"
              << server->port() << "/" << std::endl;
    loop.run();
    server.reset();  // its connections let go of the hub before the hub goes
    return 0;
}
