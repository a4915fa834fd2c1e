#pragma once
// Binds one colour panel: a spectrum picture, eight preset swatches and the automatic
// choice, a preview and three read-only value fields, all inside one container. Every
// choice is shown and reported to the listener as a red-low 32-bit colour; 0 is automatic.
#include <array>
#include <cstdint>
#include <memory>

#include "ui/Events.h"
#include "ui/WidgetIds.h"
#include "ui/WinDefs.h"

namespace SOUI {
class SWindow;
class SSImage;
}  // namespace SOUI

class ColorPanel {
public:
    class IProxy {
    public:
        virtual ~IProxy() = default;
        virtual void OnColor(std::uint32_t rgba) = 0;
    };

    template <class Owner>
    class Listener : public IProxy {
    public:
        using Fn = void (Owner::*)(std::uint32_t);
        Listener(Owner* owner, Fn fn) : m_owner(owner), m_fn(fn) {}
        void OnColor(std::uint32_t rgba) override {
            if (m_owner && m_fn) (m_owner->*m_fn)(rgba);
        }

    private:
        Owner* m_owner;
        Fn m_fn;
    };

    // Radio ids of the automatic choice and the eight swatches, consecutive.
    static constexpr int kFirstSwatchId = SOUI::kAutoColourId;
    static constexpr int kSwatchCount = 9;
    // The colour of a swatch by its position from the automatic choice; 0 past the end.
    static std::uint32_t SwatchColor(int position);

    ColorPanel() = default;
    virtual ~ColorPanel() = default;
    ColorPanel(const ColorPanel&) = delete;
    ColorPanel& operator=(const ColorPanel&) = delete;

    // Finds the panel's widgets inside the container and subscribes to them.
    void Init(SOUI::SWindow* container, SOUI::HWND hwnd);
    // The panel owns its listener; a new one replaces and deletes the old.
    void SetListener(IProxy* listener) { m_listener.reset(listener); }
    // The panel handles no events of its own.
    virtual bool OnEvent(SOUI::EventArgs*) { return false; }

    // Shows a colour the keyboard holds (0: the automatic choice) without reporting it; the
    // swatch of that colour, if any, is framed.
    void Display(std::uint32_t rgba);

    // A click on a swatch reports its colour, whether it was framed or not.
    bool OnSwatch(SOUI::EventCmd* e);
    void OnPick(SOUI::LPARAM lParam, int x, int y, const std::uint32_t* pixel);

    SOUI::SWindow* AutoRadio() const { return m_auto; }
    SOUI::SSImage* Pad() const { return m_pad; }

private:
    void ShowColor(std::uint32_t rgba);
    void ShowValues(std::uint32_t rgba);

    SOUI::HWND m_hwnd = SOUI::kNoWindow;
    SOUI::SSImage* m_pad = nullptr;
    SOUI::SWindow* m_preview = nullptr;
    SOUI::SWindow* m_red = nullptr;
    SOUI::SWindow* m_green = nullptr;
    SOUI::SWindow* m_blue = nullptr;
    SOUI::SWindow* m_auto = nullptr;
    std::unique_ptr<IProxy> m_listener;
    std::array<SOUI::SWindow*, kSwatchCount> m_swatches{};
};
