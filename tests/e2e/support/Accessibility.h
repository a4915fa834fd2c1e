#pragma once
// Finds the program's controls by their layout names through the desktop's accessibility bus
// (the same tree a screen reader walks), with their places on the screen.
#include <QDBusConnection>
#include <QRect>
#include <QString>
#include <vector>

namespace e2e {

class Session;

struct Control {
    QString name;   // the layout name
    QString label;  // what a screen reader announces
    QRect screen;   // where it is on the screen
    bool enabled = false;
    bool checked = false;  // checked, or selected for a row
    bool focused = false;
};

class Accessibility {
public:
    explicit Accessibility(const Session& session);
    ~Accessibility();
    // Screen pixels per pixel the bus reports: Qt reports places in its scaled, device
    // independent pixels.
    void SetScale(int factor) { scale_ = factor; }

    // The controls of the program's shown windows with this layout name, top to bottom then
    // left to right. Hidden ones (another page, a closed dialog) are left out.
    std::vector<Control> Find(const QString& name);
    // The first of Find(name); an empty rectangle when there is none.
    Control First(const QString& name);
    // The shown controls a screen reader announces as `label` (tabs, menu entries, buttons).
    std::vector<Control> FindLabelled(const QString& label);
    // The shown list rows of any list (an opened drop-down too) that show `label`.
    std::vector<Control> ListEntries(const QString& label);
    // The rows of the named list view, top to bottom, labelled with what they show.
    std::vector<Control> Rows(const QString& listName);
    // The shown top-level windows of the program, by title.
    std::vector<Control> Windows();

private:
    struct Node {
        QString service;
        QString path;
    };
    bool Connect();
    std::vector<Node> Children(const Node& node);
    QString Property(const Node& node, const char* name);
    // The AT-SPI state bits (two words).
    quint64 States(const Node& node);
    QRect Extents(const Node& node);
    // Walks the shown controls below `node`; `property` is "Description" (the layout name) or
    // "Name" (the label).
    void Collect(const Node& node, const char* property, const QString& value,
                 std::vector<Control>& found, int depth);
    std::vector<Control> FindBy(const char* property, const QString& value);
    // The shown nodes below `node` with an AT-SPI role, depth first.
    void CollectRole(const Node& node, uint role, std::vector<Control>& found, int depth);
    uint Role(const Node& node);
    bool FindNode(const Node& from, const QString& name, Node& found, int depth);
    std::vector<Node> Applications();

    QString sessionAddress_;
    QString connectionName_;
    bool connected_ = false;
    int scale_ = 1;
};

}  // namespace e2e
