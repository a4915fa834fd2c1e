#include "Accessibility.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <algorithm>
#include <atomic>

#include "Session.h"

namespace e2e {
namespace {

constexpr const char* kAccessible = "org.a11y.atspi.Accessible";
constexpr const char* kRegistry = "org.a11y.atspi.Registry";
constexpr const char* kRootPath = "/org/a11y/atspi/accessible/root";

constexpr uint kRoleListItem = 32;

// AT-SPI state bits.
constexpr int kStateChecked = 4;
constexpr int kStateEnabled = 8;
constexpr int kStateFocused = 12;
constexpr int kStateSelected = 23;
constexpr int kStateShowing = 25;
constexpr int kStateVisible = 30;

bool Has(quint64 states, int bit) {
    return (states >> bit) & 1U;
}

}  // namespace

Accessibility::Accessibility(const Session& session) : sessionAddress_(session.busAddress()) {
    static std::atomic<int> counter{0};
    connectionName_ = QString("e2e-a11y-%1").arg(counter++);
}

Accessibility::~Accessibility() {
    QDBusConnection::disconnectFromBus(connectionName_);
    QDBusConnection::disconnectFromBus(connectionName_ + "-session");
}

bool Accessibility::Connect() {
    if (connected_) return true;
    QDBusConnection session =
        QDBusConnection::connectToBus(sessionAddress_, connectionName_ + "-session");
    if (!session.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus",
                                                       "org.a11y.Bus", "GetAddress");
    QDBusReply<QString> address = session.call(call, QDBus::Block, 5000);
    if (!address.isValid()) return false;
    connected_ = QDBusConnection::connectToBus(address.value(), connectionName_).isConnected();
    return connected_;
}

std::vector<Accessibility::Node> Accessibility::Children(const Node& node) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(node.service, node.path, kAccessible, "GetChildren");
    QDBusMessage reply = QDBusConnection(connectionName_).call(call, QDBus::Block, 5000);
    std::vector<Node> children;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return children;
    const auto argument = reply.arguments().first().value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        Node child;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> child.service >> path;
        argument.endStructure();
        child.path = path.path();
        children.push_back(child);
    }
    argument.endArray();
    return children;
}

QString Accessibility::Property(const Node& node, const char* name) {
    QDBusMessage call = QDBusMessage::createMethodCall(node.service, node.path,
                                                       "org.freedesktop.DBus.Properties", "Get");
    call << QString(kAccessible) << QString(name);
    QDBusMessage reply = QDBusConnection(connectionName_).call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return reply.arguments().first().value<QDBusVariant>().variant().toString();
}

quint64 Accessibility::States(const Node& node) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(node.service, node.path, kAccessible, "GetState");
    QDBusMessage reply = QDBusConnection(connectionName_).call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return 0;
    const auto argument = reply.arguments().first().value<QDBusArgument>();
    quint64 bits = 0;
    int word = 0;
    argument.beginArray();
    while (!argument.atEnd()) {
        uint value = 0;
        argument >> value;
        if (word < 2) bits |= static_cast<quint64>(value) << (32 * word);
        ++word;
    }
    argument.endArray();
    return bits;
}

QRect Accessibility::Extents(const Node& node) {
    QDBusMessage call = QDBusMessage::createMethodCall(node.service, node.path,
                                                       "org.a11y.atspi.Component", "GetExtents");
    call << uint(0);  // screen coordinates
    QDBusMessage reply = QDBusConnection(connectionName_).call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    const auto argument = reply.arguments().first().value<QDBusArgument>();
    int x = 0, y = 0, w = 0, h = 0;
    argument.beginStructure();
    argument >> x >> y >> w >> h;
    argument.endStructure();
    return QRect(x * scale_, y * scale_, w * scale_, h * scale_);
}

std::vector<Accessibility::Node> Accessibility::Applications() {
    if (!Connect()) return {};
    return Children(Node{kRegistry, kRootPath});
}

void Accessibility::Collect(const Node& node, const char* property, const QString& value,
                            std::vector<Control>& found, int depth) {
    if (depth > 40) return;
    for (const Node& child : Children(node)) {
        const quint64 states = States(child);
        // A hidden subtree (another page, a closed popup) holds nothing a user can reach.
        if (!Has(states, kStateShowing) || !Has(states, kStateVisible)) continue;
        if (Property(child, property) == value) {
            found.push_back(Control{Property(child, "Description"), Property(child, "Name"),
                                    Extents(child), Has(states, kStateEnabled),
                                    Has(states, kStateChecked), Has(states, kStateFocused)});
        }
        Collect(child, property, value, found, depth + 1);
    }
}

std::vector<Control> Accessibility::FindBy(const char* property, const QString& value) {
    std::vector<Control> found;
    for (const Node& app : Applications()) Collect(app, property, value, found, 0);
    std::sort(found.begin(), found.end(), [](const Control& a, const Control& b) {
        return a.screen.top() != b.screen.top() ? a.screen.top() < b.screen.top()
                                                : a.screen.left() < b.screen.left();
    });
    return found;
}

std::vector<Control> Accessibility::Find(const QString& name) {
    return FindBy("Description", name);
}

std::vector<Control> Accessibility::FindLabelled(const QString& label) {
    return FindBy("Name", label);
}

Control Accessibility::First(const QString& name) {
    auto found = Find(name);
    return found.empty() ? Control{name, {}, {}, false, false, false} : found.front();
}

uint Accessibility::Role(const Node& node) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(node.service, node.path, kAccessible, "GetRole");
    QDBusReply<uint> reply = QDBusConnection(connectionName_).call(call, QDBus::Block, 5000);
    return reply.isValid() ? reply.value() : 0;
}

bool Accessibility::FindNode(const Node& from, const QString& name, Node& found, int depth) {
    if (depth > 40) return false;
    for (const Node& child : Children(from)) {
        const quint64 states = States(child);
        if (!Has(states, kStateShowing) || !Has(states, kStateVisible)) continue;
        if (Property(child, "Description") == name) {
            found = child;
            return true;
        }
        if (FindNode(child, name, found, depth + 1)) return true;
    }
    return false;
}

void Accessibility::CollectRole(const Node& node, uint role, std::vector<Control>& found,
                                int depth) {
    if (depth > 40) return;
    for (const Node& child : Children(node)) {
        const quint64 states = States(child);
        if (!Has(states, kStateShowing)) continue;
        if (Role(child) == role)
            found.push_back(Control{Property(child, "Description"), Property(child, "Name"),
                                    Extents(child), Has(states, kStateEnabled),
                                    Has(states, kStateSelected), Has(states, kStateFocused)});
        else
            CollectRole(child, role, found, depth + 1);
    }
}

std::vector<Control> Accessibility::ListEntries(const QString& label) {
    std::vector<Control> rows;
    for (const Node& app : Applications()) CollectRole(app, kRoleListItem, rows, 0);
    std::erase_if(rows, [&](const Control& row) { return row.label != label; });
    return rows;
}

std::vector<Control> Accessibility::Rows(const QString& listName) {
    std::vector<Control> rows;
    for (const Node& app : Applications()) {
        Node list;
        if (!FindNode(app, listName, list, 0)) continue;
        CollectRole(list, kRoleListItem, rows, 0);
        break;
    }
    std::sort(rows.begin(), rows.end(),
              [](const Control& a, const Control& b) { return a.screen.top() < b.screen.top(); });
    return rows;
}

std::vector<Control> Accessibility::Windows() {
    std::vector<Control> windows;
    for (const Node& app : Applications())
        for (const Node& window : Children(app)) {
            const quint64 states = States(window);
            if (!Has(states, kStateShowing) || !Has(states, kStateVisible)) continue;
            windows.push_back(Control{Property(window, "Description"), Property(window, "Name"),
                                      Extents(window), Has(states, kStateEnabled), false,
                                      Has(states, kStateFocused)});
        }
    return windows;
}

}  // namespace e2e
