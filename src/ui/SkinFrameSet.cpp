#include "ui/SkinFrameSet.h"

bool SkinFrameSet::SetStrip(const QString& name, int frameWidth)
{
    m_isStrip = true;
    const bool loaded = m_strip.Load(name);
    m_frameWidth = frameWidth > 0 ? frameWidth : m_strip.Width();
    return loaded;
}

bool SkinFrameSet::SetImages(std::initializer_list<QString> names)
{
    bool allLoaded = true;
    int frame = 0;
    for (const QString& name : names) {
        allLoaded = SetImage(frame++, name) && allLoaded;
    }
    return allLoaded;
}

bool SkinFrameSet::SetImage(int frame, const QString& name)
{
    if (frame < 0 || frame >= kMaxImages)
        return false;
    m_isStrip = false;
    auto& image = m_images[static_cast<std::size_t>(frame)];
    if (name.isEmpty()) {
        image.Release();
        return false;
    }
    return image.Load(name);
}

void SkinFrameSet::Release()
{
    m_strip.Release();
    for (SkinImage& image : m_images)
        image.Release();
}

bool SkinFrameSet::HasFrame(int frame) const
{
    if (m_isStrip)
        return !m_strip.IsNull() && m_frameWidth > 0 && (frame + 1) * m_frameWidth <= m_strip.Width();
    return frame >= 0 && frame < kMaxImages && !m_images[static_cast<std::size_t>(frame)].IsNull();
}

int SkinFrameSet::FrameWidth() const
{
    if (m_isStrip)
        return m_strip.IsNull() ? 0 : m_frameWidth;
    for (const SkinImage& image : m_images) {
        if (!image.IsNull())
            return image.Width();
    }
    return 0;
}

int SkinFrameSet::FrameHeight() const
{
    if (m_isStrip)
        return m_strip.Height();
    for (const SkinImage& image : m_images) {
        if (!image.IsNull())
            return image.Height();
    }
    return 0;
}

void SkinFrameSet::Draw(QPainter& painter, const UiRect& target, int frame) const
{
    if (!HasFrame(frame))
        return;
    if (m_isStrip) {
        m_strip.Draw(painter, target, QRect(frame * m_frameWidth, 0, m_frameWidth, m_strip.Height()));
        return;
    }
    m_images[static_cast<std::size_t>(frame)].Draw(painter, target);
}
