// The wlroots compositors (sway, Hyprland, river...) tell their clients every toplevel window
// with its app id and whether it is the activated one.
#include <wayland-client.h>

#include <cstring>
#include <map>
#include <memory>

#include "focus/DescriptorThread.h"
#include "focus/FrontWatch.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace focus {

namespace {

using Handle = zwlr_foreign_toplevel_handle_v1;

class WlrootsFrontWindow : public FrontWatch {
public:
    WlrootsFrontWindow(wl_display* display, FrontHandler handler)
        : display_(display), handler_(std::move(handler)) {}

    ~WlrootsFrontWindow() override {
        thread_.reset();
        for (auto& [handle, toplevel] : toplevels_) zwlr_foreign_toplevel_handle_v1_destroy(handle);
        if (manager_) zwlr_foreign_toplevel_manager_v1_destroy(manager_);
        if (registry_) wl_registry_destroy(registry_);
        wl_display_disconnect(display_);
    }

    // False when the compositor does not offer the protocol.
    bool Start() {
        registry_ = wl_display_get_registry(display_);
        wl_registry_add_listener(registry_, &kRegistry, this);
        if (wl_display_roundtrip(display_) < 0 || !manager_) return false;
        // The toplevels and their states arrive with the next round.
        if (wl_display_roundtrip(display_) < 0) return false;
        Report();
        thread_ = std::make_unique<DescriptorThread>(wl_display_get_fd(display_), [this] {
            if (wl_display_dispatch(display_) < 0) return false;
            wl_display_flush(display_);
            return true;
        });
        return true;
    }

private:
    struct Toplevel {
        std::string appId;
        bool activated = false;
        // What the compositor sends is applied at its "done".
        std::string pendingAppId;
        bool pendingActivated = false;
    };

    void Report() {
        std::vector<std::string> names;
        for (const auto& [handle, toplevel] : toplevels_)
            if (toplevel.activated && !toplevel.appId.empty()) names = {toplevel.appId};
        if (names == reported_) return;
        reported_ = names;
        handler_(names);
    }

    static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version) {
        auto* self = static_cast<WlrootsFrontWindow*>(data);
        if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) != 0) return;
        self->manager_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
            registry, name, &zwlr_foreign_toplevel_manager_v1_interface, std::min(version, 3u)));
        zwlr_foreign_toplevel_manager_v1_add_listener(self->manager_, &kManager, self);
    }
    static void GlobalRemove(void*, wl_registry*, std::uint32_t) {}

    static void NewToplevel(void* data, zwlr_foreign_toplevel_manager_v1*, Handle* handle) {
        auto* self = static_cast<WlrootsFrontWindow*>(data);
        self->toplevels_[handle];
        zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kToplevel, self);
    }
    static void Finished(void* data, zwlr_foreign_toplevel_manager_v1*) {
        static_cast<WlrootsFrontWindow*>(data)->manager_ = nullptr;
    }

    static void Title(void*, Handle*, const char*) {}
    static void AppId(void* data, Handle* handle, const char* appId) {
        static_cast<WlrootsFrontWindow*>(data)->toplevels_[handle].pendingAppId = appId;
    }
    static void OutputEnter(void*, Handle*, wl_output*) {}
    static void OutputLeave(void*, Handle*, wl_output*) {}
    static void State(void* data, Handle* handle, wl_array* states) {
        bool activated = false;
        const auto* state = static_cast<const std::uint32_t*>(states->data);
        for (std::size_t i = 0; i < states->size / sizeof *state; ++i)
            activated = activated || state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
        static_cast<WlrootsFrontWindow*>(data)->toplevels_[handle].pendingActivated = activated;
    }
    static void Done(void* data, Handle* handle) {
        auto* self = static_cast<WlrootsFrontWindow*>(data);
        Toplevel& toplevel = self->toplevels_[handle];
        if (!toplevel.pendingAppId.empty()) toplevel.appId = toplevel.pendingAppId;
        toplevel.activated = toplevel.pendingActivated;
        self->Report();
    }
    static void Closed(void* data, Handle* handle) {
        auto* self = static_cast<WlrootsFrontWindow*>(data);
        self->toplevels_.erase(handle);
        zwlr_foreign_toplevel_handle_v1_destroy(handle);
        self->Report();
    }
    static void Parent(void*, Handle*, Handle*) {}

    static constexpr wl_registry_listener kRegistry{Global, GlobalRemove};
    static constexpr zwlr_foreign_toplevel_manager_v1_listener kManager{NewToplevel, Finished};
    static constexpr zwlr_foreign_toplevel_handle_v1_listener kToplevel{
        Title, AppId, OutputEnter, OutputLeave, State, Done, Closed, Parent};

    wl_display* display_;
    FrontHandler handler_;
    wl_registry* registry_ = nullptr;
    zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
    std::map<Handle*, Toplevel> toplevels_;
    std::vector<std::string> reported_{"\n"};  // nothing reported yet
    std::unique_ptr<DescriptorThread> thread_;
};

}  // namespace

std::unique_ptr<FrontWatch> WatchWlroots(FrontHandler handler) {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return nullptr;
    auto watch = std::make_unique<WlrootsFrontWindow>(display, std::move(handler));
    if (!watch->Start()) return nullptr;
    return watch;
}

}  // namespace focus
