#pragma once
// "stimage": a picture that reports the pixel under a left click. The picture is read at
// its own size, so the layout gives the widget the size of its picture.
#include <cstdint>
#include <memory>

#include "ui/SWindow.h"

namespace SOUI {

class SSImage : public SWindow {
    SOUI_CLASS_NAME(SWindow, "stimage")
public:
    class IFuncProxy {
    public:
        virtual ~IFuncProxy() = default;
        // x and y are host window coordinates; the pixel's bytes are blue, green, red and
        // alpha from the lowest byte up, 0 when the click missed the picture.
        virtual void OnPixel(LPARAM lParam, int x, int y, const std::uint32_t* pixel) = 0;
    };

    template <class Owner>
    class FuncProxy : public IFuncProxy {
    public:
        using Fn = void (Owner::*)(LPARAM, int, int, const std::uint32_t*);
        FuncProxy(Owner* owner, Fn fn) : m_owner(owner), m_fn(fn) {}
        void OnPixel(LPARAM lParam, int x, int y, const std::uint32_t* pixel) override {
            if (m_owner && m_fn) (m_owner->*m_fn)(lParam, x, y, pixel);
        }

    private:
        Owner* m_owner;
        Fn m_fn;
    };

    SSImage() = default;
    // The widget owns the callback; a new one replaces and deletes the old.
    void SetFuncProxy(IFuncProxy* proxy) { m_proxy.reset(proxy); }
    // Reads the picture's pixel at a point of the widget; 0 outside the picture.
    std::uint32_t PixelAt(QPoint widgetPoint) const;
    // A left button press at host window coordinates.
    void OnLButtonDown(LPARAM lParam, QPoint hostPoint);

protected:
    void OnPaint(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<IFuncProxy> m_proxy;
};

}  // namespace SOUI
