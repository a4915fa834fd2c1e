#include "ui/Skin.h"

#include <algorithm>
#include <pugixml.hpp>

#include "ui/ResProvider.h"

namespace SOUI {

SSkinImgList::SSkinImgList(QImage image, int states, bool vertical)
    : m_image(std::move(image)), m_states(states < 1 ? 1 : states), m_vertical(vertical) {}

QSize SSkinImgList::GetSkinSize() const {
    if (m_vertical) return {m_image.width(), m_image.height() / m_states};
    return {m_image.width() / m_states, m_image.height()};
}

bool SSkinImgList::AddDenser(QImage image) {
    const qreal density = image.devicePixelRatio();
    if (image.isNull() || density <= 1.0 || image.deviceIndependentSize() != QSizeF(m_image.size()))
        return false;
    auto place = std::find_if(m_denser.begin(), m_denser.end(),
                              [&](const QImage& d) { return d.devicePixelRatio() >= density; });
    m_denser.insert(place, std::move(image));
    return true;
}

const QImage& SSkinImgList::ImageFor(qreal density) const {
    if (density <= 1.0) return m_image;
    for (const QImage& denser : m_denser)
        if (denser.devicePixelRatio() >= density) return denser;
    return m_denser.empty() ? m_image : m_denser.back();
}

void SSkinImgList::Draw(QPainter& painter, const QRect& rect, int state) const {
    if (m_image.isNull() || rect.isEmpty()) return;
    if (state < 0) state = 0;
    if (state >= m_states) state = m_states - 1;
    const qreal density = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    const QImage& image = ImageFor(density);
    // Source rectangles count the image's own pixels.
    const qreal scale = image.devicePixelRatio();
    const QSizeF size = QSizeF(GetSkinSize()) * scale;
    const QRectF source = m_vertical ? QRectF(QPointF(0, state * size.height()), size)
                                     : QRectF(QPointF(state * size.width(), 0), size);
    painter.save();
    // A picture denser than the screen is reduced, which unsmoothed would drop whole pixels.
    if (scale > density) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect), image, source);
    painter.restore();
}

void SSkinPool::Load(const SResProviderFiles& res, const QString& tableRes) {
    m_res = &res;
    pugi::xml_document doc;
    if (!res.LoadXml(tableRes, doc)) return;
    for (pugi::xml_node node : doc.document_element().children()) {
        const QString name = QString::fromUtf8(node.attribute("name").value());
        const QString src = QString::fromUtf8(node.attribute("src").value());
        if (name.isEmpty()) continue;
        QImage image = res.LoadImage(src);
        if (image.isNull()) continue;
        auto skin =
            std::make_shared<SSkinImgList>(std::move(image), node.attribute("states").as_int(1),
                                           node.attribute("vertical").as_bool(false));
        skin->AddDenser(res.LoadDenserImage(src, 2));
        Add(name, std::move(skin));
    }
}

void SSkinPool::Add(const QString& name, std::shared_ptr<ISkinObj> skin) {
    m_skins.insert(name, std::move(skin));
}

ISkinObj* SSkinPool::Get(const QString& name) const {
    auto it = m_skins.find(name);
    if (it != m_skins.end()) return it->get();
    if (m_res && !name.isEmpty()) m_res->ReportMissing("skin:" + name);
    return nullptr;
}

}  // namespace SOUI
