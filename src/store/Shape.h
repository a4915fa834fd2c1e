#pragma once
// The shape store: typed, observable arrays ("shapes") that form groups by (id, name, element
// type), stay equal across a group, and run their owner's hook when a change reaches them.
//
// Holding a shape: own it by value as a field and bind the hook right after construction.
//
//     class Panel {
//     public:
//         Panel() { colours_.bind(this, &Panel::onColours); }
//     private:
//         void onColours(int id, const rgba_t* data, uint32_t count, uint32_t oldCount,
//                        uint32_t index, uint32_t oldIndex, int arg);
//         ShapeType<rgba_t, 1000, 108, 1> colours_;        // group (1000, rgba_t)
//         ShapeType<int, -1, 1, 0> enable_{"record.Enable"};  // named: group per name
//     };
//
// Reading: data(), count, selection.index (or index()), current() (throws ShapeException when
// empty). Publishing: set / assign / fill / select with (self, force), or fire, fireAll,
// fireOthers, fireSelf. Other members copy the value and run their hooks on the dispatcher
// thread, or on a window's thread when their owner was given to ShapeBase::attachWindow
// (see ShapeDispatcher.h for the poster the UI layer installs). Private shapes (negative id,
// no name) run their own hook at once on the publishing thread.
//
// Threads: value operations take no lock; write a shape only on the thread its deliveries
// arrive on (its owner's window thread, or the dispatcher thread inside hooks), or set its
// hold() flag so that deliveries leave its value alone. A hook must not destroy its own
// shape's holder; destroying it from another thread waits for a running hook to return.
// Names are kept by pointer: build every member of a named group from one constant that
// outlives it. A group is keyed by id, name and element type.
//
// Tests wait for deliveries with ShapeDispatcher::waitIdle(). Where there is no GUI, a
// ShapeWindowThread stands in for a window (after ShapeWindowThread::installPoster()), so
// window-routed delivery can be tested without Qt. An attached owner is routed until
// ShapeBase::detachWindow or until its last bound shape is destroyed.

#include "store/ShapeBase.h"
#include "store/ShapeBody.h"
#include "store/ShapeChange.h"
#include "store/ShapeDispatcher.h"
#include "store/ShapeException.h"
#include "store/ShapeFlags.h"
#include "store/ShapeList.h"
#include "store/ShapeRegistry.h"
#include "store/ShapeType.h"
#include "store/ShapeWindowThread.h"
