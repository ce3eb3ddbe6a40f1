#include "platform/app/single_instance.h"

#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

namespace vellum {

namespace {

// An activation message: this tag, the payload length (4 bytes, big-endian), then the origin and
// the handed-over file in UTF-8 with a zero byte between them (a path never holds one). The
// length is bounded, so that a stray writer cannot make the instance hold on to a flood.
const QByteArray Tag = QByteArrayLiteral("VHA1");
constexpr int HeaderBytes = 8;
constexpr quint32 MaxPayloadBytes = 64 * 1024;
// The instance answers with this byte once it has read the message.
constexpr char Ack = '\x06';

// A start that finds the activated instance gone looks again this often before it ends anyway.
constexpr int ActivationAttempts = 3;
constexpr int ConnectMs = 3000;
constexpr int WriteMs = 3000;
// The instance answers from its event loop, which a long load may keep busy: a start that waited
// this long takes the message as delivered rather than hand the file over twice.
constexpr int AnswerMs = 10000;

// The settings file, then each handed-over file, each ended by a NUL, which no path holds.
QByteArray encodeActivation(const QString& origin, const QStringList& handOff) {
    QByteArray payload = origin.toUtf8();
    for (const QString& file : handOff)
        payload += '\0' + file.toUtf8();
    if (handOff.isEmpty())
        payload += '\0';
    QByteArray message = Tag;
    message.resize(HeaderBytes);
    qToBigEndian(static_cast<quint32>(payload.size()), message.data() + Tag.size());
    return message + payload;
}

enum class Parse { Incomplete, Broken, Done };

Parse decodeActivation(const QByteArray& bytes, QString& origin, QStringList& handOff) {
    if (bytes.size() < HeaderBytes)
        return bytes == Tag.left(bytes.size()) ? Parse::Incomplete : Parse::Broken;
    if (!bytes.startsWith(Tag))
        return Parse::Broken;
    const quint32 length = qFromBigEndian<quint32>(bytes.constData() + Tag.size());
    if (length > MaxPayloadBytes)
        return Parse::Broken;
    if (static_cast<quint32>(bytes.size()) < HeaderBytes + length)
        return Parse::Incomplete;
    const QByteArray payload = bytes.mid(HeaderBytes, static_cast<int>(length));
    const int split = payload.indexOf('\0');
    if (split < 0)
        return Parse::Broken;
    origin = QString::fromUtf8(payload.left(split));
    handOff.clear();
    for (const QByteArray& file : payload.mid(split + 1).split('\0'))
        handOff << QString::fromUtf8(file);
    return Parse::Done;
}

} // namespace

SingleInstance::SingleInstance(QString registryFolder, QObject* parent)
    : QObject(parent), m_registry(std::move(registryFolder)) {}

SingleInstance::~SingleInstance() {
    withdraw();
}

bool SingleInstance::isRegistered() const {
    return m_server && m_server->isListening();
}

void SingleInstance::CheckPrevInstances() {
    // An instance in the registry already would count itself among the others.
    if (isRegistered())
        return;
    m_quit = false;
    m_problem.clear();
    bool handled = false;
    for (int attempt = 1; attempt <= ActivationAttempts; ++attempt) {
        InstanceRegistry::Admission found =
            m_registry.admit(m_allowed, InstanceRegistry::Join::WhenAllowed);
        m_count = static_cast<int>(found.others.size()) + 1;
        if (found.server || !found.error.isEmpty()) {
            // Within the allowed number; or the registry cannot be used, and then the others
            // cannot be found either: this instance runs.
            adopt(found);
            return;
        }
        if (!handled && m_onExceeded)
            m_onExceeded(this, m_count, m_action);
        handled = true;
        const bool restores = m_action == TUnoFoundAction::unofaRestoreAndQuit ||
                              m_action == TUnoFoundAction::unofaRestore;
        // The newest instance is the one brought forward. When it ended meanwhile and this start
        // would end too, its hand-off would be lost: look again instead.
        if (restores && !found.others.isEmpty() &&
            activate(found.others.last()) == Delivery::Unreachable &&
            m_action == TUnoFoundAction::unofaRestoreAndQuit)
            continue;
        break;
    }
    if (m_action == TUnoFoundAction::unofaRestoreAndQuit ||
        m_action == TUnoFoundAction::unofaQuit) {
        m_quit = true;
        return;
    }
    // It keeps running beside the others: the starts after it count it too.
    InstanceRegistry::Admission joined =
        m_registry.admit(m_allowed, InstanceRegistry::Join::Always);
    adopt(joined);
}

SingleInstance::Delivery SingleInstance::activate(const QString& socketPath) const {
    QLocalSocket out;
    out.connectToServer(socketPath);
    if (!out.waitForConnected(ConnectMs))
        return Delivery::Unreachable;
    out.write(encodeActivation(m_origin, m_handOff));
    while (out.bytesToWrite() > 0) {
        if (!out.waitForBytesWritten(WriteMs))
            return Delivery::Unreachable;
    }
    // Waited for in an event loop of its own rather than blocking, so that an instance in this
    // same process (a test, or several guards) can answer as well.
    QEventLoop loop;
    QTimer patience;
    patience.setSingleShot(true);
    connect(&out, &QLocalSocket::readyRead, &loop, &QEventLoop::quit);
    connect(&out, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    connect(&out, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    connect(&patience, &QTimer::timeout, &loop, &QEventLoop::quit);
    patience.start(AnswerMs);
    if (out.bytesAvailable() == 0 && out.state() == QLocalSocket::ConnectedState)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (out.bytesAvailable() > 0)
        return out.read(1) == QByteArray(1, Ack) ? Delivery::Delivered : Delivery::Unreachable;
    // Closed without an answer: the instance ended before it read the message. Still no answer
    // after all that time: it is alive but busy, and will read it.
    return patience.isActive() ? Delivery::Unreachable : Delivery::Delivered;
}

void SingleInstance::adopt(InstanceRegistry::Admission& admission) {
    m_problem = admission.error;
    m_server = std::move(admission.server);
    if (!m_server)
        return;
    m_server->setParent(nullptr);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::takeConnections);
    takeConnections();
}

void SingleInstance::takeConnections() {
    // The probes of other starts connect and leave without a word; their sockets are gone.
    m_waiting.removeIf([](const QPointer<QLocalSocket>& socket) { return socket.isNull(); });
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        m_waiting << socket;
        if (m_accepting)
            listenTo(socket);
    }
}

void SingleInstance::acceptActivations() {
    if (m_accepting)
        return;
    m_accepting = true;
    for (const QPointer<QLocalSocket>& socket : m_waiting) {
        if (socket)
            listenTo(socket);
    }
}

void SingleInstance::listenTo(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
    readFrom(socket);
}

void SingleInstance::readFrom(QLocalSocket* socket) {
    QString origin;
    QStringList handOff;
    // Peeked, not read: a message arrives in pieces, and only a whole one is taken.
    const Parse parse =
        decodeActivation(socket->peek(HeaderBytes + MaxPayloadBytes), origin, handOff);
    if (parse == Parse::Incomplete)
        return;
    m_waiting.removeAll(socket);
    if (parse == Parse::Broken) {
        socket->abort();
        return;
    }
    socket->readAll();
    socket->write(QByteArray(1, Ack));
    socket->flush();
    socket->disconnectFromServer();
    for (const QString& file : handOff)
        emit activated(origin, file);
}

void SingleInstance::withdraw() {
    // Closing the server removes its socket, so later starts no longer count this instance.
    m_server.reset();
    for (const QPointer<QLocalSocket>& socket : m_waiting) {
        if (socket)
            socket->abort();
    }
    m_waiting.clear();
}

} // namespace vellum
