#include "ui/Skin.h"

#include <pugixml.hpp>

#include "ui/ResProvider.h"

namespace SOUI {

SSkinImgList::SSkinImgList(QImage image, int states, bool vertical)
    : m_image(std::move(image)), m_states(states < 1 ? 1 : states), m_vertical(vertical) {}

QSize SSkinImgList::GetSkinSize() const {
    if (m_vertical) return {m_image.width(), m_image.height() / m_states};
    return {m_image.width() / m_states, m_image.height()};
}

void SSkinImgList::Draw(QPainter& painter, const QRect& rect, int state) const {
    if (m_image.isNull() || rect.isEmpty()) return;
    if (state < 0) state = 0;
    if (state >= m_states) state = m_states - 1;
    const QSize size = GetSkinSize();
    const QRect source = m_vertical ? QRect(0, state * size.height(), size.width(), size.height())
                                    : QRect(state * size.width(), 0, size.width(), size.height());
    painter.drawImage(rect, m_image, source);
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
        Add(name,
            std::make_shared<SSkinImgList>(std::move(image), node.attribute("states").as_int(1),
                                           node.attribute("vertical").as_bool(false)));
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
