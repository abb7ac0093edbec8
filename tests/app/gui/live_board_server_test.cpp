#include "app/gui/live_board_server.h"

#include "tests/support/qt_test_application.h"

#include <QApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tallimo::app {
namespace {

constexpr int kWaitMs = 5000;

LiveBoardSnapshot Snapshot(std::uint64_t sequence, const std::string& driver = "ROBERT Hugo",
                           int kartCount = 1) {
    LiveBoardSnapshot snapshot;
    snapshot.sequence = sequence;
    snapshot.elapsed = "0:01:00";
    for (int i = 0; i < kartCount; ++i) {
        LiveBoardKart kart;
        kart.kart = "K" + std::to_string(i + 1);
        kart.driver = driver;
        kart.laps = 3;
        snapshot.karts.push_back(kart);
    }
    return snapshot;
}

class RawClient {
public:
    explicit RawClient(quint16 port) {
        m_socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        QObject::connect(&m_socket, &QTcpSocket::readyRead,
                         [this] { received += m_socket.readAll(); });
    }
    void send(const QByteArray& bytes) { m_socket.write(bytes); }
    bool waitFor(const QByteArray& text) {
        return QTest::qWaitFor([&] { return received.contains(text); }, kWaitMs);
    }
    bool waitForClose() {
        return QTest::qWaitFor(
            [&] { return m_socket.state() == QAbstractSocket::UnconnectedState; }, kWaitMs);
    }
    void abort() { m_socket.abort(); }

    QByteArray received;

private:
    QTcpSocket m_socket;
};

class LiveBoardServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApplication<QApplication>();
        ASSERT_TRUE(server.listen(0)) << server.errorText().toStdString();
        port = server.port();
    }
    bool waitForClients(int count) {
        return QTest::qWaitFor([&] { return server.clientCount() == count; }, kWaitMs);
    }

    LiveBoardServer server;
    quint16 port = 0;
};

TEST_F(LiveBoardServerTest, ServesThePageBuiltIntoTheProgram) {
    RawClient client(port);
    client.send("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
    ASSERT_TRUE(client.waitFor("</html>")) << client.received.toStdString();
    EXPECT_TRUE(client.received.startsWith("HTTP/1.1 200"));
    EXPECT_TRUE(client.received.contains("Content-Type: text/html; charset=utf-8"));
    EXPECT_TRUE(client.received.contains("<title>Tallimo Pistara</title>"));
    EXPECT_TRUE(client.received.contains("new EventSource(\"/events\")"));
    EXPECT_TRUE(server.address().endsWith(QStringLiteral(":%1/").arg(port)));
}

TEST_F(LiveBoardServerTest, StreamStartsWithTheLatestSnapshotThenFollowsEveryPublish) {
    server.publish(Snapshot(7, "RICHARD Zo\xC3\xA9"));
    RawClient client(port);
    client.send("GET /events HTTP/1.1\r\nHost: x\r\nAccept: text/event-stream\r\n\r\n");
    ASSERT_TRUE(client.waitFor("\n\n")) << client.received.toStdString();
    ASSERT_TRUE(client.waitFor("\"sequence\":7,")) << client.received.toStdString();
    const QByteArray head = client.received.left(client.received.indexOf("\r\n\r\n"));
    EXPECT_TRUE(head.startsWith("HTTP/1.1 200"));
    EXPECT_TRUE(head.contains("Content-Type: text/event-stream"));
    EXPECT_FALSE(head.contains("Content-Length"));
    const QByteArray body = client.received.mid(client.received.indexOf("\r\n\r\n") + 4);
    EXPECT_TRUE(body.startsWith("data: {\"sequence\":7,")) << body.toStdString();
    EXPECT_TRUE(body.contains("RICHARD Zo\xC3\xA9"));
    ASSERT_TRUE(waitForClients(1));

    server.publish(Snapshot(8));
    ASSERT_TRUE(client.waitFor("data: {\"sequence\":8,"));
    EXPECT_TRUE(client.received.endsWith("]}\n\n"));
}

TEST_F(LiveBoardServerTest, KeepAliveCommentsKeepAnIdleStreamOpen) {
    server.setKeepAliveInterval(50);
    server.listen(port);
    RawClient client(port);
    client.send("GET /events HTTP/1.1\r\n\r\n");
    ASSERT_TRUE(client.waitFor("\n\n: keep-alive\n\n"));
}

struct RefusedRequest {
    const char* name;
    const char* requestLine;
};

class LiveBoardServerRefuses : public LiveBoardServerTest,
                               public ::testing::WithParamInterface<RefusedRequest> {};

TEST_P(LiveBoardServerRefuses, AnythingButThePageAndTheStreamWith404) {
    RawClient client(port);
    client.send(QByteArray(GetParam().requestLine) +
                " HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n");
    ASSERT_TRUE(client.waitFor("Not found\n")) << client.received.toStdString();
    EXPECT_TRUE(client.received.startsWith("HTTP/1.1 404"));
    EXPECT_EQ(server.clientCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LiveBoardServerRefuses,
    ::testing::Values(RefusedRequest{"other_path", "GET /x"},
                      RefusedRequest{"parent_folder", "GET /../etc/passwd"},
                      RefusedRequest{"encoded_parent_folder", "GET /%2e%2e/"},
                      RefusedRequest{"encoded_slash", "GET /%2e%2e%2fevents"},
                      RefusedRequest{"through_the_page", "GET /index.html/../x"},
                      RefusedRequest{"back_to_the_stream", "GET /x/../events"},
                      RefusedRequest{"working_folder_file", "GET /Private/Session.rent"},
                      RefusedRequest{"post_to_the_page", "POST /"},
                      RefusedRequest{"put_to_the_stream", "PUT /events"},
                      RefusedRequest{"delete", "DELETE /"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(LiveBoardServerTest, GarbageIsClosedAndTheNextClientIsServed) {
    server.setRequestTimeout(200);
    ASSERT_TRUE(server.listen(port));
    RawClient garbage(port);
    garbage.send(QByteArray("\x00\xff\x16\x03 GARBAGE \r\n\r\n\x7f", 18));
    RawClient silent(port);
    ASSERT_TRUE(garbage.waitForClose());
    ASSERT_TRUE(silent.waitForClose());

    RawClient next(port);
    next.send("GET / HTTP/1.1\r\n\r\n");
    EXPECT_TRUE(next.waitFor("</html>"));
}

TEST_F(LiveBoardServerTest, RequestWithAnEndlessBodyIsClosedLongBeforeTheTimeout) {
    RawClient flooding(port);
    flooding.send("POST / HTTP/1.1\r\nContent-Length: 100000000\r\n\r\n");
    flooding.send(QByteArray(1 << 20, 'x'));
    EXPECT_TRUE(flooding.waitForClose());
}

TEST_F(LiveBoardServerTest, ClientThatLeavesMidStreamIsRemoved) {
    RawClient leaving(port);
    RawClient staying(port);
    leaving.send("GET /events HTTP/1.1\r\n\r\n");
    staying.send("GET /events HTTP/1.1\r\n\r\n");
    ASSERT_TRUE(waitForClients(2));
    leaving.abort();
    ASSERT_TRUE(waitForClients(1));
    server.publish(Snapshot(3));
    EXPECT_TRUE(staying.waitFor("\"sequence\":3,"));
    server.close();
    EXPECT_EQ(server.clientCount(), 0);
    EXPECT_TRUE(staying.waitForClose());
}

// A client that never reads: once the kernel's buffers are full its backlog
// grows in the server, which drops it at the limit while a reading client
// goes on receiving.
TEST_F(LiveBoardServerTest, ClientThatNeverReadsIsDroppedAtTheBacklogLimit) {
    const int stalled = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(stalled, 0);
    const int small = 4096;
    ::setsockopt(stalled, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(stalled, reinterpret_cast<const sockaddr*>(&to), sizeof to), 0);
    const char request[] = "GET /events HTTP/1.1\r\n\r\n";
    ASSERT_EQ(::send(stalled, request, sizeof request - 1, 0),
              static_cast<ssize_t>(sizeof request - 1));
    RawClient reading(port);
    reading.send("GET /events HTTP/1.1\r\n\r\n");
    ASSERT_TRUE(waitForClients(2));

    const LiveBoardSnapshot large = Snapshot(1, std::string(1000, 'x'), 60); // about 60 KB
    std::uint64_t sequence = 1;
    for (; sequence < 2000 && server.clientCount() == 2; ++sequence) {
        LiveBoardSnapshot next = large;
        next.sequence = sequence;
        server.publish(next);
        QTest::qWait(1);          // lets the sockets move their bytes
        reading.received.clear(); // keeps the test's memory bounded; the reader still reads
    }
    EXPECT_EQ(server.clientCount(), 1);
    EXPECT_LT(sequence, 2000u);
    server.publish(Snapshot(100000));
    EXPECT_TRUE(reading.waitFor("\"sequence\":100000,"));
    ::close(stalled);
}

TEST(LiveBoardServerListen, ReportsAPortThatIsTaken) {
    testing::EnsureQtApplication<QApplication>();
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::Any, 0));
    LiveBoardServer server;
    EXPECT_FALSE(server.listen(other.serverPort()));
    EXPECT_FALSE(server.errorText().isEmpty());
    EXPECT_FALSE(server.isListening());
}

TEST(LiveBoardServerBacklog, DropsOnlyPastTheLimit) {
    EXPECT_FALSE(StreamBacklogTooLarge(0, kMaxClientBacklog));
    EXPECT_TRUE(StreamBacklogTooLarge(1, kMaxClientBacklog));
    EXPECT_TRUE(StreamBacklogTooLarge(kMaxClientBacklog, 1));
}

} // namespace
} // namespace tallimo::app
