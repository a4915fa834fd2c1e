#pragma once
// Skins: pictures with numbered states (or animation frames) that draw into a rectangle,
// and the named pool the layouts refer to through "values:skin".
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QString>
#include <memory>
#include <vector>

namespace SOUI {

class SResProviderFiles;

class ISkinObj {
public:
    virtual ~ISkinObj() = default;
    virtual void Draw(QPainter& painter, const QRect& rect, int state) const = 0;
    virtual int GetStates() const = 0;
    virtual QSize GetSkinSize() const = 0;
};

// One image cut into equal states side by side (or stacked when vertical). A state past
// the last one draws the last. Denser copies of the image serve screens of higher density:
// each paint takes the least dense one that still has a pixel for every pixel of the screen.
class SSkinImgList : public ISkinObj {
public:
    SSkinImgList(QImage image, int states, bool vertical);

    // Adds a copy drawn for its device pixel ratio; refused (false) unless it is denser and
    // covers the same size, so that the places of its parts do not move.
    bool AddDenser(QImage image);

    void Draw(QPainter& painter, const QRect& rect, int state) const override;
    int GetStates() const override { return m_states; }
    QSize GetSkinSize() const override;

private:
    const QImage& ImageFor(qreal density) const;

    QImage m_image;
    std::vector<QImage> m_denser;  // rising density
    int m_states;
    bool m_vertical;
};

// Skins by name, filled from a skin table document whose children are
// <imglist name="..." src="type:name" states="n" vertical="0|1"/>.
class SSkinPool {
public:
    void Load(const SResProviderFiles& res, const QString& tableRes);
    void Add(const QString& name, std::shared_ptr<ISkinObj> skin);
    // The skin of that name, or null (reported once) when the pool lacks it.
    ISkinObj* Get(const QString& name) const;
    int Count() const { return static_cast<int>(m_skins.size()); }

private:
    QMap<QString, std::shared_ptr<ISkinObj>> m_skins;
    const SResProviderFiles* m_res = nullptr;
};

}  // namespace SOUI
