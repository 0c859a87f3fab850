#include "ui/CPowerManageButton.h"

#include "ui/ControlIds.h"
#include "ui/UiScale.h"

namespace {

// The dial's outline in design units: the arc from the left end over the top to the
// right end, and the centre every wedge meets at.
constexpr QPoint kApex{70, 71};
constexpr std::array<QPoint, 9> kArc{{{3, 71}, {7, 51}, {17, 32}, {40, 13}, {70, 5},
                                      {100, 14}, {121, 31}, {131, 51}, {134, 71}}};

long long Cross(QPoint a, QPoint b, QPoint p)
{
    return static_cast<long long>(b.x() - a.x()) * (p.y() - a.y()) -
           static_cast<long long>(b.y() - a.y()) * (p.x() - a.x());
}

// Inside or on the edge of the triangle.
bool TriangleContains(const std::array<QPoint, 3>& t, QPoint p)
{
    const long long d0 = Cross(t[0], t[1], p);
    const long long d1 = Cross(t[1], t[2], p);
    const long long d2 = Cross(t[2], t[0], p);
    const bool hasNegative = d0 < 0 || d1 < 0 || d2 < 0;
    const bool hasPositive = d0 > 0 || d1 > 0 || d2 > 0;
    return !(hasNegative && hasPositive);
}

}  // namespace

CPowerManageButton::CPowerManageButton(CMessageWindow* parent, const UiRect& rect,
                                       QString caption, ControlFlags flags)
    : CControlBase(parent, ControlId::kPowerDial, rect, std::move(caption), flags)
{
    BuildWedges();
}

void CPowerManageButton::BuildWedges()
{
    const auto toClient = [this](QPoint design) {
        return QPoint(m_rect.left + UiScale::Scale(design.x()),
                      m_rect.top + UiScale::Scale(design.y()));
    };
    for (int k = 0; k < kWedgeCount; ++k) {
        m_wedges[static_cast<std::size_t>(k)] = {toClient(kArc[static_cast<std::size_t>(k)]),
                                                 toClient(kArc[static_cast<std::size_t>(k + 1)]),
                                                 toClient(kApex)};
    }
}

void CPowerManageButton::SetRect(int left, int top, int right, int bottom)
{
    CControlBase::SetRect(left, top, right, bottom);
    BuildWedges();
}

bool CPowerManageButton::SetSelectionImage(int selection, const QString& name)
{
    if (selection < 1 || selection > kImageCount)
        return false;
    return m_images[static_cast<std::size_t>(selection - 1)].Load(name);
}

void CPowerManageButton::ReleaseImages()
{
    for (SkinImage& image : m_images)
        image.Release();
}

int CPowerManageButton::WedgeAt(QPoint point) const
{
    for (int k = 0; k < kWedgeCount; ++k) {
        if (TriangleContains(m_wedges[static_cast<std::size_t>(k)], point))
            return k;
    }
    return -1;
}

QPoint CPowerManageButton::WedgeCorner(int wedge, int corner) const
{
    return m_wedges[static_cast<std::size_t>(wedge)][static_cast<std::size_t>(corner)];
}

bool CPowerManageButton::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    return CommonMouseMove(point);
}

bool CPowerManageButton::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonDown(point);
}

bool CPowerManageButton::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    const int wedge = WedgeAt(point);
    if (wedge < 0)
        return false;
    const ButtonState oldState = m_state;
    const int oldSelection = m_selection;
    m_selection = wedge + 1;
    m_state = ButtonState::Hover;
    Notify(0, NotifyCode::kClick);
    return m_state != oldState || m_selection != oldSelection;
}

void CPowerManageButton::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    if (m_selection < 1 || m_selection > kImageCount)
        return;
    m_images[static_cast<std::size_t>(m_selection - 1)].Draw(painter, m_rect);
}

QAccessible::Role CPowerManageButton::AccessibleRole() const
{
    return QAccessible::Slider;
}

std::optional<AccessibleRange> CPowerManageButton::AccessibleValue() const
{
    return AccessibleRange{m_selection, 1, kWedgeCount};
}

std::optional<QPoint> CPowerManageButton::PointForValue(int value) const
{
    if (value < 1 || value > kWedgeCount)
        return std::nullopt;
    // The centroid lies inside its wedge and inside no other.
    const int wedge = value - 1;
    const QPoint sum = WedgeCorner(wedge, 0) + WedgeCorner(wedge, 1) + WedgeCorner(wedge, 2);
    return QPoint(sum.x() / 3, sum.y() / 3);
}

QPoint CPowerManageButton::ClickPoint() const
{
    return PointForValue(m_selection).value_or(CControlBase::ClickPoint());
}
