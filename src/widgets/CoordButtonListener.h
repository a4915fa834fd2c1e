#pragma once
// What the key map picture tells its owner: clicks on keys and the keys selected.
#include <vector>

#include "records/CoordButtonInfo.h"

namespace SOUI {

class ICoordButtonListener {
public:
    virtual ~ICoordButtonListener() = default;
    // A press (released 0) or release (released 1) on a key; x and y are widget
    // coordinates. True when the owner handled the click.
    virtual bool OnItemClick(int id, int order, const CoordButtonInfo& key, int released,
                             int reserved, int x, int y) = 0;
    // Copies of the selected keys, in key order.
    virtual void OnSelectionChanged(const std::vector<CoordButtonInfo>& selected) = 0;
};

// Forwards to members of the owner; an operation without a member does nothing (a click
// then counts as not handled).
template <class Owner>
class ListenerProxy : public ICoordButtonListener {
public:
    using ClickFn = bool (Owner::*)(int, int, const CoordButtonInfo&, int, int, int, int);
    using SelectionFn = void (Owner::*)(const std::vector<CoordButtonInfo>&);

    ListenerProxy(Owner* owner, ClickFn click, SelectionFn selection)
        : m_owner(owner), m_click(click), m_selection(selection) {}

    bool OnItemClick(int id, int order, const CoordButtonInfo& key, int released, int reserved,
                     int x, int y) override {
        return m_owner && m_click && (m_owner->*m_click)(id, order, key, released, reserved, x, y);
    }
    void OnSelectionChanged(const std::vector<CoordButtonInfo>& selected) override {
        if (m_owner && m_selection) (m_owner->*m_selection)(selected);
    }

private:
    Owner* m_owner;
    ClickFn m_click;
    SelectionFn m_selection;
};

}  // namespace SOUI
