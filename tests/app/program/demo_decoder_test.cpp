// The demo's decoder through the demo folder's COM7, as the program finds
// it: a real pseudo-terminal, the Qt serial port and identification.

#include "app/core/demo_decoder.h"
#include "app/core/demo_working_folder.h"
#include "common/core/system_clocks.h"
#include "decoder/core/identify_decoder.h"
#include "decoder/gui/qt_serial_port.h"
#include "tests/support/qt_test_application.h"
#include "tests/support/temporary_folder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace tallimo::app {
namespace {

TEST(DemoDecoderTest, TheDemoFolderFindsAVela2UsbDecoderOnItsPort) {
    testing::EnsureQtApplication<QCoreApplication>();
    testing::TemporaryFolder folder;
    const common::WorkingFolder root(folder.path());
    std::string error;
    const auto host = StartDemoDecoder(folder.path(), error);
    ASSERT_TRUE(host) << error;

    common::SystemHighResCounter counter;
    decoder::QtSerialPort port(root);
    const decoder::IdentificationResult identified =
        decoder::IdentifyDecoder(port, counter, root, kDemoPort);
    port.CloseComPort();
    host->stop();
    EXPECT_EQ(identified.settings.connected, 1);
    EXPECT_EQ(identified.settings.comPort, kDemoPort);
    EXPECT_EQ(identified.decoderId, 4321);
}

TEST(DemoDecoderTest, TheSimulatorDrivesEveryDemoKartAndOnlyTheSpareOnesBeforeTheStart) {
    const decoder::sim::DecoderSimulatorHostConfig config = DemoDecoderConfig("/demo");
    const std::vector<DemoKart> karts = DemoKarts();
    ASSERT_EQ(config.decoder.karts.size(), karts.size());
    EXPECT_EQ(config.decoder.trafficStart, decoder::sim::TrafficStart::OnClockReset);
    EXPECT_EQ(config.port, kDemoPort);
    for (std::size_t i = 0; i < karts.size(); ++i) {
        EXPECT_EQ(config.decoder.karts[i].transponder, karts[i].transponder);
        EXPECT_EQ(config.decoder.karts[i].crossesBeforeStart, karts[i].spare)
            << karts[i].transponder;
    }
}

} // namespace
} // namespace tallimo::app
