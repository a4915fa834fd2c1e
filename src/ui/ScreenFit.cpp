#include "ui/ScreenFit.h"

#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "ui/BasicControls.h"
#include "ui/SWindow.h"

namespace SOUI {
namespace {

const char* const kScrollerName = "host_scroller";

template <class Bar>
Bar* BarOf(SWindow* root) {
    for (QObject* child : root->children())
        if (auto* bar = dynamic_cast<Bar*>(child)) return bar;
    return nullptr;
}

// The bar follows what is shown, as wide as the view, along its top or bottom edge and above
// the content.
void PinToView(QScrollArea* scroller, QWidget* bar, bool bottom) {
    if (!bar) return;
    QScrollBar* across = scroller->horizontalScrollBar();
    QScrollBar* down = scroller->verticalScrollBar();
    auto keepInView = [scroller, bar, bottom, across, down] {
        const QWidget* view = scroller->viewport();
        const int top = down->value() + (bottom ? view->height() - bar->height() : 0);
        bar->setGeometry(across->value(), top, view->width(), bar->height());
        bar->raise();
    };
    for (QScrollBar* scrollBar : {across, down}) {
        QObject::connect(scrollBar, &QScrollBar::valueChanged, bar, keepInView);
        QObject::connect(scrollBar, &QScrollBar::rangeChanged, bar, keepInView);
    }
}

QScrollArea* MakeScroller(QWidget* frame, SWindow* root, QSize design) {
    auto* scroller = new QScrollArea(frame);
    scroller->setObjectName(kScrollerName);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(false);
    root->resize(design);
    scroller->setWidget(root);
    PinToView(scroller, BarOf<SCaption>(root), false);
    PinToView(scroller, BarOf<SFooter>(root), true);
    scroller->show();
    return scroller;
}

}  // namespace

QWidget* ScrollerOf(const QWidget* frame) {
    return frame ? frame->findChild<QScrollArea*>(kScrollerName, Qt::FindDirectChildrenOnly)
                 : nullptr;
}

void FitIntoArea(QWidget* frame, SWindow* root, QSize design, const QRect& area) {
    if (!frame || !root || design.isEmpty() || area.isEmpty()) return;
    const QSize fitted = design.boundedTo(area.size());
    if (fitted != design && !ScrollerOf(frame)) MakeScroller(frame, root, design);
    if (fitted != frame->size()) {
        if (frame->minimumSize() == frame->maximumSize())
            frame->setFixedSize(fitted);
        else
            frame->resize(fitted);
    }
    if (QWidget* scroller = ScrollerOf(frame)) scroller->setGeometry(frame->rect());
    QRect placed(QPoint(), frame->frameGeometry().size());
    placed.moveCenter(area.center());
    placed.moveLeft(std::clamp(placed.left(), area.left(),
                               std::max(area.left(), area.right() - placed.width() + 1)));
    placed.moveTop(std::clamp(placed.top(), area.top(),
                              std::max(area.top(), area.bottom() - placed.height() + 1)));
    frame->move(placed.topLeft());
}

}  // namespace SOUI
