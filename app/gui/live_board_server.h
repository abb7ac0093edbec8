#pragma once

// The drivers' board on the track's network: one static page and a stream of
// server-sent events carrying the latest snapshot's JSON. The server is
// read-only and has no file access at all; it never sees the session, only
// the snapshots the main window publishes. Everything runs on the GUI
// thread, so publish() stays cheap: one serialisation, then one write per
// client from the event loop; a client that stops reading is dropped before
// its backlog grows past kMaxClientBacklog.

#include "app/core/live_board_snapshot.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QtHttpServer/QHttpServerRequest>

#include <memory>
#include <utility>
#include <vector>

class QHttpServer;
class QHttpServerResponder;
class QTcpServer;
class QTcpSocket;

namespace tallimo::app {

enum class LiveBoardRoute { Page, Events, NotFound };

// Only two exact paths are served, to GET alone; `encodedPath` is the path as
// the client sent it, so no decoding or normalising can turn a crafted path
// into one of them.
LiveBoardRoute LiveBoardRouteOf(QHttpServerRequest::Method method, const QByteArray& encodedPath);

constexpr qint64 kMaxClientBacklog = 256 * 1024;
// Whether a client with `queued` bytes not yet sent must be dropped rather
// than given `adding` more.
constexpr bool StreamBacklogTooLarge(qint64 queued, qint64 adding) {
    return queued + adding > kMaxClientBacklog;
}

// One server-sent event holding `json`.
QByteArray LiveBoardEvent(const std::string& json);

class LiveBoardServer : public QObject {
    Q_OBJECT
public:
    explicit LiveBoardServer(QObject* parent = nullptr);
    ~LiveBoardServer() override;

    // On every interface; false, with errorText(), when the port is taken.
    // Port 0 takes any free port (see port()).
    bool listen(quint16 port);
    void close();
    bool isListening() const;
    quint16 port() const;
    QString errorText() const { return m_error; }
    // "http://192.168.1.20:8080/": the first IPv4 address of the machine
    // that is not the loopback, else 127.0.0.1.
    QString address() const;

    void publish(const LiveBoardSnapshot& snapshot);
    int clientCount() const { return static_cast<int>(m_clients.size()); }

    // Connections that send no complete request in this time are closed
    // (a client that sends garbage or nothing holds no socket for long).
    void setRequestTimeout(int milliseconds) { m_requestTimeoutMs = milliseconds; }
    void setKeepAliveInterval(int milliseconds);

signals:
    void clientCountChanged(int count);

private:
    struct StreamClient;

    void answer(const QHttpServerRequest& request, QHttpServerResponder&& responder);
    void startStream(QHttpServerResponder&& responder);
    void queue(const QByteArray& bytes);
    void fanOutSlice();
    void removeClient(QTcpSocket* socket);
    void watchConnection(QTcpSocket* socket);

    std::unique_ptr<QHttpServer> m_http;
    QPointer<QTcpServer> m_tcp;
    std::vector<std::unique_ptr<StreamClient>> m_clients;
    QByteArray m_latestEvent;
    QTimer m_keepAlive;
    // Bytes published since the last round began; the round being written.
    QByteArray m_pending;
    QByteArray m_round;
    std::vector<std::pair<QPointer<QTcpSocket>, qsizetype>> m_roundTargets;
    std::size_t m_roundNext = 0;
    QTimer m_fanOut;
    QString m_error;
    int m_requestTimeoutMs = 30000;
};

} // namespace tallimo::app
