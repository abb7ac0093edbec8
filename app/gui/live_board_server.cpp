#include "app/gui/live_board_server.h"

#include "app/gui/live_board_page.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtHttpServer/QHttpServer>
#include <QtHttpServer/QHttpServerResponder>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace tallimo::app {
namespace {

constexpr int kKeepAliveMs = 15000;
constexpr std::size_t kClientsPerSlice = 50;
const char* const kKeepAliveComment = ": keep-alive\n\n";

// Hands every accepted socket to the board server before the HTTP server
// takes it, so that connections that never make a request can be closed.
class WatchedTcpServer : public QTcpServer {
public:
    explicit WatchedTcpServer(std::function<void(QTcpSocket*)> watch) : m_watch(std::move(watch)) {}

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        m_watch(socket);
        addPendingConnection(socket);
    }

private:
    std::function<void(QTcpSocket*)> m_watch;
};

const char* const kStreamProperty = "tallimoLiveBoardStream";
// Bytes the kernel may hold for one stream client (Linux doubles it).
constexpr int kStreamSendBuffer = 32 * 1024;
const char* const kDroppingProperty = "tallimoLiveBoardDropping";
constexpr qint64 kMaxRequestBytes = 64 * 1024;

} // namespace

struct LiveBoardServer::StreamClient {
    StreamClient(QHttpServerResponder&& r, QTcpSocket* s, qsizetype from)
        : responder(std::move(r)), socket(s), pendingFrom(from) {}
    QHttpServerResponder responder; // kept for the life of the stream
    QPointer<QTcpSocket> socket;
    // Where its share of the pending bytes starts: a client that joined
    // after some were queued already has them in its first event.
    qsizetype pendingFrom = 0;
};

LiveBoardRoute LiveBoardRouteOf(QHttpServerRequest::Method method, const QByteArray& encodedPath) {
    if (method != QHttpServerRequest::Method::Get)
        return LiveBoardRoute::NotFound;
    if (encodedPath == "/")
        return LiveBoardRoute::Page;
    if (encodedPath == "/events")
        return LiveBoardRoute::Events;
    return LiveBoardRoute::NotFound;
}

QByteArray LiveBoardEvent(const std::string& json) {
    QByteArray event;
    event.reserve(static_cast<qsizetype>(json.size()) + 8);
    event.append("data: ");
    event.append(json.data(), static_cast<qsizetype>(json.size()));
    event.append("\n\n");
    return event;
}

LiveBoardServer::LiveBoardServer(QObject* parent) : QObject(parent) {
    m_keepAlive.setInterval(kKeepAliveMs);
    connect(&m_keepAlive, &QTimer::timeout, this, [this] { queue(QByteArray(kKeepAliveComment)); });
    m_fanOut.setSingleShot(true);
    m_fanOut.setInterval(0);
    connect(&m_fanOut, &QTimer::timeout, this, &LiveBoardServer::fanOutSlice);
}

LiveBoardServer::~LiveBoardServer() {
    close();
}

void LiveBoardServer::setKeepAliveInterval(int milliseconds) {
    m_keepAlive.setInterval(milliseconds);
}

bool LiveBoardServer::listen(quint16 port) {
    close();
    m_error.clear();
    auto tcp = std::make_unique<WatchedTcpServer>([this](QTcpSocket* s) { watchConnection(s); });
    if (!tcp->listen(QHostAddress::Any, port)) {
        m_error = tcp->errorString();
        return false;
    }
    m_http = std::make_unique<QHttpServer>();
    m_http->setMissingHandler(
        [this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
            answer(request, std::move(responder));
        });
    m_tcp = tcp.get();
    m_http->bind(tcp.release()); // the HTTP server owns it from here
    m_keepAlive.start();
    return true;
}

void LiveBoardServer::close() {
    m_keepAlive.stop();
    m_fanOut.stop();
    m_pending.clear();
    m_round.clear();
    m_roundTargets.clear();
    m_roundNext = 0;
    const bool hadClients = !m_clients.empty();
    for (const auto& client : m_clients) {
        if (client->socket)
            client->socket->disconnect(this);
    }
    m_clients.clear();
    m_http.reset(); // takes the listening socket and every connection with it
    if (hadClients)
        emit clientCountChanged(0);
}

bool LiveBoardServer::isListening() const {
    return m_tcp && m_tcp->isListening();
}

quint16 LiveBoardServer::port() const {
    return m_tcp ? m_tcp->serverPort() : 0;
}

QString LiveBoardServer::address() const {
    QHostAddress host(QHostAddress::LocalHost);
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const auto entries = interface.addressEntries();
        const auto found = std::find_if(entries.begin(), entries.end(), [](const auto& entry) {
            return entry.ip().protocol() == QAbstractSocket::IPv4Protocol &&
                   !entry.ip().isLoopback();
        });
        if (found != entries.end()) {
            host = found->ip();
            break;
        }
    }
    return QStringLiteral("http://%1:%2/").arg(host.toString()).arg(port());
}

void LiveBoardServer::publish(const LiveBoardSnapshot& snapshot) {
    m_latestEvent = LiveBoardEvent(LiveBoardJson(snapshot));
    queue(m_latestEvent);
}

// publish() runs inside the timing tick, so it only queues; the writes go
// out from the event loop, a slice of clients at a time, so that neither
// the tick nor the next one waits for two hundred sockets.
void LiveBoardServer::queue(const QByteArray& bytes) {
    if (m_clients.empty())
        return;
    m_pending += bytes;
    if (!m_fanOut.isActive())
        m_fanOut.start();
}

void LiveBoardServer::fanOutSlice() {
    if (m_roundTargets.empty()) {
        if (m_pending.isEmpty())
            return;
        m_round = std::exchange(m_pending, QByteArray());
        for (const auto& client : m_clients) {
            m_roundTargets.emplace_back(client->socket, client->pendingFrom);
            client->pendingFrom = 0;
        }
        m_roundNext = 0;
    }
    const std::size_t end = std::min(m_roundNext + kClientsPerSlice, m_roundTargets.size());
    // Dropping aborts the socket, whose signals come at once and would change
    // the client list: the slow clients are gathered first.
    std::vector<QTcpSocket*> slow;
    for (std::size_t i = m_roundNext; i < end; ++i) {
        QTcpSocket* socket = m_roundTargets[i].first;
        const qsizetype from = m_roundTargets[i].second;
        if (socket == nullptr || socket->state() != QAbstractSocket::ConnectedState ||
            from >= m_round.size())
            continue;
        const QByteArray bytes = from == 0 ? m_round : m_round.mid(from);
        if (StreamBacklogTooLarge(socket->bytesToWrite(), bytes.size()))
            slow.push_back(socket);
        else
            socket->write(bytes);
    }
    m_roundNext = end;
    if (m_roundNext >= m_roundTargets.size()) {
        m_roundTargets.clear();
        m_round.clear();
        m_roundNext = 0;
    }
    for (QTcpSocket* socket : slow) {
        removeClient(socket);
        socket->abort();
    }
    if (!m_roundTargets.empty() || !m_pending.isEmpty())
        m_fanOut.start();
}

void LiveBoardServer::answer(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    const QByteArray path = request.url().path(QUrl::FullyEncoded).toUtf8();
    switch (LiveBoardRouteOf(request.method(), path)) {
    case LiveBoardRoute::Page:
        responder.write(LiveBoardPage(), {{"Content-Type", "text/html; charset=utf-8"},
                                          {"Cache-Control", "no-cache"},
                                          {"X-Content-Type-Options", "nosniff"}});
        return;
    case LiveBoardRoute::Events:
        startStream(std::move(responder));
        return;
    case LiveBoardRoute::NotFound:
        break;
    }
    responder.write(QByteArrayLiteral("Not found\n"),
                    {{"Content-Type", "text/plain; charset=utf-8"}},
                    QHttpServerResponder::StatusCode::NotFound);
}

void LiveBoardServer::startStream(QHttpServerResponder&& responder) {
    QTcpSocket* socket = responder.socket();
    socket->setProperty(kStreamProperty, true);
    // A small kernel send buffer: otherwise a client that never reads
    // parks megabytes in the kernel before the backlog limit above sees any.
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kStreamSendBuffer);
    responder.writeStatusLine(QHttpServerResponder::StatusCode::Ok);
    responder.writeHeaders({{"Content-Type", "text/event-stream"},
                            {"Cache-Control", "no-cache"},
                            {"X-Accel-Buffering", "no"}});
    // The first event is the board as it stands, so a new client shows it at once.
    responder.writeBody(m_latestEvent.isEmpty() ? QByteArray(kKeepAliveComment) : m_latestEvent);
    connect(socket, &QAbstractSocket::disconnected, this, [this, socket] { removeClient(socket); });
    connect(socket, &QObject::destroyed, this, [this, socket] { removeClient(socket); });
    m_clients.push_back(
        std::make_unique<StreamClient>(std::move(responder), socket, m_pending.size()));
    emit clientCountChanged(clientCount());
}

void LiveBoardServer::removeClient(QTcpSocket* socket) {
    const auto before = m_clients.size();
    // A socket already destroyed has a null QPointer: those go too.
    std::erase_if(m_clients, [socket](const auto& client) {
        return client->socket == nullptr || client->socket == socket;
    });
    if (m_clients.size() != before)
        emit clientCountChanged(clientCount());
}

void LiveBoardServer::watchConnection(QTcpSocket* socket) {
    const auto drop = [socket] {
        socket->abort();
        socket->deleteLater();
    };
    QTimer::singleShot(m_requestTimeoutMs, socket, [socket, drop] {
        if (!socket->property(kStreamProperty).toBool())
            drop();
    });
    // The HTTP server would take in a request body of any length: no request
    // to this server is more than a few lines, so a connection that sends
    // more is dropped. This runs before the server reads what came; the drop
    // waits until it has, so it never reads from a closed socket.
    auto received = std::make_shared<qint64>(0);
    connect(socket, &QIODevice::readyRead, socket, [socket, received, drop] {
        *received += socket->bytesAvailable();
        if (*received > kMaxRequestBytes && !socket->property(kDroppingProperty).toBool()) {
            socket->setProperty(kDroppingProperty, true);
            QTimer::singleShot(0, socket, drop);
        }
    });
}

} // namespace tallimo::app
