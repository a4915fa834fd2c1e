#include "ui/ScreenFit.h"

#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "ui/BasicControls.h"
#include "ui/SWindow.h"

namespace SOUI {
namespace {

const char* const kScrollerName = "host_scroller";

SCaption* CaptionOf(SWindow* root) {
    for (QObject* child : root->children())
        if (auto* caption = dynamic_cast<SCaption*>(child)) return caption;
    return nullptr;
}

QScrollArea* MakeScroller(QWidget* frame, SWindow* root, QSize design) {
    auto* scroller = new QScrollArea(frame);
    scroller->setObjectName(kScrollerName);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(false);
    root->resize(design);
    scroller->setWidget(root);
    if (SCaption* caption = CaptionOf(root)) {
        // The title bar follows what is shown, as wide as the view, above the content.
        auto keepInView = [scroller, caption] {
            caption->setGeometry(scroller->horizontalScrollBar()->value(),
                                 scroller->verticalScrollBar()->value(),
                                 scroller->viewport()->width(), caption->height());
            caption->raise();
        };
        QObject::connect(scroller->horizontalScrollBar(), &QScrollBar::valueChanged, caption,
                         keepInView);
        QObject::connect(scroller->verticalScrollBar(), &QScrollBar::valueChanged, caption,
                         keepInView);
        QObject::connect(scroller->horizontalScrollBar(), &QScrollBar::rangeChanged, caption,
                         keepInView);
    }
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
