#pragma once
// Where a scenario's programs run: an X desktop or a Wayland compositor, each with its own
// session bus. The environment the program gets there, on top of `base`.
#include <QProcessEnvironment>
#include <QString>

namespace e2e {

class Session {
public:
    virtual ~Session() = default;
    virtual QProcessEnvironment Environment(QProcessEnvironment base) const = 0;
    virtual QString busAddress() const = 0;
};

}  // namespace e2e
