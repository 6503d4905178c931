// /metrics as Prometheus reads it.

#include "web/server/Metrics.h"

#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

TEST(Metrics, GivesEveryProcessorItsFiguresAndEscapesLabels)
{
    web::ServiceFigures figures;
    figures.processors.push_back({"room01", "tcp://10.1.0.11:4001", true, 3, 120, 1, 1765200000.5});
    figures.processors.push_back({"odd\"name", "/dev/tty\\x\n", false, 0, 0, 4, std::nullopt});
    figures.liveClients = 2;
    figures.connections = 5;
    const std::string text = web::formatMetrics(figures);
    for (const char* line :
         {"# TYPE tonel_processor_up gauge\n",
          "tonel_processor_up{name=\"room01\",port=\"tcp://10.1.0.11:4001\"} 1\n",
          "tonel_processor_up{name=\"odd\\\"name\",port=\"/dev/tty\\\\x\\n\"} 0\n",
          "# TYPE tonel_processor_reads_total counter\n",
          "tonel_processor_reads_total{name=\"room01\",port=\"tcp://10.1.0.11:4001\"} 3\n",
          "tonel_processor_frames_sent_total{name=\"room01\",port=\"tcp://10.1.0.11:4001\"} 120\n",
          "tonel_processor_errors_total{name=\"odd\\\"name\",port=\"/dev/tty\\\\x\\n\"} 4\n",
          "tonel_processor_last_read_timestamp_seconds{name=\"room01\",port=\"tcp://10.1.0.11:4001\"} 1765200000.500\n",
          "tonel_web_live_clients 2\n", "tonel_web_connections 5\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.find("last_read_timestamp_seconds{name=\"odd"), std::string::npos);  // never read: no sample
}

}  // namespace
}  // namespace tonel::testing
