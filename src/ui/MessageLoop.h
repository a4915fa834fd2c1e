#pragma once
// Lets widgets see the UI thread's mouse input before it is dispatched, as window messages.
#include <QObject>
#include <QPointF>
#include <vector>

#include "ui/WinDefs.h"

namespace SOUI {

class IMessageFilter {
public:
    virtual ~IMessageFilter() = default;
    // Returning true consumes the message.
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;
};

class SMessageLoop : public QObject {
public:
    SMessageLoop();
    ~SMessageLoop() override;
    void AddMessageFilter(IMessageFilter* filter);
    void RemoveMessageFilter(IMessageFilter* filter);
    // Offers one message to the filters in registration order.
    bool PreTranslate(MSG& msg);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<IMessageFilter*> m_filters;
    // A mouse event travels up the parents as copies with the same time stamp, position and
    // buttons; each input is translated once.
    struct InputKey {
        int type = 0;
        quint64 timestamp = 0;
        QPointF global;
        int button = 0;
        bool operator==(const InputKey&) const = default;
    };
    InputKey m_last;
};

}  // namespace SOUI
